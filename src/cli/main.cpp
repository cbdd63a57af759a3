// dialoscope-cli: the window's commands without a window, and the commands that check and count
// whole projects. The command table (command_table.cpp) lists them.

#include "command_line.h"

#include "lsp/program.h"

#include <string_view>

int main(int argc, char** argv) {
    // "lsp" is the language server itself, with its own options, not a command over a script.
    if (argc >= 2 && std::string_view(argv[1]) == "lsp") {
        return dialoscope::lsp::RunLspProgram(argc - 1, argv + 1);
    }
    return dialoscope::RunCommandLine(argc, argv);
}

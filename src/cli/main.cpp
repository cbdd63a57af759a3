// dialoscope-cli: the window's commands without a window, and the commands that check and count
// whole projects. The command table (command_table.cpp) lists them.

#include "command_line.h"

int main(int argc, char** argv) {
    return dialoscope::RunCommandLine(argc, argv);
}

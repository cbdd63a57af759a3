// dialoscope-lsp: the language server for dialog scripts and their message files.

#include "lsp/program.h"

int main(int argc, char** argv) {
    return dialoscope::lsp::RunLspProgram(argc, argv);
}

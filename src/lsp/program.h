#pragma once
// The command line of dialoscope-lsp (and of dialoscope-cli lsp): no arguments serves the
// protocol on standard input and output; --check FILE runs the self-check; --version, --help.

namespace dialoscope::lsp {

// argv[0] names the program in the help. Returns the exit status.
int RunLspProgram(int argc, char** argv);

} // namespace dialoscope::lsp

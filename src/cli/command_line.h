#pragma once
// The command line of dialoscope-cli, read with CLI11 from the command table: the global options
// (--scripts-lst, --code-page, --project, --help, --version, before or after the command), one
// command and its arguments. Prints the help, the version or a usage error itself.

namespace dialoscope {

// Runs the command the arguments name and returns the exit status: the command's own, 0 after
// --help or --version, 2 on wrong usage (one line naming the problem, one pointing to --help, on
// standard error). A failed write to standard output makes it 1 whatever the command said.
int RunCommandLine(int argc, char** argv);

} // namespace dialoscope

#pragma once
// dialoscope-cli check: the message cross-checks, the translation comparison and the dialog
// health of one or more scripts, as compiler-style lines or JSON, with an exit status for CI.

#include <string>

namespace dialoscope {

// Whether the arguments, after the options that come before a command, name "check".
bool IsCheckCommand(int argc, char** argv);

// Runs check; returns the exit status: 0 without error-level findings, 1 with any, 2 on wrong
// usage. defaultScriptsLst: scripts.lst when --scripts-lst does not name another.
int RunCheckCommand(int argc, char** argv, const std::string& defaultScriptsLst);

} // namespace dialoscope

#pragma once
// dialoscope-cli quicktest: every answer and call of every dialog of each script taken at least
// once, and what was reached, what was never offered and what leads to no node, as text, JSON or
// JUnit XML (each script a test case), with an exit status for a build server.

#include "cli_call.h"

namespace dialoscope {

// Writes the report of every script, in the order given, to standard output; a script the
// project's list names that is missing or refused is reported as a script that failed. Returns
// the exit status: 1 when no script was tested, a script cannot be loaded or analysed, or an
// answer, call or dialog start reached from a start leads to no node; else 0.
int RunQuicktestCommand(const TCliCall& call);

} // namespace dialoscope

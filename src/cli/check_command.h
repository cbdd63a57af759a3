#pragma once
// dialoscope-cli check: the message cross-checks, the translation comparison and the dialog
// health of one or more scripts, as compiler-style lines or JSON, with an exit status for CI.

#include "cli_call.h"

namespace dialoscope {

// Runs check over call.Scripts in turn; returns the exit status: 0 without error-level findings,
// 1 with any.
int RunCheckCommand(const TCliCall& call);

} // namespace dialoscope

#pragma once
// The commands that work on many scripts at once: stats, and check over a whole project. The
// command line is parsed elsewhere; these take the parsed call and write to standard output.

#include "cli_call.h"

namespace dialoscope {

// stats: a row per script and a total row. Returns the exit status: 1 when a row is not "ok"
// (a script missing, refused or not analysed) or the share is below --fail-under.
int RunStatsCommand(const TCliCall& call);

// check --project: the findings of every listed script, then the summary line. Returns the exit
// status: 1 when any finding is an error.
int RunProjectCheckCommand(const TCliCall& call);

} // namespace dialoscope

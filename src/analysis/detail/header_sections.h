#pragma once
// The four sections of a script's header. Each reader takes the position of the keyword that
// opens its section and returns the last position it consumed; the listing goes on after it.

#include "analysis_run.h"

#include <cstdint>

namespace dialoscope {

// script NAME x MSGFILE x x: the "script" and "msg" counters and MsgFileName.
std::int64_t ReadScriptHeader(TAnalysisRun& run, std::int64_t p);
// uses A, B, C; : Units from entry 1 on, until the token after a name is ";". Stops at the end
// of the script without taking the end-of-file token as a name.
std::int64_t ReadUsesSection(TAnalysisRun& run, std::int64_t p);
// Var a, b; : Vars from entry 1 on, every second token, until the token after the next pair
// is a keyword. Stops at the end of the script like ReadUsesSection.
std::int64_t ReadVarSection(TAnalysisRun& run, std::int64_t p);
// function NAME; forward; ... : Funcs from entry 1 on, five tokens per declaration, as long as
// the fourth token of the next group is "forward". Sets ForwardCount and the name counts.
std::int64_t ReadForwardSection(TAnalysisRun& run, std::int64_t p);

} // namespace dialoscope

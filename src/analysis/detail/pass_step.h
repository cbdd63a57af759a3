#pragma once
// One step of Analyze's pass over the tokens: the listing line of the token at p, and the
// section or node it opens. Both cores' walks take their steps here.

#include "analysis_run.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

// Takes the step at p and returns the position of the last token it took; the walk goes on
// after it. line is the listing line's buffer, reused from step to step.
std::int64_t PassStep(TAnalysisRun& run, std::int64_t p, std::string& line);

// Whether the keyword text at p opens a header or forward section: the tables and counters a
// section fills belong to the first core's walk alone.
bool OpensSection(const TAnalysisRun& run, std::string_view text, std::int64_t p);
// Whether a dialog node opens at p.
bool OpensNode(const TAnalysisRun& run, std::int64_t p);

// Shows percent on the progress pane unless it shows it already.
void ShowProgress(TAnalysisRun& run, std::int32_t percent);

} // namespace dialoscope

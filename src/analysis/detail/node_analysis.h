#pragma once
// The analysis of one dialog node (a "function" with a body): its record in Nodes, its source
// text, and its General View subtree with the lines it says and the answers the player can
// pick. Recognition is a pattern match on fixed token offsets with exact, case-sensitive texts.

#include "analysis/outline_tree.h"
#include "analysis_run.h"

#include <cstdint>

namespace dialoscope {

// i: the position of the node's "function". Returns the position at which the node ends (the
// token before the next "function" or the final "."); the listing goes on after it.
std::int64_t AnalyzeNode(TAnalysisRun& run, std::int64_t i);

// Each pass walks the node's tokens from i and returns where it stopped. item is the node's
// General View item; node the index of its record in Nodes, which takes the message marks. The
// lines, answers, calls and message uses go to run.Collected, which AnalyzeNode keeps in the
// record when the passes are done.
std::int64_t CollectJumps(TAnalysisRun& run, std::int64_t i);
std::int64_t CollectSays(TAnalysisRun& run, std::int64_t i, std::int32_t item, std::int32_t node);
std::int64_t CollectSayWOAnswer(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                                std::int32_t node);
std::int64_t CollectSayForAnswer(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                                 std::int32_t node);
std::int64_t CollectAnswers(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                            std::int32_t node);

// Sets an item's image (and so its selected image) to n.
void SetNodeImage(TOutlineTree& tree, std::int32_t item, std::uint8_t n);

} // namespace dialoscope

#pragma once
// Shared helpers of the analysis and pipeline tests: a workspace loaded from texts instead of
// files, with the recording port of tests/support.

#include "analysis/port.h"
#include "analysis/workspace.h"

#include "recording_port.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::test {

// Lines joined with CR LF, each line followed by one.
std::string CrLfLines(const std::vector<std::string>& lines);

// What a Load of these texts leaves, without files: the script's lines and bytes, the message
// file, scripts.lst and the name looked up in it.
void LoadTexts(TWorkspace& ws, std::string_view script, std::string_view messages = "",
               std::string_view scriptsLst = "", std::string_view intFileName = "talk.int");

// A workspace with its own recording port.
struct TAnalyzed {
    TRecordingPort Port;
    TWorkspace Ws{Port};
};

// Loads the texts into a fresh workspace and runs Analyze; errors propagate.
std::unique_ptr<TAnalyzed> AnalyzeText(std::string_view script, std::string_view messages = "",
                                       std::string_view scriptsLst = "",
                                       std::string_view intFileName = "talk.int");

// The General View as "depth:image:caption" lines in pre-order, for whole-tree comparisons.
std::vector<std::string> TreeLines(const TOutlineTree& tree);

// The items of a node's list of texts (Lines or Jumps) as strings, for whole-list comparisons.
template <typename TTexts> std::vector<std::string> Strings(const TTexts& texts) {
    std::vector<std::string> strings;
    for (const std::string_view text : texts) {
        strings.emplace_back(text);
    }
    return strings;
}

// The captions of a node's marks, as "n=text", ascending by number.
std::vector<std::string> MarkList(const TNodeKeep& node);

} // namespace dialoscope::test

#pragma once
// Shared helpers of the checks tests: findings described in one line each for comparisons, and
// dialog scripts made from their nodes. Scripts are loaded with tests/support.

#include "analysis/port.h"
#include "analysis/workspace.h"
#include "checks/finding.h"

#include "loaded_script.h"
#include "temp_folder.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::test {

// "kind line node #n: text" (node and #n only when set), for whole-list comparisons.
std::string Describe(const TFinding& finding);
std::vector<std::string> DescribeAll(const std::vector<TFinding>& findings);
// Only the findings of one kind, described.
std::vector<std::string> DescribeKind(const std::vector<TFinding>& findings, TFindingKind kind);

// The 1-based line of the first line of text that contains needle; 0 when none.
std::int32_t LineOf(std::string_view text, std::string_view needle);

// A dialog script: the header, a forward declaration per name in forwards, the node texts as
// given (each followed by a blank line), a start node "TalkStart" that opens a dialog at
// startNode, and "end.".
std::string DialogScript(const std::vector<std::string>& forwards,
                         const std::vector<std::string>& nodes,
                         std::string_view startNode = "Node1");

} // namespace dialoscope::test

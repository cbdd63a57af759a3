#pragma once
// A workspace for the dialog-tree tests: node records built by hand and scripts scanned as
// Analyze would scan them; the recording port comes from tests/support.

#include "analysis/workspace.h"

#include "recording_port.h"

#include <string>
#include <utility>
#include <vector>

namespace dialoscope::testing {

using test::TRecordingPort;

struct TNodeSpec {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Answers; // caption, target
    std::vector<std::string> Jumps;
    std::vector<std::string> Lines = {}; // said lines; most tests leave them out
};

inline TNodeKeep MakeNode(const TNodeSpec& shape) {
    TNodeKeep node;
    node.Name = shape.Name;
    TNodeListsBuilder lists;
    for (const auto& line : shape.Lines) {
        lists.AddLine(line);
    }
    for (const auto& [caption, target] : shape.Answers) {
        lists.AddAnswer(caption, target, 0);
    }
    for (const auto& jump : shape.Jumps) {
        lists.AddJump(jump, 0);
    }
    node.Lists = lists.Finish();
    return node;
}

inline void SetNodes(TWorkspace& ws, const std::vector<TNodeSpec>& specs) {
    ws.Nodes.clear();
    for (const auto& shape : specs) {
        ws.Nodes.Edit().push_back(MakeNode(shape));
    }
}

inline void ScanScript(TWorkspace& ws, std::string text) {
    ws.ScriptStream.Bytes = std::move(text);
    ws.ScriptStream.Position = 0;
    ws.Scanner.ScanStream(ws.ScriptStream);
}

// One line per item: two spaces per depth, the caption, " #" and the image.
inline std::string DescribeTree(const TOutlineTree& tree) {
    std::string text;
    for (const auto& item : tree.Items()) {
        text.append(2 * static_cast<std::size_t>(item.Depth), ' ');
        text += item.Caption;
        text += " #" + std::to_string(item.Image) + "\n";
    }
    return text;
}

} // namespace dialoscope::testing

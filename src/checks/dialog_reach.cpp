#include "dialog_reach.h"

#include <algorithm>

namespace dialoscope {

namespace {

// A keyword belongs to the node whose "function" line is the last one at or before it.
std::vector<char> NodesHolding(const TWorkspace& ws,
                               const std::vector<std::int32_t>& keywordLines) {
    std::vector<std::pair<std::int32_t, std::int32_t>> lines; // (line, node), sorted
    lines.reserve(ws.Nodes.size());
    for (std::size_t i = 0; i < ws.Nodes.size(); ++i) {
        if (ws.Nodes[i].Line > 0) { // 0: a record without a known place
            lines.emplace_back(ws.Nodes[i].Line, static_cast<std::int32_t>(i));
        }
    }
    std::sort(lines.begin(), lines.end());
    std::vector<char> holding(ws.Nodes.size(), 0);
    for (const std::int32_t keywordLine : keywordLines) {
        const auto after = std::upper_bound(
            lines.begin(), lines.end(), keywordLine,
            [](std::int32_t line, const auto& entry) { return line < entry.first; });
        if (after != lines.begin()) {
            holding[static_cast<std::size_t>(std::prev(after)->second)] = 1;
        }
    }
    return holding;
}

class TReachWalk {
public:
    TReachWalk(TDialogReach& reach, const TNodeNames& names) : Reach_(reach), Names_(names) {}

    void Reach(std::int32_t node) {
        if (node < 0 || Reach_.Reached[static_cast<std::size_t>(node)]) {
            return;
        }
        Reach_.Reached[static_cast<std::size_t>(node)] = 1;
        Queue_.push_back(node);
    }
    void ReachName(std::string_view name) { Reach(Names_.Find(name)); }

    // The walk keeps its own queue, so chains of any depth are fine.
    void Walk(const TWorkspace& ws) {
        for (std::size_t next = 0; next < Queue_.size(); ++next) {
            const TNodeKeep& node = ws.Nodes[static_cast<std::size_t>(Queue_[next])];
            for (const TAnswer answer : node.Lists.Answers()) {
                ReachName(answer.Target);
            }
            for (const std::string_view jump : node.Lists.Jumps()) {
                ReachName(jump);
            }
        }
    }

private:
    TDialogReach& Reach_;
    const TNodeNames& Names_;
    std::vector<std::int32_t> Queue_;
};

} // namespace

TDialogReach ReachFromDialogStarts(const TWorkspace& ws, const TNodeNames& names) {
    TDialogReach reach;
    reach.Starts = FindDialogStarts(ws.Scanner);
    reach.Reached.assign(ws.Nodes.size(), 0);
    if (reach.Starts.empty()) {
        return reach;
    }
    std::vector<std::int32_t> openDialogLines;
    for (const TDialogStart& start : reach.Starts) {
        openDialogLines.push_back(start.OpenDialogLine);
    }
    reach.Opener = NodesHolding(ws, openDialogLines);
    reach.Closer = NodesHolding(ws, TokenLines(ws.Scanner, "CloseDialog"));
    TReachWalk walk(reach, names);
    for (const TDialogStart& start : reach.Starts) {
        walk.ReachName(start.Name);
    }
    for (std::size_t i = 0; i < reach.Opener.size(); ++i) {
        if (reach.Opener[i]) {
            walk.Reach(static_cast<std::int32_t>(i));
        }
    }
    walk.Walk(ws);
    return reach;
}

} // namespace dialoscope

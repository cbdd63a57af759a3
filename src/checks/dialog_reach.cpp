#include "dialog_reach.h"

namespace dialoscope {

namespace {

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
    reach.Opener = NodesHoldingLines(ws.Nodes, openDialogLines);
    reach.Closer = NodesClosingDialog(ws.Nodes, ws.Scanner);
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

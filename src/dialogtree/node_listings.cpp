// The node text of the General View's selection and the two hidden node listings.

#include "searches.h"

#include <string>

namespace dialoscope {

namespace {

// The node's source lines, one pane line each.
void AppendBodyLines(TWorkspace& ws, const TNodeKeep& node) {
    const TLineRange range = node.BodyLines();
    for (std::int32_t i = range.First; i <= range.Last; ++i) {
        ws.AppendOutput(range.Lines->Line(i));
    }
}

} // namespace

void TreeView1Change(TWorkspace& ws, std::int32_t item) {
    if (item == TOutlineTree::NoParent) {
        return;
    }
    ws.Port.ClearOutput();
    if (item < 0 || item >= ws.GeneralView.Count()) {
        return;
    }
    const std::int32_t node = ws.GeneralView.Item(item).Node;
    if (node < 0 || node >= ws.NodeCount()) {
        return;
    }
    AppendBodyLines(ws, ws.Nodes[static_cast<std::size_t>(node)]);
}

void Button1Click(TWorkspace& ws) {
    ws.Port.ClearOutput();
    for (const TNodeKeep& node : ws.Nodes) {
        ws.AppendOutput(node.Name + " " + std::to_string(node.LineCount()) + " " +
                        std::to_string(node.AnswerCount()));
        for (const TAnswer answer : node.Lists.Answers()) {
            ws.AppendOutput("      " + std::string(answer.Caption) + " +++ " +
                            std::string(answer.Target));
        }
        for (const std::string_view jump : node.Lists.Jumps()) {
            ws.AppendOutput("      Jump Node === " + std::string(jump));
        }
    }
}

void Button5Click(TWorkspace& ws) {
    ws.Port.ClearOutput();
    for (const TNodeKeep& node : ws.Nodes) {
        ws.AppendOutput("");
        AppendBodyLines(ws, node);
        ws.AppendOutput("");
    }
}

} // namespace dialoscope

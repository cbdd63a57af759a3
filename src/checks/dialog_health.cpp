#include "dialog_health.h"

#include "script_places.h"

#include "analysis/node_names.h"
#include "scanner/ascii.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace dialoscope {

namespace {

class TDialogHealth {
public:
    TDialogHealth(const TWorkspace& ws, const std::string& file, std::vector<TFinding>& findings);

    void CheckTargets();
    void WalkDialogs();
    void CheckForwardDeclarations();

private:
    // The node named exactly name (the last of that name), or -1.
    std::int32_t Find(std::string_view name) const;
    void CheckTarget(std::int32_t node, std::string_view what, std::string_view name,
                     std::int32_t line);
    std::vector<char> NodesHolding(const std::vector<std::int32_t>& keywordLines) const;
    void Reach(std::int32_t node, std::vector<std::int32_t>& queue);
    void AddNodeFinding(TFindingKind kind, std::int32_t node, std::int32_t line, std::string text);

    const TWorkspace& Ws_;
    const std::string& File_;
    std::vector<TFinding>& Findings_;
    TNodeNames ByName_;
    std::unordered_map<std::string, std::string_view> ByLowerName_; // the first node's spelling
    std::vector<char> Opener_;                                      // the node holds an OpenDialog
    std::vector<char> Closer_;                                      // the node holds a CloseDialog
    std::vector<char> Reached_;
};

TDialogHealth::TDialogHealth(const TWorkspace& ws, const std::string& file,
                             std::vector<TFinding>& findings)
    : Ws_(ws), File_(file), Findings_(findings), ByName_(ws.Nodes), Reached_(ws.Nodes.size(), 0) {
    for (const TNodeKeep& node : ws.Nodes) {
        ByLowerName_.emplace(AsciiLowerCase(node.Name), node.Name);
    }
}

std::int32_t TDialogHealth::Find(std::string_view name) const {
    return ByName_.Find(name);
}

void TDialogHealth::AddNodeFinding(TFindingKind kind, std::int32_t node, std::int32_t line,
                                   std::string text) {
    TFinding finding = MakeFinding(kind, TFindingSource::Script, File_, line, std::move(text));
    if (node >= 0) {
        finding.Node = node;
        finding.NodeName = Ws_.Nodes[static_cast<std::size_t>(node)].Name;
    }
    Findings_.push_back(std::move(finding));
}

void TDialogHealth::CheckTarget(std::int32_t node, std::string_view what, std::string_view name,
                                std::int32_t line) {
    if (Find(name) >= 0) {
        return;
    }
    std::string text = std::string(what) + " " + Quoted(name) + " names no node";
    const auto similar = ByLowerName_.find(AsciiLowerCase(name));
    if (similar != ByLowerName_.end()) {
        text += "; did you mean " + Quoted(similar->second) + "?";
    }
    AddNodeFinding(TFindingKind::MissingTarget, node, line, std::move(text));
}

void TDialogHealth::CheckTargets() {
    for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
        const TNodeKeep& node = Ws_.Nodes[i];
        const auto index = static_cast<std::int32_t>(i);
        for (const TAnswer answer : node.Lists.Answers()) {
            CheckTarget(index, "answer target", answer.Target,
                        answer.Line != 0 ? answer.Line : node.Line);
        }
        for (std::int32_t j = 0; j < node.JumpCount(); ++j) {
            const std::int32_t line = node.Lists.JumpLine(j);
            CheckTarget(index, "call of", node.Lists.Jump(j), line != 0 ? line : node.Line);
        }
    }
}

// A keyword belongs to the node whose "function" line is the last one at or before it.
std::vector<char> TDialogHealth::NodesHolding(const std::vector<std::int32_t>& keywordLines) const {
    std::vector<std::pair<std::int32_t, std::int32_t>> lines; // (line, node), sorted
    lines.reserve(Ws_.Nodes.size());
    for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
        if (Ws_.Nodes[i].Line > 0) { // 0: a record without a known place
            lines.emplace_back(Ws_.Nodes[i].Line, static_cast<std::int32_t>(i));
        }
    }
    std::sort(lines.begin(), lines.end());
    std::vector<char> holding(Ws_.Nodes.size(), 0);
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

void TDialogHealth::Reach(std::int32_t node, std::vector<std::int32_t>& queue) {
    if (node < 0 || Reached_[static_cast<std::size_t>(node)]) {
        return;
    }
    Reached_[static_cast<std::size_t>(node)] = 1;
    queue.push_back(node);
}

void TDialogHealth::WalkDialogs() {
    const std::vector<TDialogStart> starts = FindDialogStarts(Ws_.Scanner);
    if (starts.empty()) {
        return; // without a dialog start every node would look unreachable
    }
    std::vector<std::int32_t> openDialogLines;
    for (const TDialogStart& start : starts) {
        openDialogLines.push_back(start.OpenDialogLine);
    }
    Opener_ = NodesHolding(openDialogLines);
    Closer_ = NodesHolding(TokenLines(Ws_.Scanner, "CloseDialog"));
    std::vector<std::int32_t> queue;
    for (const TDialogStart& start : starts) {
        const std::int32_t node = Find(start.Name);
        if (node < 0) {
            CheckTarget(-1, "dialog start", start.Name, start.OpenDialogLine);
        }
        Reach(node, queue);
    }
    for (std::size_t i = 0; i < Opener_.size(); ++i) {
        if (Opener_[i]) {
            Reach(static_cast<std::int32_t>(i), queue);
        }
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const TNodeKeep& node = Ws_.Nodes[static_cast<std::size_t>(queue[next])];
        for (const TAnswer answer : node.Lists.Answers()) {
            Reach(Find(answer.Target), queue);
        }
        for (const std::string_view jump : node.Lists.Jumps()) {
            Reach(Find(jump), queue);
        }
    }
    for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
        const TNodeKeep& node = Ws_.Nodes[i];
        const auto index = static_cast<std::int32_t>(i);
        if (!Reached_[i]) {
            std::string text =
                "node " + Quoted(node.Name) + " is not reached from any dialog start";
            if (Find(node.Name) != index) {
                text += "; a later node has the same name";
            }
            AddNodeFinding(TFindingKind::UnreachableNode, index, node.Line, std::move(text));
        } else if (!Opener_[i] && !Closer_[i] && node.AnswerCount() == 0 && node.JumpCount() == 0) {
            AddNodeFinding(TFindingKind::DeadEnd, index, node.Line,
                           "node " + Quoted(node.Name) + " offers no answer and calls no node");
        }
    }
}

void TDialogHealth::CheckForwardDeclarations() {
    for (const TForwardDeclaration& declaration : FindForwardDeclarations(Ws_.Scanner)) {
        if (Find(declaration.Name) < 0) {
            AddNodeFinding(TFindingKind::ForwardWithoutNode, -1, declaration.Line,
                           "forward declaration of " + Quoted(declaration.Name) + " has no node");
        }
    }
}

} // namespace

void CheckDialogHealth(const TWorkspace& ws, const std::string& scriptFile,
                       std::vector<TFinding>& findings) {
    TDialogHealth health(ws, scriptFile, findings);
    health.CheckTargets();
    health.WalkDialogs();
    health.CheckForwardDeclarations();
}

} // namespace dialoscope

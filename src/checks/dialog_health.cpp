#include "dialog_health.h"

#include "dialog_reach.h"

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
    void AddNodeFinding(TFindingKind kind, std::int32_t node, std::int32_t line, std::string text);

    const TWorkspace& Ws_;
    const std::string& File_;
    std::vector<TFinding>& Findings_;
    TNodeNames ByName_;
    std::unordered_map<std::string, std::string_view> ByLowerName_; // the first node's spelling
};

TDialogHealth::TDialogHealth(const TWorkspace& ws, const std::string& file,
                             std::vector<TFinding>& findings)
    : Ws_(ws), File_(file), Findings_(findings), ByName_(ws.Nodes) {
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

void TDialogHealth::WalkDialogs() {
    const TDialogReach reach = ReachFromDialogStarts(Ws_, ByName_);
    if (reach.Starts.empty()) {
        return; // without a dialog start every node would look unreachable
    }
    for (const TDialogStart& start : reach.Starts) {
        if (Find(start.Name) < 0) {
            CheckTarget(-1, "dialog start", start.Name, start.OpenDialogLine);
        }
    }
    for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
        const TNodeKeep& node = Ws_.Nodes[i];
        const auto index = static_cast<std::int32_t>(i);
        if (!reach.Reached[i]) {
            std::string text =
                "node " + Quoted(node.Name) + " is not reached from any dialog start";
            if (Find(node.Name) != index) {
                text += "; a later node has the same name";
            }
            AddNodeFinding(TFindingKind::UnreachableNode, index, node.Line, std::move(text));
        } else if (!reach.Opener[i] && !reach.Closer[i] && node.AnswerCount() == 0 &&
                   node.JumpCount() == 0) {
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

#include "dialog_tree.h"

#include "detail/build_branch.h"
#include "detail/progress.h"
#include "node_index.h"

namespace dialoscope {

namespace {

bool IsOpenDialog(const TScanner& scanner, std::int32_t i) {
    // Letter case counts here, although the scanner takes the keyword in any case.
    return scanner.KindAt(i) == TTokenKind::Keyword && scanner.TextAt(i) == "OpenDialog";
}

// Sets the progress pane back to 0 however the build ends.
class TProgressReset {
public:
    explicit TProgressReset(TPort& port) : Port_(port) {}
    ~TProgressReset() { Port_.SetProgress(0); }
    TProgressReset(const TProgressReset&) = delete;
    TProgressReset& operator=(const TProgressReset&) = delete;

private:
    TPort& Port_;
};

// A long stretch of tokens without a dialog start lets the window breathe every so many
// tokens, as the scan does; a small script never gets there, so it sees only one turn per branch.
constexpr std::int32_t QuietStepTokens = 4096;

// False when another command changed the tree meanwhile: the walk then stops.
bool BreatheBetweenDialogs(TWorkspace& ws) {
    const std::uint64_t version = ws.DialogsTree.Version();
    ws.Port.ProcessMessages();
    return ws.DialogsTree.Version() == version;
}

} // namespace

std::int32_t FindStartName(const TScanner& scanner, std::int32_t i) {
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t j = i + 1; j + 1 < count; ++j) {
        if (scanner.KindAt(j) == TTokenKind::Identifier && scanner.TextAt(j + 1) == ";") {
            return j;
        }
    }
    return -1;
}

void Button4Click(TWorkspace& ws) {
    TProgressReset reset(ws.Port);
    ws.DialogsTree.Clear();
    const TNodeIndex index(ws.Nodes);
    const TScanner& scanner = ws.Scanner;
    const std::int32_t count = scanner.TokenCount();
    TProgressSteps progress(ws.Port, count - 1);
    // Token 0 is never examined. The scan stops before the token ahead of the closing "." and
    // wherever a token it needs lies beyond the list.
    std::int32_t i = 1;
    while (i < count) {
        if (IsOpenDialog(scanner, i)) {
            const std::int32_t root = ws.DialogsTree.Add(TOutlineTree::NoParent, "Dialog", imgNode);
            i = FindStartName(scanner, i);
            if (i < 0) {
                return;
            }
            TTreeKeep visited;
            if (BuildBranch(ws, index, std::string(scanner.TextAt(i)), visited, root) ==
                TBranchResult::Interrupted) {
                return;
            }
        }
        ++i;
        progress.Reached(i);
        if (i % QuietStepTokens == 0 && !BreatheBetweenDialogs(ws)) {
            return;
        }
        if (i + 1 >= count || scanner.TextAt(i + 1) == ".") {
            return;
        }
    }
}

std::int32_t FindNodeByName(TWorkspace& ws, const std::string& name) {
    const std::int32_t node = TNodeNames(ws.Nodes).Find(name);
    if (node < 0) {
        ws.Port.ShowMessage(NodeNotFoundMessage);
    }
    return node;
}

} // namespace dialoscope

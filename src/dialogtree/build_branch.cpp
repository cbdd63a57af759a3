#include "detail/build_branch.h"

#include <vector>

namespace dialoscope {

namespace {

// One node being expanded: where its answers and jumps have got to.
struct TBranchFrame {
    std::int32_t Node = 0;
    std::int32_t Item = 0;
    std::int32_t NextAnswer = 0;
    std::int32_t NextJump = 0;
};

class TBranchWalk {
public:
    TBranchWalk(TWorkspace& ws, const TNodeIndex& index, TTreeKeep& visited)
        : Ws_(ws), Index_(index), Visited_(visited), Version_(ws.DialogsTree.Version()) {}

    TBranchResult Run(const std::string& name, std::int32_t parent) {
        if (!Enter(name, parent)) {
            return TBranchResult::Interrupted;
        }
        while (!Stack_.empty()) {
            if (!Advance()) {
                return TBranchResult::Interrupted;
            }
        }
        return TBranchResult::Complete;
    }

private:
    // The next answer or jump of the innermost node, or the end of that node.
    bool Advance() {
        TBranchFrame& top = Stack_.back();
        const TNodeKeep& node = Ws_.Nodes[static_cast<std::size_t>(top.Node)];
        if (top.NextAnswer < node.AnswerCount()) {
            const TAnswer answer = node.Lists.Answer(top.NextAnswer++);
            return Enter(answer.Target, AddItem(top.Item, answer.Caption, imgAnswer));
        }
        if (top.NextJump < node.JumpCount()) {
            const std::string_view target = node.Lists.Jump(top.NextJump++);
            return Enter(target, AddItem(top.Item, target, imgJump));
        }
        Stack_.pop_back();
        return true;
    }

    // The work of one branch before its children: false when the walk must stop. name may
    // refer into the records, so it is read only while the tree shows they are unchanged.
    bool Enter(std::string_view name, std::int32_t parent) {
        Ws_.Port.ProcessMessages();
        if (TreeChangedElsewhere()) {
            return false;
        }
        if (!AddUnique(Visited_, name)) {
            std::string repeat = "@";
            repeat += name;
            AddItem(parent, repeat, imgRepeat);
            return true;
        }
        const std::int32_t node = Index_.Find(name);
        if (node < 0) {
            Ws_.Port.ShowMessage(NodeNotFoundMessage);
            if (TreeChangedElsewhere()) {
                return false;
            }
            AddItem(parent, name, imgLine);
            return true;
        }
        const std::int32_t item = AddItem(parent, name, imgLine);
        Stack_.push_back(TBranchFrame{node, item, 0, 0});
        return true;
    }

    std::int32_t AddItem(std::int32_t parent, std::string_view caption, TImage image) {
        const std::int32_t item = Ws_.DialogsTree.Add(parent, caption, image);
        Version_ = Ws_.DialogsTree.Version();
        return item;
    }

    // Load, Analyze and Build Dialog Tree all empty the Dialogs Tree first, so a change of
    // the tree that this walk did not make means the records and tokens may have changed too.
    bool TreeChangedElsewhere() const { return Ws_.DialogsTree.Version() != Version_; }

    TWorkspace& Ws_;
    const TNodeIndex& Index_;
    TTreeKeep& Visited_;
    std::uint64_t Version_;
    std::vector<TBranchFrame> Stack_;
};

} // namespace

TBranchResult BuildBranch(TWorkspace& ws, const TNodeIndex& index, const std::string& name,
                          TTreeKeep& visited, std::int32_t parent) {
    return TBranchWalk(ws, index, visited).Run(name, parent);
}

} // namespace dialoscope

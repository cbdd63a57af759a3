#include "check_support.h"

#include "checks/dialog_health.h"
#include "checks/run_checks.h"
#include "dialogtree/dialog_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::vector<std::string> HealthNodes = {
    "function Node1;\nbegin\n  Say(Self, 1, 100);\n  Answer(1, 101, @Node2);\n"
    "  Answer(1, 102, @node3);\n  Answer(1, 103, @Nowhere);\n  Answer(1, 104, @Node6);\n"
    "  Answer(1, 109, @NodeC);\n  Ghost;\nend;\n",
    "function Node2;\nbegin\n  Say(Self, 1, 105);\nend;\n",
    // Ends the dialog on purpose: not a dead end.
    "function NodeC;\nbegin\n  Say(Self, 1, 110);\n  CloseDialog;\nend;\n",
    "function Node3;\nbegin\n  Answer(1, 106, @Node1);\nend;\n",
    "function Node6;\nbegin\n  Answer(1, 107, @Node1);\nend;\n",
    "function Node6;\nbegin\n  Answer(1, 108, @Node1);\nend;\n",
};

std::vector<TFinding> HealthOf(const TWorkspace& ws) {
    std::vector<TFinding> findings;
    CheckDialogHealth(ws, "talk.ipp", findings);
    SortFindings(findings);
    return findings;
}

TEST(DialogHealth, TargetsReachDeadEndsAndForwards) {
    TTempFolder folder;
    const std::string script =
        DialogScript({"Node1", "Node2", "Node3", "Node6", "Ghost"}, HealthNodes);
    const auto loaded = LoadScript(folder, script, "");
    ASSERT_EQ(loaded->AnalyzeError, "");
    const auto line = [&](std::string_view needle, int above = 0) {
        return std::to_string(LineOf(script, needle) - above);
    };
    // A node's "function" line stands two lines above its first statement.
    EXPECT_THAT(
        DescribeAll(HealthOf(loaded->Ws)),
        ElementsAre(
            "forward-without-node " + line("function Ghost; forward") +
                ": forward declaration of \"Ghost\" has no node",
            "missing-target " + line("@node3") +
                " Node1: answer target \"node3\" names no node; did you mean \"Node3\"?",
            "missing-target " + line("@Nowhere") +
                " Node1: answer target \"Nowhere\" names no node",
            "missing-target " + line("  Ghost;") + " Node1: call of \"Ghost\" names no node",
            "dead-end " + line("Say(Self, 1, 105)", 2) +
                " Node2: node \"Node2\" offers no answer and calls no node",
            "unreachable-node " + line("Answer(1, 106", 2) +
                " Node3: node \"Node3\" is not reached from any dialog start",
            "unreachable-node " + line("Answer(1, 107", 2) +
                " Node6: node \"Node6\" is not reached from any dialog start; a later node has "
                "the same name"));
}

TEST(DialogHealth, WithoutADialogStartNothingIsUnreachable) {
    TTempFolder folder;
    const std::string script = "script Talk('talk.msg');\n\nfunction Node1; forward;\n\n"
                               "function Node1;\nbegin\n  Say(Self, 1, 100);\nend;\n\nend.\n";
    const auto loaded = LoadScript(folder, script, "{100}{}{x}\n");
    ASSERT_EQ(loaded->AnalyzeError, "");
    EXPECT_THAT(DescribeAll(HealthOf(loaded->Ws)), IsEmpty());
}

TEST(DialogHealth, MissingDialogStart) {
    TTempFolder folder;
    const std::string script = DialogScript(
        {"Node1"}, {"function Node1;\nbegin\n  Answer(1, 100, @Node1);\nend;\n"}, "Start");
    const auto loaded = LoadScript(folder, script, "{100}{}{x}\n");
    ASSERT_EQ(loaded->AnalyzeError, "");
    EXPECT_THAT(DescribeKind(HealthOf(loaded->Ws), TFindingKind::MissingTarget),
                ElementsAre("missing-target " + std::to_string(LineOf(script, "OpenDialog")) +
                            ": dialog start \"Start\" names no node"));
}

// A chain far deeper than any call stack: the walk must not recurse.
TEST(DialogHealth, HundredThousandDeepChain) {
    TNullPort port;
    TWorkspace ws(port);
    constexpr int Count = 100000;
    for (int i = 0; i < Count; ++i) {
        TNodeKeep node;
        node.Name = 'N' + std::to_string(i);
        if (i + 1 < Count) {
            TNodeListsBuilder lists;
            lists.AddJump('N' + std::to_string(i + 1), 0);
            node.Lists = lists.Finish();
        }
        ws.Nodes.Edit().push_back(std::move(node));
    }
    ws.ScriptStream.Bytes = "begin OpenDialog(x); N0; end.";
    ws.ScriptStream.Position = 0;
    ws.Scanner.ScanStream(ws.ScriptStream);
    EXPECT_THAT(DescribeAll(HealthOf(ws)),
                ElementsAre("dead-end 0 N99999: node \"N99999\" offers no answer and calls no "
                            "node"));
}

// The same chain written as a script: Analyze reads every node, Build Dialog Tree follows the
// calls one level deeper each, and the checks walk it, none of them on the call stack. A call
// counts only for a name declared forward.
TEST(DialogHealth, HundredThousandDeepChainThroughAnalyzeAndTheTree) {
    constexpr int Count = 100000;
    std::vector<std::string> names, nodes;
    for (int i = 1; i <= Count; ++i) {
        names.push_back("Node" + std::to_string(i));
        const std::string call = i < Count ? "  Node" + std::to_string(i + 1) + ";\n" : "";
        nodes.push_back("function Node" + std::to_string(i) + ";\nbegin\n  Say(Self, 1, 100);\n" +
                        call + "end;\n");
    }
    TTempFolder folder;
    const auto loaded = LoadScript(folder, DialogScript(names, nodes), "{100}{}{Hello}\n");
    ASSERT_EQ(loaded->AnalyzeError, "");
    TWorkspace& ws = loaded->Ws;
    ASSERT_EQ(ws.NodeCount(), Count + 1); // and the start node
    Button4Click(ws);
    const TTreeItem& deepest = ws.DialogsTree.Item(ws.DialogsTree.Count() - 1);
    EXPECT_EQ(deepest.Caption, "Node" + std::to_string(Count));
    EXPECT_GT(deepest.Depth, Count);
    TCheckOptions options;
    options.ScriptPath = loaded->ScriptPath;
    EXPECT_THAT(DescribeKind(RunChecks(ws, options), TFindingKind::DeadEnd),
                ElementsAre(::testing::HasSubstr("Node" + std::to_string(Count))));
}

} // namespace
} // namespace dialoscope::test

#include "test_workspace.h"

#include "dialogtree/detail/progress.h"
#include "dialogtree/dialog_tree.h"
#include "dialogtree/node_index.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace dialoscope {
namespace {

using testing::DescribeTree;
using testing::ScanScript;
using testing::SetNodes;
using testing::TNodeSpec;
using testing::TRecordingPort;

const std::string OneDialog = "procedure Start;\r\n"
                              "begin\r\n"
                              "  OpenDialog(GetObjectID(0));\r\n"
                              "  Node001;\r\n"
                              "end;\r\n"
                              "\r\n"
                              "end.\r\n";

const std::string TwoDialogs = "procedure Start;\r\n"
                               "begin\r\n"
                               "  OpenDialog(GetObjectID(0));\r\n"
                               "  Node001;\r\n"
                               "  OpenDialog(GetObjectID(1));\r\n"
                               "  Node001;\r\n"
                               "end;\r\n"
                               "\r\n"
                               "end.\r\n";

struct TTreeCase {
    const char* Behaviour;
    std::string Script;
    std::vector<TNodeSpec> Nodes;
    std::string Tree;
    std::vector<std::string> Messages;
};

std::int32_t CountBranches(const TOutlineTree& tree) {
    std::int32_t count = 0;
    for (const auto& item : tree.Items()) {
        count += (item.Image == imgLine || item.Image == imgRepeat) ? 1 : 0;
    }
    return count;
}

TEST(DialogTree, BuildsTheExpectedTree) {
    const std::string notFound = "Error when retrieving Node!";
    const TTreeCase cases[] = {
        {"a node that jumps to itself",
         OneDialog,
         {{"Node001", {}, {"Node001"}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    Node001 #4\n"
         "      @Node001 #3\n",
         {}},
        {"two answers of one node lead to the same node",
         OneDialog,
         {{"Node001", {{"answer =101", "Node002"}, {"answer =102", "Node002"}}, {}},
          {"Node002", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Node002 #1\n"
         "    answer =102 #2\n"
         "      @Node002 #3\n",
         {}},
        {"an answer back to the start node",
         OneDialog,
         {{"Node001", {{"answer =101", "Node002"}}, {}},
          {"Node002", {{"answer =103", "Node001"}}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Node002 #1\n"
         "        answer =103 #2\n"
         "          @Node001 #3\n",
         {}},
        {"answers before jumps, each branch complete before the next",
         OneDialog,
         {{"Node001", {{"answer =101", "Node002"}}, {"Node003"}},
          {"Node002", {}, {"Node003"}},
          {"Node003", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Node002 #1\n"
         "        Node003 #4\n"
         "          Node003 #1\n"
         "    Node003 #4\n"
         "      @Node003 #3\n",
         {}},
        {"two OpenDialog at one node expand it twice",
         TwoDialogs,
         {{"Node001", {{"answer =101", "Node002"}}, {}}, {"Node002", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Node002 #1\n"
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Node002 #1\n",
         {}},
        {"opendialog in other letter case opens nothing",
         "procedure Start;\r\nbegin\r\n  opendialog(GetObjectID(0));\r\n  Node001;\r\nend;\r\n"
         "\r\nend.\r\n",
         {{"Node001", {}, {}}},
         "",
         {}},
        {"a jump to a name in other letter case: one message per root and name",
         TwoDialogs,
         {{"Node001", {}, {"node002", "node002"}}, {"Node002", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    node002 #4\n"
         "      node002 #1\n"
         "    node002 #4\n"
         "      @node002 #3\n"
         "Dialog #0\n"
         "  Node001 #1\n"
         "    node002 #4\n"
         "      node002 #1\n"
         "    node002 #4\n"
         "      @node002 #3\n",
         {notFound, notFound}},
        {"no OpenDialog",
         "procedure Start;\r\nbegin\r\n  Node001;\r\nend;\r\n\r\nend.\r\n",
         {{"Node001", {}, {}}},
         "",
         {}},
        {"no node records: every start name is missing",
         OneDialog,
         {},
         "Dialog #0\n"
         "  Node001 #1\n",
         {notFound}},
        {"the last record of a name wins",
         OneDialog,
         {{"Node001", {}, {"Node002"}}, {"Node002", {}, {"Node003"}}, {"Node002", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    Node002 #4\n"
         "      Node002 #1\n",
         {}},
        {"an answer to a missing node shows a childless node item",
         OneDialog,
         {{"Node001", {{"answer =101", "Missing"}, {"answer =102", "Missing"}}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n"
         "    answer =101 #2\n"
         "      Missing #1\n"
         "    answer =102 #2\n"
         "      @Missing #3\n",
         {notFound}},
        {"a script that ends right after OpenDialog",
         "procedure Start;\r\nbegin\r\n  OpenDialog",
         {{"Node001", {}, {}}},
         "Dialog #0\n",
         {}},
        {"no identifier followed by ; after OpenDialog",
         "procedure Start;\r\nbegin\r\n  OpenDialog(Node001)\r\nend.\r\n",
         {{"Node001", {}, {}}},
         "Dialog #0\n",
         {}},
        {"no closing full stop: the build runs to the end of the tokens",
         "procedure Start;\r\nbegin\r\n  OpenDialog(GetObjectID(0));\r\n  Node001;\r\nend;\r\n",
         {{"Node001", {}, {}}},
         "Dialog #0\n"
         "  Node001 #1\n",
         {}},
        {"the first token is never examined",
         "OpenDialog(GetObjectID(0));\r\nNode001;\r\nend.\r\n",
         {{"Node001", {}, {}}},
         "",
         {}},
        {"the scan stops before the closing end.",
         "procedure Start;\r\nbegin\r\nend.\r\nOpenDialog(GetObjectID(0));\r\nNode001;\r\n",
         {{"Node001", {}, {}}},
         "",
         {}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Behaviour);
        TRecordingPort port;
        TWorkspace ws(port);
        ScanScript(ws, row.Script);
        SetNodes(ws, row.Nodes);
        Button4Click(ws);
        EXPECT_EQ(DescribeTree(ws.DialogsTree), row.Tree);
        EXPECT_EQ(port.Messages, row.Messages);
        ASSERT_FALSE(port.Progress.empty());
        EXPECT_EQ(port.Progress.back(), 0);
        EXPECT_EQ(port.ProcessMessagesCalls, CountBranches(ws.DialogsTree));
    }
}

TEST(DialogTree, BuildAfterLoadBeforeAnalyzeIsEmpty) {
    TRecordingPort port;
    TWorkspace ws(port);
    ScanScript(ws, OneDialog);
    SetNodes(ws, {{"Node001", {}, {}}});
    Button4Click(ws);
    ASSERT_EQ(ws.DialogsTree.Count(), 2);
    // Load releases the tokens but keeps the records of the earlier Analyze.
    ws.Scanner.ClearTokens();
    Button4Click(ws);
    EXPECT_EQ(ws.DialogsTree.Count(), 0);
    EXPECT_TRUE(port.Messages.empty());
    EXPECT_EQ(port.Progress.back(), 0);
}

TEST(DialogTree, ProgressMovesInWholeChangingPercentsAndEndsAtZero) {
    std::string script = "procedure Start;\r\nbegin\r\n";
    for (int i = 0; i < 300; ++i) {
        script += "  x := 1;\r\n";
    }
    script += "end;\r\n\r\nend.\r\n";
    TRecordingPort port;
    TWorkspace ws(port);
    ScanScript(ws, script);
    Button4Click(ws);
    ASSERT_GE(port.Progress.size(), 3U);
    for (std::size_t i = 1; i + 1 < port.Progress.size(); ++i) {
        EXPECT_LT(port.Progress[i - 1], port.Progress[i]);
    }
    EXPECT_GE(port.Progress[port.Progress.size() - 2], 99);
    EXPECT_EQ(port.Progress.back(), 0);
}

TEST(DialogTree, PercentRoundsHalvesToEven) {
    const struct {
        std::int32_t Done, Total;
        int Percent;
    } cases[] = {{1, 8, 12}, {3, 8, 38}, {5, 8, 62},  {7, 8, 88}, {1, 16, 6},
                 {1, 3, 33}, {2, 3, 67}, {1, 1, 100}, {0, 5, 0}};
    for (const auto& row : cases) {
        SCOPED_TRACE(std::to_string(row.Done) + "/" + std::to_string(row.Total));
        EXPECT_EQ(PercentOf(row.Done, row.Total), row.Percent);
    }
}

TEST(DialogTree, ProgressStepsShowWhatEveryPositionWouldShow) {
    const std::int32_t totals[] = {1, 2, 3, 7, 8, 199, 200, 201, 1000, 12345, 1000003};
    const std::int32_t strides[] = {1, 3, 97};
    for (const std::int32_t total : totals) {
        for (const std::int32_t stride : strides) {
            SCOPED_TRACE(std::to_string(total) + " by " + std::to_string(stride));
            TRecordingPort port;
            TProgressSteps steps(port, total);
            std::vector<int> expected;
            for (std::int32_t done = 1; done <= total; done += stride) {
                steps.Reached(done);
                const int percent = PercentOf(done, total);
                if (expected.empty() || expected.back() != percent) {
                    expected.push_back(percent);
                }
            }
            EXPECT_EQ(port.Progress, expected);
        }
    }
}

TEST(DialogTree, ChainOfAHundredThousandNodesDoesNotExhaustTheStack) {
    constexpr int Length = 100000;
    TRecordingPort port;
    TWorkspace ws(port);
    ScanScript(ws, OneDialog);
    std::deque<TNodeKeep>& nodes = ws.Nodes.Edit();
    nodes.resize(Length);
    for (int i = 0; i < Length; ++i) {
        nodes[static_cast<std::size_t>(i)].Name = i == 0 ? "Node001" : 'C' + std::to_string(i);
        if (i + 1 < Length) {
            TNodeListsBuilder lists;
            lists.AddJump('C' + std::to_string(i + 1), 0);
            nodes[static_cast<std::size_t>(i)].Lists = lists.Finish();
        }
    }
    Button4Click(ws);
    EXPECT_EQ(ws.DialogsTree.Count(), 1 + Length + (Length - 1));
    const TTreeItem& last = ws.DialogsTree.Item(ws.DialogsTree.Count() - 1);
    EXPECT_EQ(last.Caption, 'C' + std::to_string(Length - 1));
    EXPECT_EQ(last.Depth, 2 * Length - 1);
    EXPECT_TRUE(port.Messages.empty());
}

// A port that runs another command while the build lets window messages through.
class TInterferingPort : public TRecordingPort {
public:
    void ProcessMessages() override {
        TRecordingPort::ProcessMessages();
        if (ProcessMessagesCalls == InterfereAt && Interfere) {
            Interfere();
        }
    }
    int InterfereAt = 0;
    std::function<void()> Interfere;
};

std::vector<TNodeSpec> LoopingNodes() {
    return {{"Node001", {{"answer =101", "Node002"}, {"answer =102", "Node003"}}, {"Node003"}},
            {"Node002", {{"answer =103", "Node001"}}, {"Node003"}},
            {"Node003", {{"answer =104", "Node002"}}, {}}};
}

TEST(DialogTree, StopsWhenAnotherCommandEmptiesTheTreeMidway) {
    TInterferingPort port;
    TWorkspace ws(port);
    ScanScript(ws, TwoDialogs);
    SetNodes(ws, LoopingNodes());
    port.InterfereAt = 3;
    port.Interfere = [&ws] {
        // What Analyze does first: the records go and both trees are emptied.
        ws.Nodes.clear();
        ws.DialogsTree.Clear();
    };
    Button4Click(ws);
    EXPECT_EQ(ws.DialogsTree.Count(), 0);
    EXPECT_EQ(port.ProcessMessagesCalls, 3);
    EXPECT_EQ(port.Progress.back(), 0);
}

TEST(DialogTree, ABuildStartedDuringABuildLeavesOneWholeTree) {
    TRecordingPort plainPort;
    TWorkspace plain(plainPort);
    ScanScript(plain, TwoDialogs);
    SetNodes(plain, LoopingNodes());
    Button4Click(plain);

    TInterferingPort port;
    TWorkspace ws(port);
    ScanScript(ws, TwoDialogs);
    SetNodes(ws, LoopingNodes());
    port.InterfereAt = 2;
    port.Interfere = [&ws] { Button4Click(ws); };
    Button4Click(ws);
    EXPECT_EQ(DescribeTree(ws.DialogsTree), DescribeTree(plain.DialogsTree));
    EXPECT_EQ(port.Progress.back(), 0);
}

TEST(FindNodeByName, LastRecordWinsExactCaseAndMessageWhenNone) {
    TRecordingPort port;
    TWorkspace ws(port);
    SetNodes(ws,
             {{"Node001", {}, {}}, {"Node002", {}, {}}, {"Node001", {}, {}}, {"node001", {}, {}}});
    const TNodeIndex index(ws.Nodes);
    const struct {
        const char* Name;
        std::int32_t Index;
    } cases[] = {{"Node001", 2}, {"Node002", 1}, {"node001", 3}, {"NODE001", -1}, {"", -1}};
    int misses = 0;
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FindNodeByName(ws, row.Name), row.Index);
        EXPECT_EQ(index.Find(row.Name), row.Index);
        misses += row.Index < 0 ? 1 : 0;
    }
    EXPECT_EQ(port.Messages, std::vector<std::string>(static_cast<std::size_t>(misses),
                                                      "Error when retrieving Node!"));
}

} // namespace
} // namespace dialoscope

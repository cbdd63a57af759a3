#include "test_workspace.h"

#include "dialogtree/searches.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using testing::SetNodes;
using testing::TNodeSpec;
using testing::TRecordingPort;
using Lines = std::vector<std::string>;

TEST(FindMsg, ListsEveryNodeWhoseMarkIsThePlainNumber) {
    TRecordingPort port;
    TWorkspace ws(port);
    SetNodes(ws,
             {{"Node001", {}, {}}, {"Node002", {}, {}}, {"Node003", {}, {}}, {"Node004", {}, {}}});
    ws.Nodes.Edit()[1].SetMsgMark(105, "105");
    ws.Nodes.Edit()[2].SetMsgMark(105, "0105"); // written with a leading zero: not the plain number
    ws.Nodes.Edit()[3].SetMsgMark(105, "105");
    ws.Nodes.Edit()[0].SetMsgMark(100, "100");
    ws.Nodes.Edit()[3].SetMsgMark(100000, "100000");
    const struct {
        std::int32_t Number;
        Lines Output;
    } cases[] = {
        {105, {"Node002 105", "Node004 105"}},
        {106, {"Not found!"}},
        {100, {"Node001 100"}},
        {99, {"Node001 100"}}, // clamped into 100..100000
        {-5, {"Node001 100"}},
        {100000, {"Node004 100000"}},
        {2000000000, {"Node004 100000"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Number);
        port.Output = {"left from before"};
        Button2Click(ws, row.Number);
        EXPECT_EQ(port.Output, row.Output);
    }
}

TEST(FindMsg, BeforeAnyAnalyzeFindsNothing) {
    TRecordingPort port;
    TWorkspace ws(port);
    Button2Click(ws, 100);
    EXPECT_EQ(port.Output, Lines{"Not found!"});
}

TEST(FindNode, FoldsOnlyAsciiLettersAndListsJumpsBeforeAnswers) {
    TRecordingPort port;
    TWorkspace ws(port);
    SetNodes(ws, {
                     {"Node001", {{"answer =101", "Node005"}}, {"Node005", "Node005"}},
                     {"Node002", {{"answer =102", "NODE005"}, {"answer =103", "Node006"}}, {}},
                     {"Node003", {{"answer =104", "Node005"}, {"answer =105", "Node005"}}, {}},
                     {"Node004", {{"answer =106", "\xC0gent"}}, {"\xE0gent"}},
                 });
    const struct {
        const char* Name;
        Lines Output;
    } cases[] = {
        {"node005",
         {"Node001 --> Node005", "Node001 --> Node005", "Node001 --> Node005",
          "Node002 --> NODE005", "Node003 --> Node005", "Node003 --> Node005"}},
        {"NODE006", {"Node002 --> Node006"}},
        // Accented letters are bytes like any other: 0xC0 and 0xE0 differ.
        {"\xC0GENT", {"Node004 --> \xC0gent"}},
        {"\xE0gent", {"Node004 --> \xE0gent"}},
        {"Node00", {"Not found!"}},
        {"", {"Not found!"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Name);
        Button3Click(ws, row.Name);
        EXPECT_EQ(port.Output, row.Output);
    }
}

TEST(NodeText, ShowsTheBodyOfANodeItemWithTabsAsTwoSpaces) {
    TRecordingPort port;
    TWorkspace ws(port);
    SetNodes(ws, {{"Node001", {}, {}}});
    ws.Nodes.Edit()[0].SetBody("function Node001;\r\nbegin\r\n\tSay(Self,\t1);\r\nend;\r\n");
    const std::int32_t nodeItem = ws.GeneralView.Add(TOutlineTree::NoParent, "Node001", imgNode, 0);
    const std::int32_t lineItem = ws.GeneralView.Add(nodeItem, "say =101", imgLine);

    TreeView1Change(ws, nodeItem);
    EXPECT_EQ(port.Output, (Lines{"function Node001;", "begin", "  Say(Self,  1);", "end;"}));

    TreeView1Change(ws, TOutlineTree::NoParent); // no selection: the pane stays as it is
    EXPECT_EQ(port.Output.size(), 4U);

    TreeView1Change(ws, lineItem);
    EXPECT_TRUE(port.Output.empty());

    port.Output = {"x"};
    TreeView1Change(ws, 99); // an item that does not exist shows nothing
    EXPECT_TRUE(port.Output.empty());
}

TEST(NodeListings, SummaryAndBodyListings) {
    TRecordingPort port;
    TWorkspace ws(port);
    Button1Click(ws);
    EXPECT_TRUE(port.Output.empty());
    Button5Click(ws);
    EXPECT_TRUE(port.Output.empty());

    SetNodes(ws, {{"Node001",
                   {{"answer =101", "Node002"}, {"answer =102", "Node003"}},
                   {"Node009"},
                   {"say =100"}},
                  {"Node002", {}, {}}});
    ws.Nodes.Edit()[0].SetBody("function Node001;\r\nbegin\r\nend;\r\n");
    ws.Nodes.Edit()[1].SetBody("function Node002;\r\n\tbegin\r\nend;\r\n");

    Button1Click(ws);
    EXPECT_EQ(port.Output, (Lines{"Node001 1 2", "      answer =101 +++ Node002",
                                  "      answer =102 +++ Node003", "      Jump Node === Node009",
                                  "Node002 0 0"}));
    Button5Click(ws);
    EXPECT_EQ(port.Output, (Lines{"", "function Node001;", "begin", "end;", "", "",
                                  "function Node002;", "  begin", "end;", ""}));
}

} // namespace
} // namespace dialoscope

// What reaches the output pane is whole lines: no tab, no line break, whatever a token carries.

#include "analysis_texts.h"

#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

// Was one pane line holding an LF for Find Msg, Find Node and the node summary when a node is
// named by the error token "$" at a line end; the saved text file then broke inside a line.
TEST(PaneLines, LineBreaksStartNewLinesAndTabsBecomeTwoSpaces) {
    const struct {
        std::string Appended;
        std::vector<std::string> Pane;
    } cases[] = {
        {"Node1 105", {"Node1 105"}},
        {"", {""}},
        {"a\tb", {"a  b"}},
        {"$\n 105", {"$", " 105"}},
        {"$\r --> x", {"$", " --> x"}},
        {"a\r\nb\n\rc\t", {"a", "b", "", "c  "}},
        {"\n", {"", ""}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Appended);
        TAnalyzed a;
        a.Ws.AppendOutput(row.Appended);
        EXPECT_EQ(a.Port.Output, row.Pane);
    }
}

TEST(PaneLines, NodeNamedByALineBreakTokenStaysANode) {
    const auto a = AnalyzeText("function $\nx begin\n  Say(Self, 0, 101);\nend;\n.");
    ASSERT_EQ(a->Ws.NodeCount(), 1);
    EXPECT_EQ(a->Ws.Nodes[0].Name, "$\n");
    EXPECT_EQ(a->Ws.Nodes[0].MsgMark(101), "101");
    for (const std::string& line : a->Port.Output) {
        EXPECT_EQ(line.find_first_of("\t\r\n"), std::string::npos) << line;
    }
}

} // namespace
} // namespace dialoscope::test

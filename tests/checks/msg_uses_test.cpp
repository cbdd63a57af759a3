#include "check_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;

// Where the node analysis says a node uses its messages, calls and answers: what the checks
// point at.
TEST(MsgUses, EveryMessagePartWithItsLine) {
    TTempFolder folder;
    const std::string node = "function Node1;\n"
                             "begin\n"
                             "  Say(Self, 1, 100);\n"
                             "  Say(Self, 2, 3, Rnd(101,103));\n"
                             "  Write(GetStr(104));\n"
                             "  Writeln(GetStr(105) + ' and ' +\n"
                             "    GetStr(106));\n"
                             "  SayWOAnswer(107, 50);\n"
                             "  SayForAnswer(2,108);\n"
                             "  Answer(-1, 109, @Node1);\n"
                             "  Node1;\n"
                             "end;\n";
    const std::string script = DialogScript({"Node1"}, {node});
    const auto loaded = LoadScript(folder, script, "", "talk.int ; this\nother.int ; other\n");
    ASSERT_EQ(loaded->AnalyzeError, "");
    ASSERT_GE(loaded->Ws.Nodes.size(), 1u);
    const TNodeKeep& record = loaded->Ws.Nodes[0];
    // The node's "function" line; the first "function Node1;" is the forward declaration.
    const std::int32_t at = LineOf(script, "Say(Self, 1, 100)") - 2;
    EXPECT_EQ(record.Line, at);
    std::vector<std::string> uses;
    for (const TMsgUse use : record.Lists.MsgUses()) {
        uses.push_back(std::string(use.Ref) + "@" + std::to_string(use.Line - at));
    }
    // Grouped by pass, as the captions are: says and writes, SayWOAnswer, SayForAnswer, answers.
    EXPECT_THAT(uses, ElementsAre("100@2", "101-103@3", "104@4", "105@5", "106@6", "107@7",
                                  "2:108@8", "109@9"));
    ASSERT_EQ(record.AnswerCount(), 1);
    EXPECT_EQ(record.Lists.Answer(0).Line - at, 9);
    ASSERT_EQ(record.JumpCount(), 1);
    EXPECT_EQ(record.Lists.Jump(0), "Node1");
    EXPECT_EQ(record.Lists.JumpLine(0) - at, 10);
}

} // namespace
} // namespace dialoscope::test

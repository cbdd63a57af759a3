#include "analysis/analyze.h"
#include "analysis_texts.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using test::AnalyzeText;
using test::MarkList;
using test::TreeLines;
using Strings = std::vector<std::string>;

// A node with the given body lines between "begin" and "end;", forward-declaring the names in
// forwards, followed by a blank line and the script's end.
std::string Script(const Strings& body, const std::string& forwards = "") {
    std::string text = forwards;
    text += "function Node001;\r\nbegin\r\n";
    for (const auto& line : body) {
        text += "  " + line + "\r\n";
    }
    text += "end;\r\n\r\nend.\r\n";
    return text;
}

// The code argument of Say is written 1, not 0: how "0," followed by a blank scans (a real
// "0," or the integer 0) is the scanner's business, and only the message matters here.
TEST(NodeAnalysis, WorkedCase) {
    const std::string script = "function Node004; forward;\r\n\r\n"
                               "function Node001;\r\n"
                               "begin\r\n"
                               "  Say(Self, 1, 101);\r\n"
                               "  SayForAnswer(102);\r\n"
                               "  Answer(4, 103, @Node002);\r\n"
                               "  Answer(-1, GetStr(104) + GetStr(105), @Node003);\r\n"
                               "  Node004;\r\n"
                               "end;\r\n"
                               "\r\n"
                               "function Node004;\r\n"
                               "begin\r\n"
                               "end;\r\n"
                               "\r\n"
                               "end.\r\n";
    const auto a = AnalyzeText(script);
    EXPECT_EQ(TreeLines(a->Ws.GeneralView), (Strings{
                                                "0:0:Node001",
                                                "1:1:say =101",
                                                "1:1:SayForAnswer =102",
                                                "1:4:answers",
                                                "2:2:answer =103",
                                                "2:2:answer =104 105",
                                                "0:0:Node004",
                                                "1:4:answers",
                                            }));
    ASSERT_EQ(a->Ws.NodeCount(), 2);
    const TNodeKeep& node = a->Ws.Nodes[0];
    EXPECT_EQ(a->Ws.GeneralView.Item(0).Node, 0);
    EXPECT_EQ(a->Ws.GeneralView.Item(6).Node, 1);
    EXPECT_EQ(node.Name, "Node001");
    EXPECT_EQ(test::Strings(node.Lists.Lines()), (Strings{"say =101", "SayForAnswer =102"}));
    ASSERT_EQ(node.AnswerCount(), 2);
    EXPECT_EQ(node.Lists.Answer(0).Caption, "answer =103");
    EXPECT_EQ(node.Lists.Answer(0).Target, "Node002");
    EXPECT_EQ(node.Lists.Answer(1).Caption, "answer =104 105");
    EXPECT_EQ(node.Lists.Answer(1).Target, "Node003");
    EXPECT_EQ(test::Strings(node.Lists.Jumps()), Strings{"Node004"});
    EXPECT_EQ(MarkList(node), (Strings{"101=101", "102=102", "103=103", "104=104", "105=105"}));
    EXPECT_EQ(node.Body(), "function Node001;\r\nbegin\r\n  Say(Self, 1, 101);\r\n"
                           "  SayForAnswer(102);\r\n  Answer(4, 103, @Node002);\r\n"
                           "  Answer(-1, GetStr(104) + GetStr(105), @Node003);\r\n  Node004;\r\n"
                           "end;\r\n");
    // A later Load replaces the script's lines; the records keep the source they were read from.
    const std::string body = node.Body();
    a->Ws.Rich.SetText("another script\r\n");
    EXPECT_EQ(node.Body(), body);
    EXPECT_TRUE(a->Port.Messages.empty());
}

struct TNodeRow {
    Strings Body;
    Strings Tree; // the node's items after its own, as "depth:image:caption"
    Strings Marks;
    Strings Messages = {};
};

void CheckNodeRows(const std::vector<TNodeRow>& rows, std::string_view lst = "",
                   std::string_view intFileName = "talk.int") {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Body.empty() ? "(empty)" : row.Body.front());
        const auto a = AnalyzeText(Script(row.Body), "", lst, intFileName);
        ASSERT_EQ(a->Ws.NodeCount(), 1);
        Strings tree = TreeLines(a->Ws.GeneralView);
        tree.erase(tree.begin());
        EXPECT_EQ(tree, row.Tree);
        EXPECT_EQ(MarkList(a->Ws.Nodes[0]), row.Marks);
        EXPECT_EQ(a->Port.Messages, row.Messages);
    }
}

TEST(NodeAnalysis, SaysAndWrites) {
    CheckNodeRows({
        {{}, {"1:4:answers"}, {}},
        {{"Say(Player, 2, 150);"}, {"1:1:say =150", "1:4:answers"}, {"150=150"}},
        {{"Say(Self, 1, 3, Rnd(100,102));"},
         {"1:1:say =100-102", "1:4:answers"},
         {"100=100", "101=101", "102=102"}},
        {{"Say(GetObjectID(5), 1, 160);"}, {"1:1:say =160", "1:4:answers"}, {"160=160"}},
        // Was image 0 and no marks: another speaker with Rnd now counts like the rest.
        {{"Say(GetObjectID(5), 1, 3, Rnd(170,171));"},
         {"1:1:say =170-171", "1:4:answers"},
         {"170=170", "171=171"}},
        {{"Write(GetStr(200));"}, {"1:1:write =200", "1:4:answers"}, {"200=200"}},
        {{"Writeln(GetStr(201));"}, {"1:1:write =201", "1:4:answers"}, {"201=201"}},
        {{"Write(GetStr(1, Rnd(300,301)));"},
         {"1:1:write =300-301", "1:4:answers"},
         {"300=300", "301=301"}},
        {{"Write('text');"}, {"1:4:answers"}, {}},
        {{"say(Self, 1, 101);", "SAY(Self, 1, 102);", "answer(1, 103, @X);", "write(GetStr(104));"},
         {"1:4:answers"},
         {}},
        // Grouped by pass, whatever the order in the script.
        {{"SayForAnswer(120);", "SayWOAnswer(121, 50);", "Say(Self, 1, 122);"},
         {"1:1:say =122", "1:1:SayWOAnswer =121", "1:1:SayForAnswer =120", "1:4:answers"},
         {"120=120", "121=121", "122=122"}},
    });
}

TEST(NodeAnalysis, Concatenations) {
    CheckNodeRows({
        {{"Write(GetStr(100) + 'abc');"}, {"1:1:write =100 abc", "1:4:answers"}, {"100=100"}},
        {{"Write(GetStr(100) + GetStr(101));"},
         {"1:1:write =100 101", "1:4:answers"},
         {"100=100", "101=101"}},
        {{"Writeln(GetStr(100) + Name + ', ' + GetStr(102));"},
         {"1:1:write =100 Name ,  102", "1:4:answers"},
         {"100=100", "102=102"}},
        {{"SayWOAnswer(3, GetStr(110) + GetStr(111), 50);"},
         {"1:1:SayWOAnswer =110 111", "1:4:answers"},
         {"110=110", "111=111"}},
        {{"SayWOAnswer(3, GetStr(110) + '!', 50);"},
         {"1:1:SayWOAnswer =110 !", "1:4:answers"},
         {"110=110"}},
        {{"SayWOAnswer(3, GetStr(112));"}, {"1:1:SayWOAnswer =112", "1:4:answers"}, {"112=112"}},
        {{"SayForAnswer(1, GetStr(120) + GetStr(121));"},
         {"1:1:SayForAnswer =120 121", "1:4:answers"},
         {"120=120", "121=121"}},
        {{"SayForAnswer(1, GetStr(120) + x end"},
         {"1:1:SayForAnswer =120 x", "1:4:answers"},
         {"120=120"}},
        {{"Answer(1, GetStr(130) + GetStr(131), @Next);"},
         {"1:4:answers", "2:2:answer =130 131"},
         {"130=130", "131=131"}},
        {{"Answer(1, GetStr(130) + ' more', @Next);"},
         {"1:4:answers", "2:2:answer =130  more"},
         {"130=130"}},
    });
}

TEST(NodeAnalysis, AnswersWithNegativeFirstArgumentAndTargets) {
    const auto a = AnalyzeText(Script({"Answer(-1, 120, @Node5);", "Answer(1, 120, @Node5);",
                                       "Answer(-2, GetStr(121) + GetStr(122), @Node6);"}));
    ASSERT_EQ(a->Ws.NodeCount(), 1);
    const TNodeKeep& node = a->Ws.Nodes[0];
    ASSERT_EQ(node.AnswerCount(), 3);
    EXPECT_EQ(node.Lists.Answer(0).Caption, "answer =120");
    EXPECT_EQ(node.Lists.Answer(0).Target, "Node5");
    EXPECT_EQ(node.Lists.Answer(1).Caption, "answer =120");
    EXPECT_EQ(node.Lists.Answer(1).Target, "Node5");
    EXPECT_EQ(node.Lists.Answer(2).Caption, "answer =121 122");
    EXPECT_EQ(node.Lists.Answer(2).Target, "Node6");
    EXPECT_TRUE(node.JumpCount() == 0);
}

TEST(NodeAnalysis, ReferencesIntoOtherScripts) {
    const Strings body = {"Say(Self, 1, 5,123);", "Answer(1, 7,124, @X);",
                          "SayWOAnswer(3, GetStr(5,125) + GetStr(7,126), 50);"};
    // The loaded script is number 5 in scripts.lst.
    CheckNodeRows(
        {{body,
          {"1:1:say =123", "1:1:SayWOAnswer =125 7:126", "1:4:answers", "2:2:answer =7:124"},
          {"123=123", "125=125"}}},
        "a.int 1\r\nb.int 2\r\nc.int 3\r\nd.int 4\r\ntalk.int 5\r\n");
    // Another script is loaded: every reference keeps its script number.
    CheckNodeRows(
        {{body,
          {"1:1:say =5:123", "1:1:SayWOAnswer =5:125 7:126", "1:4:answers", "2:2:answer =7:124"},
          {}}},
        "a.int 1\r\n");
}

TEST(NodeAnalysis, DirectCallsOfForwardDeclaredNodes) {
    const std::string forwards = "function Node5; forward;\r\nfunction Node6; forward;\r\n"
                                 "function Node5; forward;\r\n";
    const auto a = AnalyzeText(Script(
        {"Node5;", "Node6;", "Answer(1, 100, @Node6);", "Other;", "if x then Node6;"}, forwards));
    ASSERT_EQ(a->Ws.NodeCount(), 1);
    // Node5 is declared twice: one entry per declaration and per call site.
    EXPECT_EQ(test::Strings(a->Ws.Nodes[0].Lists.Jumps()),
              (Strings{"Node5", "Node5", "Node6", "Node6"}));
}

// Was: the "func" caption read back as a number, "*" ending Analyze with a conversion error.
TEST(NodeAnalysis, NoForwardDeclarationsMeansNoJumpsAndNoError) {
    const auto a = AnalyzeText(Script({"Node5;", "Answer(1, 100, @Node5);"}));
    ASSERT_EQ(a->Ws.NodeCount(), 1);
    EXPECT_TRUE(a->Ws.Nodes[0].JumpCount() == 0);
    EXPECT_EQ(a->Ws.Counters[4], "*");
    EXPECT_TRUE(a->Ws.AnalysisCommandsEnabled);
}

TEST(NodeAnalysis, NodeWithLocalVarAndBadReferences) {
    const auto a =
        AnalyzeText("function N;\r\nVar i;\r\nbegin\r\n  Say(Self, 1, 99999999999,5);\r\n"
                    "  Answer(1, abc, @M);\r\nend;\r\n\r\nend.");
    ASSERT_EQ(a->Ws.NodeCount(), 1);
    // A script number that does not convert: the reference in a box, an empty message part.
    EXPECT_EQ(test::Strings(a->Ws.Nodes[0].Lists.Lines()), Strings{"say ="});
    EXPECT_EQ(a->Port.Messages, (Strings{"99999999999,5", "Error in number converting!",
                                         "Error in number converting!"}));
}

// Was: a statement without its end marker ran its caption on into the following nodes.
TEST(NodeAnalysis, CaptionWithoutItsEndMarkerStopsAtTheNodeEnd) {
    const std::string script = "function A;\r\nbegin\r\n"
                               "  SayWOAnswer(3, GetStr(110) + GetStr(111), 20);\r\n"
                               "  Answer(1, 120, @B);\r\nend;\r\n\r\n"
                               "function B;\r\nbegin\r\n  Say(Self, 1, 130);\r\nend;\r\n\r\nend.";
    const auto a = AnalyzeText(script);
    ASSERT_EQ(a->Ws.NodeCount(), 2);
    EXPECT_EQ(test::Strings(a->Ws.Nodes[0].Lists.Lines()),
              Strings{"SayWOAnswer =110 111 Answer(1,120,@B);end"});
    EXPECT_EQ(a->Ws.Nodes[0].AnswerCount(), 1);
    EXPECT_EQ(a->Ws.Nodes[1].Name, "B");
    EXPECT_EQ(test::Strings(a->Ws.Nodes[1].Lists.Lines()), Strings{"say =130"});
}

// Was: fixed tables of 1000 nodes, 1000 answers per node and 100000 mark slots per node.
TEST(NodeAnalysis, TablesGrowPastTheOldCapacities) {
    std::string script;
    for (int n = 0; n < 1100; ++n) {
        script += "function N" + std::to_string(n) + ";\r\nbegin\r\n";
        if (n == 0) {
            for (int i = 0; i < 1100; ++i) {
                script += "  Answer(1, 200, @N1);\r\n";
            }
            script += "  Say(Self, 1, 3, Rnd(100,99999999));\r\n";
        }
        script += "end;\r\n\r\n";
    }
    script += "end.\r\n";
    const auto a = AnalyzeText(script);
    ASSERT_EQ(a->Ws.NodeCount(), 1100);
    EXPECT_EQ(a->Ws.Nodes[0].AnswerCount(), 1100);
    EXPECT_EQ(a->Ws.Nodes[0].MsgUsed.Count(), 100000 - 100 + 1);
    EXPECT_EQ(a->Ws.Nodes[1099].Name, "N1099");
}

} // namespace
} // namespace dialoscope

#include "analysis/analyze.h"
#include "analysis/detail/listing_line.h"
#include "analysis/detail/progress.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "analysis_texts.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <array>

namespace dialoscope {
namespace {

using test::AnalyzeText;

TEST(Listing, LineFormat) {
    const struct {
        TTokenView Token;
        const char* Line;
    } rows[] = {
        {{TTokenKind::Keyword, "script", 0, 1, 1, 0}, "    1     1 keyword      script"},
        {{TTokenKind::Identifier, "Node12", 0, 140, 10, 0}, "   10   140 identifier   Node12"},
        {{TTokenKind::Integer, "9", 0, 1234567, 123456, 0}, "123456 1234567 integer      9"},
        {{TTokenKind::Comment, "", 0, 99999, 99999, 0}, "99999 99999 comment      "},
        {{TTokenKind::Real, "1.5", 0, 100000, 0, 0}, "    0 100000 real         1.5"},
        {{TTokenKind::SpecialChar, ";", 0, 2, 3, 0}, "    3     2 special char ;"},
        {{TTokenKind::EndOfFile, "", 0, 1, 1, 0}, "    1     1 end of file  "},
        {{TTokenKind::Error, "$", 0, -12, -1234, 0}, "-1234   -12 error        $"},
        {{TTokenKind::String, "a\tb", 0, 2147483647, -2147483647 - 1, 0},
         "-2147483648 2147483647 string       a\tb"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Line);
        std::string line;
        FormatListingLine(row.Token, line);
        EXPECT_EQ(line, row.Line);
    }
    std::string line;
    FormatListingLine(rows[0].Token, line);
    EXPECT_EQ(line.size(), 31u);
}

TEST(Listing, KindWordsAreTwelveCharacters) {
    for (int kind = 0; kind <= 9; ++kind) {
        EXPECT_EQ(KindWord(static_cast<TTokenKind>(kind)).size(), 12u);
    }
}

TEST(Listing, EveryTokenTheWalkReachesButTheLast) {
    const struct {
        const char* Script;
        std::vector<std::string> Lines;
    } rows[] = {
        {"", {}},
        {"   \r\n\t", {}},
        {"one", {"    1     1 identifier   one"}},
        {"a 'str' 12\r\n  3.5 $1F // note\t here  ",
         {"    1     1 identifier   a", "    3     1 string       str",
          "    9     1 integer      12", "    3     2 real         3.5",
          "    7     2 hex number   1F", "   13     2 comment      note   here"}},
        // A "$" before a line end keeps the line break in its text: two pane lines.
        {"a $\r\nb",
         {"    1     1 identifier   a", "    3     1 error        $", "",
          "    1     2 identifier   b"}},
        // Other letter cases are keywords in the listing but open nothing.
        {"var x; VAR y; Uses z; Script q",
         {"    1     1 keyword      var", "    5     1 identifier   x",
          "    6     1 special char ;", "    8     1 keyword      VAR",
          "   12     1 identifier   y", "   13     1 special char ;",
          "   15     1 keyword      Uses", "   20     1 identifier   z",
          "   21     1 special char ;", "   23     1 keyword      Script",
          "   30     1 identifier   q"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Script);
        const auto a = AnalyzeText(row.Script);
        EXPECT_EQ(a->Port.Output, row.Lines);
        EXPECT_TRUE(a->Ws.AnalysisCommandsEnabled);
        EXPECT_EQ(a->Port.Progress.back(), 0);
    }
}

TEST(Listing, SectionsAndNodesListOnlyTheirKeyword) {
    const auto a = AnalyzeText("script s ( 'm.msg' ) ;\r\nuses A, B;\r\nVar x;\r\n"
                               "function N; forward;\r\nfunction N;\r\nbegin\r\nend;\r\nend.");
    EXPECT_EQ(a->Port.Output, (std::vector<std::string>{
                                  "    1     1 keyword      script",
                                  "    1     2 keyword      uses",
                                  "    1     3 keyword      Var",
                                  "    1     4 keyword      function",
                                  "    1     5 keyword      function",
                                  "    4     8 special char .",
                              }));
}

TEST(Progress, RoundsHalfToEven) {
    const struct {
        std::int64_t P, Last;
        std::int32_t Percent;
    } rows[] = {
        {1, 8, 12}, {3, 8, 38}, {5, 8, 62},  {7, 8, 88}, {0, 8, 0},  {8, 8, 100},
        {1, 3, 33}, {2, 3, 67}, {1, 200, 0}, {3, 40, 8}, {1, 40, 2}, {2000000000, 2000000000, 100},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.P) + "/" + std::to_string(row.Last));
        EXPECT_EQ(ProgressPercent(row.P, row.Last), row.Percent);
    }
}

TEST(Progress, FollowsTheWalkAndReturnsToZero) {
    const auto a = AnalyzeText("a b c d e f g h"); // N - 1 = 8
    EXPECT_EQ(a->Port.Progress, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 0}));
    EXPECT_EQ(a->Port.ProcessMessagesCalls, 8);
}

TEST(Analyze, BadMessageLineEndsAnalyzeBeforeThePass) {
    test::TAnalyzed a;
    test::LoadTexts(a.Ws, "function N; begin end; end.", "{100}{}{ok}\r\n{x1}{}{hex}\r\n{bad}{}{}");
    a.Ws.GeneralView.Add(TOutlineTree::NoParent, "from before");
    a.Port.Output = {"from before"};
    try {
        sbRestartClick(a.Ws);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'bad' is not a valid integer value");
    }
    EXPECT_TRUE(a.Port.Output.empty());
    EXPECT_EQ(a.Ws.GeneralView.Count(), 0);
    EXPECT_EQ(a.Ws.NodeCount(), 0);
    EXPECT_FALSE(a.Ws.AnalysisCommandsEnabled);
}

TEST(Analyze, RunningTwiceGivesTheSameResult) {
    test::TAnalyzed a;
    test::LoadTexts(a.Ws, "function N; forward;\r\nfunction N;\r\nbegin\r\n  Say(Self, 1, 101);\r\n"
                          "  N;\r\nend;\r\n\r\nend.");
    sbRestartClick(a.Ws);
    const auto output = a.Port.Output;
    const auto tree = test::TreeLines(a.Ws.GeneralView);
    sbRestartClick(a.Ws);
    EXPECT_EQ(a.Port.Output, output);
    EXPECT_EQ(test::TreeLines(a.Ws.GeneralView), tree);
    ASSERT_EQ(a.Ws.NodeCount(), 1);
    EXPECT_EQ(test::Strings(a.Ws.Nodes[0].Lists.Jumps()), std::vector<std::string>{"N"});
}

TEST(Analyze, ScriptEndingEarlyEndsThePassNormally) {
    const struct {
        const char* Script;
        std::size_t ListedLines;
        std::int32_t Nodes;
        std::array<const char*, 5> Counters;
    } rows[] = {
        {"script", 1, 0, {"", "", "*", "*", "*"}},
        {"script s (", 1, 0, {"s", "", "*", "*", "*"}},
        {"uses", 1, 0, {"*", "*", "0", "*", "*"}},
        {"uses A", 1, 0, {"*", "*", "1", "*", "*"}},
        {"uses A, B", 1, 0, {"*", "*", "2", "*", "*"}},
        {"Var a, b", 1, 0, {"*", "*", "*", "2", "*"}},
        {"function A; forward;", 1, 0, {"*", "*", "*", "*", "1"}},
        {"function A; forward; function B", 3, 0, {"*", "*", "*", "*", "1"}},
        {"function A; begin", 1, 1, {"*", "*", "*", "*", "*"}},
        {"function A; begin Say(Self, 1, 101);", 1, 1, {"*", "*", "*", "*", "*"}},
        {"function A; begin Answer(1, GetStr(101) + GetStr(", 1, 1, {"*", "*", "*", "*", "*"}},
        {"function A; begin SayForAnswer(1, GetStr(101) + 'x' + y",
         1,
         1,
         {"*", "*", "*", "*", "*"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Script);
        const auto a = AnalyzeText(row.Script);
        EXPECT_EQ(a->Port.Output.size(), row.ListedLines);
        EXPECT_EQ(a->Ws.NodeCount(), row.Nodes);
        for (std::size_t c = 0; c < 5; ++c) {
            EXPECT_EQ(a->Ws.Counters[c], row.Counters[c]) << "counter " << c;
        }
        EXPECT_TRUE(a->Ws.AnalysisCommandsEnabled);
        EXPECT_EQ(a->Port.Progress.back(), 0);
    }
}

} // namespace
} // namespace dialoscope

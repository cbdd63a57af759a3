#include "analysis/analyze.h"
#include "analysis_texts.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using test::AnalyzeText;
using Names = std::vector<std::string>;

TEST(HeaderSections, ScriptHeaderTakesTheNameAndTheMessageFile) {
    const auto a = AnalyzeText("script Guard('guard.msg');\r\nend.");
    EXPECT_EQ(a->Ws.Counters[0], "Guard");
    EXPECT_EQ(a->Ws.Counters[1], "guard.msg");
    EXPECT_EQ(a->Ws.MsgFileName, "guard.msg");
}

TEST(HeaderSections, UsesSection) {
    const struct {
        const char* Script;
        Names Units;
        const char* Counter;
    } rows[] = {
        {"uses Only;", {"Only"}, "1"},
        {"uses A, B, C;", {"A", "B", "C"}, "3"},
        {"uses ;;", {";"}, "1"}, // the first name is taken whatever it is
        // A second section refills from entry 1; a shorter one keeps the entries above.
        {"uses A, B, C; uses D;", {"D", "B", "C"}, "1"},
        {"uses A; uses", {"A"}, "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Script);
        const auto a = AnalyzeText(row.Script);
        EXPECT_EQ(a->Ws.Units, row.Units);
        EXPECT_EQ(a->Ws.Counters[2], row.Counter);
    }
}

TEST(HeaderSections, VarSectionEndsBeforeTheNextKeyword) {
    const struct {
        const char* Script;
        Names Vars;
        const char* Counter;
    } rows[] = {
        {"Var a, b, c;\r\nfunction N; forward;", {"a", "b", "c"}, "3"},
        {"Var x; y; z;\r\nuses Q;", {"x", "y", "z"}, "3"}, // separators are not checked
        {"Var n : integer; function F;", {"n", "integer"}, "2"},
        {"Var a, b, c; Var d; begin", {"d", "b", "c"}, "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Script);
        const auto a = AnalyzeText(row.Script);
        EXPECT_EQ(a->Ws.Vars, row.Vars);
        EXPECT_EQ(a->Ws.Counters[3], row.Counter);
    }
}

TEST(HeaderSections, ForwardSection) {
    const struct {
        const char* Script;
        Names Funcs;
        const char* Counter;
        std::int32_t ForwardCount;
    } rows[] = {
        {"function A; forward;", {"A"}, "1", 1},
        {"function A; forward;\r\nfunction B; forward;\r\nfunction C; forward;",
         {"A", "B", "C"},
         "3",
         3},
        // The first token of a later group is not checked.
        {"function A; forward; junk B; forward;", {"A", "B"}, "2", 2},
        {"function A; forward; function B; forward; function C; forward;\r\n"
         "Var v;\r\nfunction D; forward;",
         {"D", "B", "C"},
         "1",
         1},
        {"function a; Forward;", {}, "*", 0}, // only "forward" in this case counts
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Script);
        const auto a = AnalyzeText(row.Script);
        EXPECT_EQ(a->Ws.Funcs, row.Funcs);
        EXPECT_EQ(a->Ws.Counters[4], row.Counter);
        EXPECT_EQ(a->Ws.ForwardCount, row.ForwardCount);
    }
}

TEST(HeaderSections, AnalyzeDoesNotResetTheCounters) {
    test::TAnalyzed a;
    test::LoadTexts(a.Ws, "uses A, B;");
    sbRestartClick(a.Ws);
    test::LoadTexts(a.Ws, "Var v;");
    sbRestartClick(a.Ws); // a section missing from the script leaves its counter
    EXPECT_EQ(a.Ws.Counters[2], "2");
    EXPECT_EQ(a.Ws.Counters[3], "1");
}

} // namespace
} // namespace dialoscope

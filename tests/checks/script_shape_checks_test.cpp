#include "check_support.h"

#include "checks/run_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAreArray;

std::vector<TFinding> CheckScript(const std::string& script, const std::string& messages) {
    TTempFolder folder;
    const auto loaded = LoadScript(folder, script, messages);
    EXPECT_EQ(loaded->AnalyzeError, "");
    return RunChecks(loaded->Ws, TCheckOptions{loaded->ScriptPath, nullptr, ""});
}

std::string NodeSaying(const std::string& statement) {
    return "function Node1;\nbegin\n  " + statement + "\n  CloseDialog;\nend;\n";
}

// Was: Rnd(119,117) gave no finding, and 117-119 were called unused.
TEST(ScriptShapeChecks, ReversedRangeIsNamedAndReadInNumberOrder) {
    const std::string messages = "{100}{}{a}\n{101}{}{b}\n{102}{}{c}\n{103}{}{d}\n";
    struct TRow {
        std::string Statement;
        std::vector<std::string> Reversed;
        std::vector<std::string> Unused;
    };
    const TRow rows[] = {
        {"Say(Self, 1, 100); Say(Self, 2, 3, Rnd(103,101));",
         {"reversed-range 11 Node1 #101: range 103-101 runs from high to low: read as 101-103"},
         {}},
        {"Say(Self, 1, 100); Say(Self, 2, 3, Rnd(101,103));", {}, {}},
        {"Say(Self, 1, 100); Say(Self, 2, 3, Rnd(102,102));",
         {},
         {"unused-message 2 #101: message 101 is not used by any node",
          "unused-message 4 #103: message 103 is not used by any node"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Statement);
        const auto findings =
            CheckScript(DialogScript({"Node1"}, {NodeSaying(row.Statement)}), messages);
        EXPECT_THAT(DescribeKind(findings, TFindingKind::ReversedRange),
                    ElementsAreArray(row.Reversed));
        EXPECT_THAT(DescribeKind(findings, TFindingKind::UnusedMessage),
                    ElementsAreArray(row.Unused));
    }
}

// Was: a block comment left open swallowed the rest of the script without a word.
TEST(ScriptShapeChecks, UnclosedCommentAtTheLineItOpens) {
    const std::string unclosed = "unclosed-comment 3: the comment opened by \"<!--\" has no "
                                 "\"-->\": the rest of the script is comment";
    struct TRow {
        std::string Tail; // after two lines of code
        std::vector<std::string> Expected;
    };
    const TRow rows[] = {
        {"<!-- open\nfunction Hidden;\nbegin\nend;\n", {unclosed}},
        {"<!--", {unclosed}},
        {"<!-- a --> <!-- b\nend.\n", {unclosed}},
        {"<!-- a\nb -->\nend.\n", {}},
        {"<!-- a -->\n// b <!--\n", {}},
        {"// <!-- in a line comment\n", {}},
        {"'<!-- in a string'\n", {}},
        {"", {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Tail);
        const auto findings = CheckScript("script Talk('talk.msg');\n\n" + row.Tail, "");
        EXPECT_THAT(DescribeKind(findings, TFindingKind::UnclosedComment),
                    ElementsAreArray(row.Expected));
    }
}

} // namespace
} // namespace dialoscope::test

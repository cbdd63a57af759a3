#include "check_support.h"

#include "checks/run_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string UsesNode1 = "function Node1;\n"
                              "begin\n"
                              "  Say(Self, 1, 100);\n"
                              "  Answer(1, 199, @Node2);\n"
                              "  Answer(1, GetStr(101) +\n"
                              "    GetStr(198), @Node2);\n"
                              "end;\n";
const std::string UsesNode2 = "function Node2;\n"
                              "begin\n"
                              "  Say(Self, 2, 3, Rnd(102,106));\n"
                              "  Say(Self, 1, 2,500);\n"
                              "  Say(Self, 1, 2,501);\n"
                              "  Say(Self, 1, 7,5);\n"
                              "  Say(Self, 1, 3,5);\n"
                              "  Say(Self, 1, 1,107);\n"
                              "  if GetStr(108) = 'x' then a := 1;\n"
                              "  Answer(1, 100, @Node1);\n"
                              "end;\n";
const std::string UsesMessages = "{100}{}{a}\n{101}{}{b}\n{102}{}{c}\n{103}{}{d}\n{104}{}{e}\n"
                                 "{107}{}{f}\n{108}{}{g}\n{109}{}{nobody}\n# comment\n"
                                 "{110}{}{first}\n{110}{}{second}\n";

class MessageUseChecks : public ::testing::Test {
protected:
    void SetUp() override {
        Script = DialogScript({"Node1", "Node2"}, {UsesNode1, UsesNode2});
        Loaded = LoadScript(Folder, Script, UsesMessages,
                            "talk.int ; this\nother.int ; other\nthree.int ; no file\n");
        ASSERT_EQ(Loaded->AnalyzeError, "");
        Folder.Write("other.msg", "{500}{}{there}\n");
        Findings = RunChecks(Loaded->Ws, TCheckOptions{Loaded->ScriptPath, nullptr, ""});
    }
    std::int32_t Line(std::string_view needle) const { return LineOf(Script, needle); }

    TTempFolder Folder;
    std::string Script;
    std::unique_ptr<TLoaded> Loaded;
    std::vector<TFinding> Findings;
};

TEST_F(MessageUseChecks, MissingMessagesNameTheNodeAndTheLine) {
    const std::string line199 = std::to_string(Line("Answer(1, 199"));
    const std::string line198 = std::to_string(Line("GetStr(198)"));
    const std::string lineRnd = std::to_string(Line("Rnd(102,106)"));
    EXPECT_THAT(
        DescribeKind(Findings, TFindingKind::MissingMessage),
        ElementsAre("missing-message " + line199 + " Node1 #199: message 199 is not in talk.msg",
                    "missing-message " + line198 + " Node1 #198: message 198 is not in talk.msg",
                    "missing-message " + lineRnd +
                        " Node2 #105: range 102-106: 105, 106 are not in talk.msg"));
}

TEST_F(MessageUseChecks, ReferencesIntoOtherScripts) {
    // Script 3 has no message file beside the script: nothing to say about 3,5.
    EXPECT_THAT(DescribeKind(Findings, TFindingKind::BadScriptRef),
                ElementsAre("bad-script-ref " + std::to_string(Line("2,501")) +
                                " Node2 #501: 2:501: message 501 is not in other.msg",
                            "bad-script-ref " + std::to_string(Line("7,5")) +
                                " Node2 #5: 7:5: script 7 is not in scripts.lst"));
}

TEST_F(MessageUseChecks, UnusedAndDuplicateMessagesPointIntoTheMessageFile) {
    // 102-104 are used through the range, 107 through "1,107" of this very script, 108 through
    // a GetStr in a condition.
    EXPECT_THAT(DescribeKind(Findings, TFindingKind::UnusedMessage),
                ElementsAre("unused-message 8 #109: message 109 is not used by any node",
                            "unused-message 10 #110: message 110 is not used by any node"));
    EXPECT_THAT(DescribeKind(Findings, TFindingKind::DuplicateMessage),
                ElementsAre("duplicate-message 11 #110: message 110 is already defined on line "
                            "10; this later line wins"));
    for (const TFinding& finding : Findings) {
        if (finding.Kind == TFindingKind::UnusedMessage) {
            EXPECT_EQ(finding.File, Folder.Path("talk.msg"));
            EXPECT_EQ(finding.Source, TFindingSource::Messages);
        }
    }
}

TEST(MessageFileChecks, EveryBadLineIsReportedWhereAnalyzeStopsAtTheFirst) {
    TTempFolder folder;
    const auto loaded = LoadScript(folder, DialogScript({}, {}),
                                   "{100}{}{ok}\n"
                                   "Hello without braces\n"
                                   "{abc}{}{x}\n"
                                   "   # comment\n"
                                   "{ 101}{}{leading blanks convert}\n"
                                   "{102 }{}{trailing blanks do not}\n"
                                   "\n"
                                   "{0x64}{}{hex converts}\n");
    EXPECT_EQ(loaded->AnalyzeError, "'' is not a valid integer value");
    const auto findings =
        RunMessageFileChecks(loaded->Ws, TCheckOptions{loaded->ScriptPath, nullptr, ""});
    EXPECT_THAT(DescribeAll(findings),
                ElementsAre("bad-message-line 2: '' is not a valid integer value",
                            "bad-message-line 3: 'abc' is not a valid integer value",
                            "bad-message-line 6: '102 ' is not a valid integer value",
                            "duplicate-message 8 #100: message 100 is already defined on line 1; "
                            "this later line wins"));
    EXPECT_TRUE(HasErrors(findings));
}

// Was silent: the fixed cut and the text field differ on real files, and nothing said so.
TEST(MessageFileChecks, IrregularLinesNameBothReadings) {
    TTempFolder folder;
    const auto loaded = LoadScript(folder, DialogScript({}, {}),
                                   "{100}{grd_halt}{Halt! State your business.}\n"
                                   "  {101} {} { Well?}\n"
                                   "{102}{}{a {b} c}\n"
                                   "{103}{}{open\n"
                                   "{104}{}{same}\n");
    const auto findings =
        RunMessageFileChecks(loaded->Ws, TCheckOptions{loaded->ScriptPath, nullptr, ""});
    EXPECT_THAT(DescribeAll(findings),
                ElementsAre("irregular-message-line 1 #100: message 100: the window's tables read "
                            "\"d_halt}{Halt! State your business.\" here, the text is \"Halt! "
                            "State your business.\"",
                            "irregular-message-line 2 #101: message 101: the window's tables read "
                            "\" { Well?\" here, the text is \" Well?\"",
                            "irregular-message-line 4 #103: message 103: the line does not split "
                            "into {number}{middle}{text}; the window's tables read \"ope\" here, "
                            "and an import will not write into it"));
    EXPECT_FALSE(HasErrors(findings));
}

TEST(MessageFileChecks, CleanScriptHasNoMessageFindings) {
    TTempFolder folder;
    const std::string node = "function Node1;\nbegin\n  Say(Self, 1, 100);\n"
                             "  Answer(1, 101, @Node1);\nend;\n";
    const auto loaded =
        LoadScript(folder, DialogScript({"Node1"}, {node}), "{100}{}{Hi}\n{101}{}{Bye}\n");
    const auto findings = RunChecks(loaded->Ws, TCheckOptions{loaded->ScriptPath, nullptr, ""});
    EXPECT_THAT(DescribeAll(findings), IsEmpty());
    EXPECT_FALSE(HasErrors(findings));
}

} // namespace
} // namespace dialoscope::test

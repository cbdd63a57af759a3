#include "analysis/message_use.h"
#include "analysis_texts.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dialoscope {
namespace {

using test::AnalyzeText;
using Strings = std::vector<std::string>;

std::string Script(const Strings& body) {
    std::string text = "function Node001;\r\nbegin\r\n";
    for (const auto& line : body) {
        text += "  " + line + "\r\n";
    }
    return text + "end;\r\n\r\nend.\r\n";
}

std::string Describe(const TMsgUse& use) {
    static const char* const statements[] = {"Say", "Write", "SayWOAnswer", "SayForAnswer",
                                             "Answer"};
    static const char* const speakers[] = {"", "Self", "Player", "Other"};
    static const char* const kinds[] = {"single", "range", "other", "literal"};
    std::ostringstream text;
    text << statements[static_cast<int>(use.Statement)] << '/'
         << speakers[static_cast<int>(use.Speaker)];
    if (use.Speaker == TSpeaker::Other) {
        text << '(' << use.SpeakerText << ')';
    }
    text << ' ' << kinds[static_cast<int>(use.Value.Kind)] << ' ' << use.Value.Number;
    if (use.Value.Kind == TMsgRefKind::Range) {
        text << ".." << use.Value.High;
    }
    if (use.Value.Kind == TMsgRefKind::OtherScript) {
        text << " of " << use.Value.Script;
    }
    return text.str();
}

TEST(MessageUse, PartsReadByTheirForm) {
    const struct {
        const char* Text;
        TMsgRefKind Kind;
        std::int32_t Number;
    } rows[] = {
        {"101", TMsgRefKind::Single, 101},        {"007", TMsgRefKind::Single, 7},
        {"123456789", TMsgRefKind::Single, 123456789}, {"1234567890", TMsgRefKind::Single, 1234567890},
        {"-5", TMsgRefKind::Single, -5},          {"$1F", TMsgRefKind::Single, 31},
        {"5-6", TMsgRefKind::Range, 5},           {"5:6", TMsgRefKind::OtherScript, 6},
        {"", TMsgRefKind::Literal, 0},            {"1a", TMsgRefKind::Literal, 0},
        {"99999999999", TMsgRefKind::Literal, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        const TMsgRef ref = ReadMsgRef(row.Text);
        EXPECT_EQ(ref.Kind, row.Kind);
        EXPECT_EQ(ref.Number, row.Number);
    }
}

// Each message part is recorded as a value beside its caption text; the value is what reading
// the caption text gives, so every reader may take the value instead.
TEST(MessageUse, ValuesBesideTheCaptionText) {
    const struct {
        Strings Body;
        Strings Uses;
    } rows[] = {
        {{"Say(Self, 1, 100);"}, {"Say/Self single 100"}},
        {{"Say(Player, 1, 3, Rnd(101,103));"}, {"Say/Player range 101..103"}},
        {{"Say(GetObjectID(5), 1, 160);"}, {"Say/Other(GetObjectID(5)) single 160"}},
        {{"Say(Self, 1, 7,123);"}, {"Say/Self other 123 of 7"}},
        {{"Say(Self, 1, 5,123);"}, {"Say/Self single 123"}}, // the loaded script is number 5
        {{"Say(Self, 1, x);"}, {"Say/Self literal 0"}},
        {{"Write(GetStr(200) + Name + GetStr(7,201));"},
         {"Write/ single 200", "Write/ other 201 of 7"}},
        {{"Writeln(GetStr(1, Rnd(300,301)));"}, {"Write/ range 300..301"}},
        {{"SayWOAnswer(3, GetStr(110) + '!', 50);"}, {"SayWOAnswer/ single 110"}},
        {{"SayForAnswer(120);"}, {"SayForAnswer/ single 120"}},
        {{"Answer(-1, GetStr(130) + GetStr(131), @Next);"},
         {"Answer/ single 130", "Answer/ single 131"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Body.front());
        const auto a = AnalyzeText(Script(row.Body), "",
                                   "a.int 1\r\nb.int 2\r\nc.int 3\r\nd.int 4\r\ntalk.int 5\r\n");
        ASSERT_EQ(a->Ws.NodeCount(), 1);
        Strings uses;
        for (const TMsgUse use : a->Ws.Nodes[0].Lists.MsgUses()) {
            uses.push_back(Describe(use));
            EXPECT_EQ(use.Value, ReadMsgRef(use.Ref)) << use.Ref;
        }
        EXPECT_EQ(uses, row.Uses);
    }
}

} // namespace
} // namespace dialoscope

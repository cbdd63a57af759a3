#include "analysis/message_refs.h"
#include "analysis_texts.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using test::MarkList;
using test::TRecordingPort;

TEST(MessageRefs, MsgRefTextShowsOtherScriptsWithAColon) {
    const struct {
        const char* Ref;
        std::int32_t ScriptIndex;
        const char* Text;
        std::vector<std::string> Messages;
    } rows[] = {
        {"5,123", 5, "123", {}},
        {"7,123", 5, "7:123", {}},
        {"123", 5, "123", {}},
        {"007,12", 7, "12", {}},
        {"1,2,3", 1, "2,3", {}},
        {"abc,12", 5, "", {"abc,12"}}, // the reference itself in the box, empty result
        {",12", 5, "", {",12"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Ref);
        TRecordingPort port;
        EXPECT_EQ(MsgRefText(row.Ref, row.ScriptIndex, port), row.Text);
        EXPECT_EQ(port.Messages, row.Messages);
    }
}

TEST(MessageRefs, CommasToDashesReplacesEveryComma) {
    EXPECT_EQ(CommasToDashes("100,105"), "100-105");
    EXPECT_EQ(CommasToDashes("1,2,3"), "1-2-3");
    EXPECT_EQ(CommasToDashes("150"), "150");
}

TEST(MessageRefs, MarkMsgNumbers) {
    const struct {
        const char* Text;
        bool Result;
        std::vector<std::string> Marks;
        std::vector<std::string> Messages;
    } rows[] = {
        {"100-103", true, {"100=100", "101=101", "102=102", "103=103"}, {}},
        {"103-100", true, {}, {}},
        {"7:123", true, {}, {}},
        {"150", true, {"150=150"}, {}},
        {"0150", true, {"150=0150"}, {}}, // a single number keeps its text as written
        {"$96", true, {"150=$96"}, {}},
        {"99", true, {}, {}},     // below the table
        {"100001", true, {}, {}}, // above it
        {"98-101", true, {"100=100", "101=101"}, {}},
        {"99999-100002", true, {"99999=99999", "100000=100000"}, {}},
        {"100-101-102", false, {}, {"error in 100-101-102"}},
        {"-5", false, {}, {"error in -5"}},
        {"abc", false, {}, {"Error in number converting!"}},
        {"", false, {}, {"Error in number converting!"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        TRecordingPort port;
        TNodeKeep node;
        EXPECT_EQ(MarkMsgNumbers(node, row.Text, port), row.Result);
        EXPECT_EQ(MarkList(node), row.Marks);
        EXPECT_EQ(port.Messages, row.Messages);
    }
}

// Was a hundred million loop turns for marks that have no slot.
TEST(MessageRefs, HugeRangeIsClippedBeforeItIsWalked) {
    TRecordingPort port;
    TNodeKeep node;
    EXPECT_TRUE(MarkMsgNumbers(node, "99990-2000000000", port));
    EXPECT_EQ(node.MsgUsed.Count(), 11);
    EXPECT_EQ(node.MsgMark(100000), "100000");
}

} // namespace
} // namespace dialoscope

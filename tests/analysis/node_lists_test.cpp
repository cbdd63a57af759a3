// A node's lists: whatever order the analysis adds items in, the finished lists read back each
// list in its own order, with its texts and lines, and own their bytes.

#include "analysis/node_lists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

// The plain model: one vector of strings per list.
struct TPlainLists {
    std::vector<std::string> Lines;
    std::vector<std::string> Answers; // "caption|target|line"
    std::vector<std::string> Jumps;   // "name|line"
    std::vector<std::string> MsgUses; // "ref|line"
};

TPlainLists ReadBack(const TNodeLists& lists) {
    TPlainLists plain;
    for (const std::string_view line : lists.Lines()) {
        plain.Lines.emplace_back(line);
    }
    for (const TAnswer answer : lists.Answers()) {
        plain.Answers.push_back(std::string(answer.Caption) + "|" + std::string(answer.Target) +
                                "|" + std::to_string(answer.Line));
    }
    for (std::int32_t i = 0; i < lists.JumpCount(); ++i) {
        plain.Jumps.push_back(std::string(lists.Jump(i)) + "|" + std::to_string(lists.JumpLine(i)));
    }
    for (const TMsgUse use : lists.MsgUses()) {
        plain.MsgUses.push_back(std::string(use.Ref) + "|" + std::to_string(use.Line));
    }
    return plain;
}

void ExpectSame(const TPlainLists& expected, const TNodeLists& lists) {
    const TPlainLists actual = ReadBack(lists);
    EXPECT_EQ(actual.Lines, expected.Lines);
    EXPECT_EQ(actual.Answers, expected.Answers);
    EXPECT_EQ(actual.Jumps, expected.Jumps);
    EXPECT_EQ(actual.MsgUses, expected.MsgUses);
    EXPECT_EQ(lists.LineCount(), static_cast<std::int32_t>(expected.Lines.size()));
    EXPECT_EQ(lists.AnswerCount(), static_cast<std::int32_t>(expected.Answers.size()));
    EXPECT_EQ(lists.JumpCount(), static_cast<std::int32_t>(expected.Jumps.size()));
    EXPECT_EQ(lists.MsgUseCount(), static_cast<std::int32_t>(expected.MsgUses.size()));
}

// Texts of every length, including empty ones and bytes that are not letters.
std::string RandomText(std::mt19937& random) {
    std::string text(random() % 24, ' ');
    for (char& c : text) {
        c = static_cast<char>(random() % 256);
    }
    return text;
}

TEST(NodeLists, RandomAddsReadBackListByList) {
    std::mt19937 random(20261208);
    TNodeListsBuilder builder;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        builder.Clear(); // one builder serves node after node
        TPlainLists expected;
        const int adds = static_cast<int>(random() % 40);
        for (int n = 0; n < adds; ++n) {
            const std::string text = RandomText(random);
            const auto line = static_cast<std::int32_t>(random() % 100000);
            switch (random() % 4) {
            case 0:
                builder.AddLine(text);
                expected.Lines.push_back(text);
                break;
            case 1: {
                const std::string target = RandomText(random);
                builder.AddAnswer(text, target, line);
                expected.Answers.push_back(text + "|" + target + "|" + std::to_string(line));
                break;
            }
            case 2:
                builder.AddJump(text, line);
                expected.Jumps.push_back(text + "|" + std::to_string(line));
                break;
            default:
                builder.AddMsgUse(text, line);
                // A part that did not convert is not a use.
                if (!text.empty()) {
                    expected.MsgUses.push_back(text + "|" + std::to_string(line));
                }
                break;
            }
        }
        const TNodeLists finished = builder.Finish();
        ExpectSame(expected, finished);
        // A copy, and the original after the builder moved on, keep their own bytes.
        const TNodeLists copy = finished;
        builder.Clear();
        builder.AddLine("the next node");
        ExpectSame(expected, copy);
        ExpectSame(expected, finished);
    }
}

TEST(NodeLists, EmptyListsReadAsEmpty) {
    const TNodeLists none;
    ExpectSame({}, none);
    ExpectSame({}, TNodeListsBuilder().Finish());
}

} // namespace
} // namespace dialoscope

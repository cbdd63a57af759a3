// A node's message marks: single marks as written, ranges as decimal texts, the later write
// winning, and ranges kept as intervals.

#include "analysis/msg_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

struct TMarkStep {
    std::int32_t Lo, Hi; // a single mark when Text is not empty
    std::string Text;
};

std::string Describe(const TMsgMarks& marks) {
    std::string text;
    for (const auto& [n, mark] : marks.Sorted()) {
        text += std::to_string(n) + "=" + mark + " ";
    }
    return text;
}

TEST(MsgMarks, LaterMarksWinWhicheverWayTheyWereWritten) {
    const struct {
        const char* Behaviour;
        std::vector<TMarkStep> Steps;
        std::string Marks;
    } cases[] = {
        {"single as written", {{105, 0, "0105"}}, "105=0105 "},
        {"outside the table", {{99, 0, "99"}, {100001, 0, "100001"}, {-5, 0, "-5"}}, ""},
        {"range then single", {{100, 102, ""}, {101, 0, "0101"}}, "100=100 101=0101 102=102 "},
        {"single then range", {{101, 0, "0101"}, {100, 102, ""}}, "100=100 101=101 102=102 "},
        {"reversed range", {{103, 100, ""}}, ""},
        {"clipped range",
         {{99990, 200000, ""}, {-10, 101, ""}},
         "100=100 101=101 99990=99990 99991=99991 99992=99992 99993=99993 99994=99994 "
         "99995=99995 99996=99996 99997=99997 99998=99998 99999=99999 100000=100000 "},
        {"touching and overlapping ranges merge",
         {{110, 112, ""}, {100, 101, ""}, {102, 103, ""}, {111, 0, "x"}, {103, 110, ""}},
         "100=100 101=101 102=102 103=103 104=104 105=105 106=106 107=107 108=108 109=109 "
         "110=110 111=x 112=112 "},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Behaviour);
        TMsgMarks marks;
        for (const TMarkStep& step : row.Steps) {
            if (step.Text.empty()) {
                marks.SetRange(step.Lo, step.Hi);
            } else {
                marks.Set(step.Lo, step.Text);
            }
        }
        EXPECT_EQ(Describe(marks), row.Marks);
        EXPECT_EQ(static_cast<std::size_t>(marks.Count()), marks.Sorted().size());
    }
}

TEST(MsgMarks, WholeTableRangeReadsEveryNumber) {
    TMsgMarks marks;
    marks.SetRange(100, 100000);
    marks.SetRange(500, 600);
    EXPECT_EQ(marks.Count(), 99901);
    EXPECT_EQ(marks.Mark(100), "100");
    EXPECT_EQ(marks.Mark(54321), "54321");
    EXPECT_EQ(marks.Mark(100000), "100000");
    EXPECT_EQ(marks.Mark(99), "");
}

// Random writes near the table's low edge against a plain map of every number's mark, with
// reads between the writes; a copy taken half-way must keep reading as the marks did then.
TEST(MsgMarks, RandomWritesReadAsAMarkPerNumber) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        TMsgMarks marks;
        std::map<std::int32_t, std::string> plain;
        TMsgMarks copy;
        std::map<std::int32_t, std::string> plainCopy;
        for (int step = 0; step < 12; ++step) {
            if (step == 6) {
                copy = marks;
                plainCopy = plain;
            }
            if (step == 9) {
                marks.ShrinkToFit();
            }
            const auto n = static_cast<std::int32_t>(95 + random() % 30);
            switch (random() % 4) {
            case 0: {
                const auto hi = static_cast<std::int32_t>(n + random() % 8 - 2);
                marks.SetRange(n, hi);
                for (std::int32_t k = std::max(n, 100); k <= hi; ++k) {
                    plain[k] = std::to_string(k);
                }
                break;
            }
            case 1:
                marks.Set(n, std::string("0").append(std::to_string(n)));
                if (n >= 100) {
                    plain[n] = std::string("0").append(std::to_string(n));
                }
                break;
            default:
                marks.Set(n, std::to_string(n));
                if (n >= 100) {
                    plain[n] = std::to_string(n);
                }
                break;
            }
            const auto probe = static_cast<std::int32_t>(95 + random() % 30);
            ASSERT_EQ(marks.Mark(probe), plain.count(probe) ? plain[probe] : "") << probe;
        }
        const std::vector<std::pair<std::int32_t, std::string>> expected(plain.begin(),
                                                                         plain.end());
        ASSERT_EQ(marks.Sorted(), expected);
        ASSERT_EQ(marks.Count(), static_cast<std::int32_t>(plain.size()));
        ASSERT_EQ(copy.Sorted(), (std::vector<std::pair<std::int32_t, std::string>>(
                                     plainCopy.begin(), plainCopy.end())));
    }
}

} // namespace
} // namespace dialoscope

// The message number map against a standard map: the same texts for the same numbers across
// growth, clearing and reserving, for numbers that run on, collide or are negative.

#include "analysis/msg_number_map.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace dialoscope {
namespace {

TEST(MsgNumberMap, AgreesWithAStandardMap) {
    static const std::string texts[] = {"", "a", "bc", "def"};
    for (const unsigned seed : {1U, 2U, 3U}) {
        std::mt19937 random(seed);
        // Runs of numbers as message files have them, and a few far-off or negative ones.
        std::uniform_int_distribution<std::int32_t> near(100, 3000);
        std::uniform_int_distribution<std::int32_t> far(INT32_MIN, INT32_MAX);
        TMsgNumberMap table;
        std::map<std::int32_t, std::string_view> model;
        for (int step = 0; step < 30000; ++step) {
            const std::int32_t number = random() % 8 == 0 ? far(random) : near(random);
            switch (random() % 50) {
            case 0:
                table.clear();
                model.clear();
                break;
            case 1:
                table.reserve(random() % 5000);
                break;
            default:
                if (random() % 2 == 0) {
                    const auto found = table.find(number);
                    const auto expected = model.find(number);
                    ASSERT_EQ(found != table.end(), expected != model.end()) << seed;
                    if (found != table.end()) {
                        EXPECT_EQ(found->first, number);
                        EXPECT_EQ(found->second, expected->second);
                    }
                } else {
                    const std::string_view text = texts[random() % 4];
                    table[number] = text;
                    model[number] = text;
                }
            }
            ASSERT_EQ(table.size(), model.size()) << seed;
        }
        std::map<std::int32_t, std::string_view> listed(table.begin(), table.end());
        EXPECT_EQ(listed, model) << seed;
    }
}

} // namespace
} // namespace dialoscope

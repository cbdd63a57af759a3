// The name table against a standard map: the same numbers for the same names, across growth,
// for names that differ only in case, in length or in their last byte, and for the empty name.

#include "analysis/name_table.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <unordered_map>

namespace dialoscope {
namespace {

// Short names over a small alphabet, so that many share a length, a prefix or a hash slot.
std::string RandomName(std::mt19937& random) {
    static constexpr char Letters[] = "aAbB_1";
    const auto size = std::uniform_int_distribution<int>(0, 6)(random);
    std::string name;
    for (int i = 0; i < size; ++i) {
        name += Letters[std::uniform_int_distribution<int>(0, 5)(random)];
    }
    return name;
}

TEST(NameTable, AgreesWithAStandardMapAcrossGrowth) {
    for (const unsigned seed : {1U, 2U, 3U}) {
        std::mt19937 random(seed);
        std::deque<std::string> texts; // the table keeps views, so the texts must stay put
        TNameTable table;
        std::unordered_map<std::string, std::int32_t> model;
        for (int step = 0; step < 20000; ++step) {
            texts.push_back(RandomName(random));
            const std::string& name = texts.back();
            if (random() % 3 == 0) {
                const std::int32_t* found = table.Find(name);
                const auto expected = model.find(name);
                ASSERT_EQ(found != nullptr, expected != model.end()) << "seed " << seed;
                if (found != nullptr) {
                    EXPECT_EQ(*found, expected->second);
                }
                continue;
            }
            // A different copy of the same bytes finds the same entry.
            const auto [entry, isNew] = model.try_emplace(name, step);
            std::int32_t& value = table.FindOrInsert(name, step);
            ASSERT_EQ(value, entry->second) << "seed " << seed << " name '" << name << "'";
            ++value;
            ++entry->second;
            ASSERT_EQ(table.Size(), model.size());
        }
    }
}

TEST(NameTable, ClearForgetsEveryName) {
    TNameTable table;
    EXPECT_EQ(table.Find(""), nullptr);
    table.FindOrInsert("", 7);
    table.FindOrInsert("Node1", 8);
    ASSERT_NE(table.Find(""), nullptr);
    EXPECT_EQ(*table.Find(""), 7);
    EXPECT_EQ(table.Find("node1"), nullptr); // names are case-sensitive
    table.Clear();
    EXPECT_EQ(table.Size(), 0U);
    EXPECT_EQ(table.Find("Node1"), nullptr);
    EXPECT_EQ(table.FindOrInsert("Node1", 9), 9);
}

} // namespace
} // namespace dialoscope

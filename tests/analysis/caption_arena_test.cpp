// Where the caption arena puts bytes: which captions share a standard block, which get their own.

#include "analysis/caption_arena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

constexpr std::size_t Block = TCaptionArena::BlockSize;
constexpr std::size_t Own = TCaptionArena::OwnBlockOver;

TEST(CaptionArena, BlocksFollowTheCaptionSizes) {
    struct TRow {
        const char* Name;
        std::vector<std::size_t> Sizes;
        std::size_t Blocks;
        std::size_t Bytes;
    };
    const TRow rows[] = {
        {"nothing kept", {}, 0, 0},
        {"empty captions hold no block", {0, 0}, 0, 0},
        {"one short caption", {1}, 1, Block},
        {"the largest caption a standard block takes", {Own}, 1, Block},
        {"one byte more gets an exact block", {Own + 1, 5}, 2, Own + 1 + Block},
        {"a caption over a block", {Block + 3}, 1, Block + 3},
        {"captions that fill a block exactly", {Own, Own, Own, Own}, 1, Block},
        {"one byte past a full block", {Own, Own, Own, Own, 1}, 2, 2 * Block},
        {"a caption that misses the tail by one", {Own, Own, Own, Own - 1, 2}, 2, 2 * Block},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TCaptionArena arena;
        std::vector<std::string> texts;
        std::vector<std::string_view> kept;
        for (const std::size_t size : row.Sizes) {
            texts.emplace_back(size, static_cast<char>('a' + texts.size()));
            kept.push_back(arena.Keep(texts.back()));
        }
        EXPECT_EQ(arena.BlockCount(), row.Blocks);
        EXPECT_EQ(arena.BlockBytes(), row.Bytes);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(kept[i], texts[i]) << "caption " << i;
        }
        arena.Clear();
        EXPECT_EQ(arena.BlockCount(), 0U);
        EXPECT_EQ(arena.BlockBytes(), 0U);
    }
}

TEST(CaptionArena, ShortRepeatsShareTheirBytesUntilClear) {
    struct TRow {
        const char* Name;
        std::string Text;
        bool Shared;
    };
    const TRow rows[] = {
        {"a short repeat", "answers", true},
        {"the longest shared", std::string(TCaptionArena::SharedUpTo, 's'), true},
        {"one byte longer is copied", std::string(TCaptionArena::SharedUpTo + 1, 'c'), false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TCaptionArena arena;
        const std::string_view first = arena.Keep(row.Text);
        const std::string_view again = arena.Keep(std::string(row.Text));
        EXPECT_EQ(again, row.Text);
        EXPECT_EQ(again.data() == first.data(), row.Shared);
        arena.Clear();
        EXPECT_EQ(arena.Keep(row.Text), row.Text); // not the freed bytes
        EXPECT_EQ(arena.BlockCount(), 1U);
    }
}

TEST(CaptionArena, KeepsItsOwnBytesAgainAcrossANewBlock) {
    TCaptionArena arena;
    const std::string_view first = arena.Keep(std::string(Own, 'q'));
    for (int i = 0; i < 3; ++i) {
        arena.Keep(std::string(Own, 'f'));
    }
    const std::string_view again = arena.Keep(first); // the first block is full
    EXPECT_EQ(arena.BlockCount(), 2U);
    EXPECT_NE(again.data(), first.data());
    EXPECT_EQ(again, std::string(Own, 'q'));
}

TEST(CaptionArena, AMovedFromArenaStartsAfresh) {
    TCaptionArena source;
    const std::string_view kept = source.Keep("kept");
    TCaptionArena target(std::move(source));
    // The source must not write into the tail of the block it gave away.
    EXPECT_EQ(source.Keep("late"), "late"); // NOLINT(bugprone-use-after-move)
    EXPECT_NE(source.Keep("kept").data(), kept.data());
    EXPECT_EQ(target.Keep("more"), "more");
    EXPECT_EQ(kept, "kept");
    EXPECT_EQ(source.BlockCount(), 1U);
    EXPECT_EQ(target.BlockCount(), 1U);
}

} // namespace
} // namespace dialoscope::test

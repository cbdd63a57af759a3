#pragma once
// TCaptionArena: the caption bytes of one outline tree. A tree of a million items would
// otherwise hold a string per item (32 bytes, and a heap block of its own for a caption over 15
// characters); here the bytes lie back to back in large blocks that never move once written, so
// an item holds a view into them that stays valid until Clear or the arena's end.

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace dialoscope {

class TCaptionArena {
public:
    static constexpr std::size_t BlockSize = 256 * 1024;
    // A caption over this size gets a block of exactly its size: starting a new standard block
    // for it could leave up to this much of the old one unused.
    static constexpr std::size_t OwnBlockOver = BlockSize / 4;
    // Short captions recur ("answers" under every node, a repeat leaf per jump to the same
    // node); one kept recently is handed out again rather than copied. Longer ones rarely do.
    static constexpr std::size_t SharedUpTo = 32;

    TCaptionArena() = default;
    // Only the owner knows which views point into the blocks, so it copies by keeping each
    // caption again in a fresh arena.
    TCaptionArena(const TCaptionArena&) = delete;
    TCaptionArena& operator=(const TCaptionArena&) = delete;
    // The blocks move with their pointers, so views into them stay valid; the source is left
    // empty and usable.
    TCaptionArena(TCaptionArena&& other) noexcept;
    TCaptionArena& operator=(TCaptionArena&& other) noexcept;
    ~TCaptionArena() = default;

    // Copies text into the arena, which may itself be bytes of this arena, or gives back the
    // bytes of an equal short text kept before. An empty text gives an empty view that holds no
    // arena bytes.
    std::string_view Keep(std::string_view text);
    // Frees every block: a view kept before names freed bytes.
    void Clear();

    std::size_t BlockCount() const { return Blocks_.size(); }
    std::size_t BlockBytes() const { return BlockBytes_; }

private:
    using TRecent = std::array<std::string_view, 256>; // by hash; a newer text takes the slot

    std::string_view Copy(std::string_view text);
    char* NewBlock(std::size_t size);

    std::vector<std::unique_ptr<char[]>> Blocks_;
    char* Free_ = nullptr; // the unwritten tail of the newest standard block
    std::size_t FreeSize_ = 0;
    std::size_t BlockBytes_ = 0;
    std::unique_ptr<TRecent> Recent_; // made with the first short caption
};

} // namespace dialoscope

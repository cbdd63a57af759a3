#include "caption_arena.h"

#include <cstring>
#include <functional>
#include <utility>

namespace dialoscope {

TCaptionArena::TCaptionArena(TCaptionArena&& other) noexcept
    : Blocks_(std::exchange(other.Blocks_, {})), Free_(std::exchange(other.Free_, nullptr)),
      FreeSize_(std::exchange(other.FreeSize_, 0)),
      BlockBytes_(std::exchange(other.BlockBytes_, 0)),
      Recent_(std::exchange(other.Recent_, nullptr)) {}

TCaptionArena& TCaptionArena::operator=(TCaptionArena&& other) noexcept {
    if (this != &other) {
        Blocks_ = std::exchange(other.Blocks_, {});
        Free_ = std::exchange(other.Free_, nullptr);
        FreeSize_ = std::exchange(other.FreeSize_, 0);
        BlockBytes_ = std::exchange(other.BlockBytes_, 0);
        Recent_ = std::exchange(other.Recent_, nullptr);
    }
    return *this;
}

std::string_view TCaptionArena::Keep(std::string_view text) {
    if (text.empty()) {
        return std::string_view("", 0);
    }
    if (text.size() > SharedUpTo) {
        return Copy(text);
    }
    if (!Recent_) {
        Recent_ = std::make_unique<TRecent>();
    }
    std::string_view& recent = (*Recent_)[std::hash<std::string_view>{}(text) % Recent_->size()];
    if (recent != text) {
        recent = Copy(text);
    }
    return recent;
}

std::string_view TCaptionArena::Copy(std::string_view text) {
    if (text.size() > OwnBlockOver) {
        char* block = NewBlock(text.size());
        std::memcpy(block, text.data(), text.size());
        return {block, text.size()};
    }
    if (text.size() > FreeSize_) {
        // The old block stays where it is (text may lie in it); only its tail goes unused.
        Free_ = NewBlock(BlockSize);
        FreeSize_ = BlockSize;
    }
    std::memcpy(Free_, text.data(), text.size());
    const std::string_view kept(Free_, text.size());
    Free_ += text.size();
    FreeSize_ -= text.size();
    return kept;
}

void TCaptionArena::Clear() {
    // Freed rather than kept for reuse, so that a small script loaded after a large one does
    // not go on holding the large one's memory.
    Blocks_.clear();
    Blocks_.shrink_to_fit();
    Free_ = nullptr;
    FreeSize_ = 0;
    BlockBytes_ = 0;
    Recent_.reset(); // it names bytes of the freed blocks
}

char* TCaptionArena::NewBlock(std::size_t size) {
    // Left unset: only the bytes written are ever read, and untouched pages cost no memory.
    auto block = std::make_unique_for_overwrite<char[]>(size);
    char* bytes = block.get();
    Blocks_.push_back(std::move(block));
    BlockBytes_ += size;
    return bytes;
}

} // namespace dialoscope

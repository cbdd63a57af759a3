#pragma once
// The scanner's keyword list: kept sorted ignoring ASCII case, each word once, and looked up
// through a hash index that answers exactly as a walk of the list under the case rule would.

#include "ascii.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Which keyword a text is: the word's index in the list, and whether the text is that word byte
// for byte or only under the case rule ("SAY" for "Say").
struct TKeywordMatch {
    std::int32_t Word = -1; // -1: no keyword
    bool Exact = false;

    bool Found() const { return Word >= 0; }
};

class TKeywordTable {
public:
    // A word equal to an earlier one, ignoring ASCII case, is dropped.
    void Assign(const std::vector<std::string>& words);
    void SetCaseSensitive(bool sensitive);

    const std::vector<std::string>& Words() const { return Words_; }

    // Case-insensitive: both sides compared after upper-casing a to z; case-sensitive: exact bytes.
    bool Contains(std::string_view text) const { return Find(text).Found(); }
    TKeywordMatch Find(std::string_view text) const;

private:
    // A text of up to 16 bytes is known by its length and two 8-byte words (see Shape), folded
    // under the case rule; a longer one by its first and last eight bytes, and a byte compare.
    struct TShape {
        std::uint64_t Head = 0;
        std::uint64_t Tail = 0;

        bool operator==(const TShape&) const = default;
    };
    struct TEntry {
        TShape Shape;
        TShape Own; // the word's own bytes, not folded
        std::size_t Length = 0;
        std::uint32_t Word = 0; // index into Keys_
    };

    static TShape Shape(std::string_view text);
    TShape Folded(const TShape& shape) const;
    static std::uint32_t Hash(const TShape& shape, std::size_t length);
    bool MatchesKey(std::string_view text, const std::string& key) const;
    void RebuildIndex();
    static unsigned LengthBit(std::size_t length) { return length < 63 ? unsigned(length) : 63U; }

    std::vector<std::string> Words_;
    std::vector<std::string> Keys_;         // Words_ folded under the case rule
    std::array<unsigned char, 256> Fold_{}; // the case rule: identity or ASCII upper case
    std::vector<TEntry> Entries_;
    std::vector<std::uint32_t> Slots_; // 0: empty; otherwise index into Entries_ plus one
    std::uint32_t SlotMask_ = 0;
    // Bit n of entry b: some key starts with byte b and has n bytes (63: 63 or more). Most
    // identifiers that are no keyword stop here.
    std::array<std::uint64_t, 256> FirstAndLength_{};
    bool CaseSensitive_ = false;
};

// Loads that cover every byte of a short text without reading past it: overlapping words for 4
// bytes or more, single bytes below. Together with the length the shape tells texts apart.
inline TKeywordTable::TShape TKeywordTable::Shape(std::string_view text) {
    const char* const p = text.data();
    const std::size_t n = text.size();
    TShape shape;
    if (n >= 8) {
        std::memcpy(&shape.Head, p, 8);
        std::memcpy(&shape.Tail, p + n - 8, 8);
    } else if (n >= 4) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        shape.Head = head | (std::uint64_t{tail} << 32);
    } else if (n > 0) {
        shape.Head = static_cast<unsigned char>(p[0]) |
                     (std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8) |
                     (std::uint64_t{static_cast<unsigned char>(p[n - 1])} << 16);
    }
    return shape;
}

// Upper-cases the ASCII letters of eight bytes at once; other bytes, those of 128 and above
// included, stay as they are.
inline std::uint64_t AsciiUpperWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x80 * kOnes;
    const std::uint64_t low7 = word & ~kHighBits;
    const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
    const std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
    const std::uint64_t lower = atLeastA & ~aboveZ & ~word & kHighBits;
    return word - (lower >> 2);
}

inline TKeywordTable::TShape TKeywordTable::Folded(const TShape& shape) const {
    if (CaseSensitive_) {
        return shape;
    }
    return {AsciiUpperWord(shape.Head), AsciiUpperWord(shape.Tail)};
}

inline std::uint32_t TKeywordTable::Hash(const TShape& shape, std::size_t length) {
    std::uint64_t hash = (shape.Head ^ length) * 0x9E3779B97F4A7C15ULL;
    hash ^= shape.Tail * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::uint32_t>(hash >> 32);
}

inline TKeywordMatch TKeywordTable::Find(std::string_view text) const {
    const auto first = text.empty() ? 0 : Fold_[static_cast<unsigned char>(text[0])];
    if ((FirstAndLength_[first] & (std::uint64_t{1} << LengthBit(text.size()))) == 0) {
        return {};
    }
    const TShape own = Shape(text);
    const TShape shape = Folded(own);
    for (std::uint32_t slot = Hash(shape, text.size()) & SlotMask_; Slots_[slot] != 0;
         slot = (slot + 1) & SlotMask_) {
        const TEntry& entry = Entries_[Slots_[slot] - 1];
        if (entry.Shape == shape && entry.Length == text.size() &&
            (text.size() <= 16 || MatchesKey(text, Keys_[entry.Word]))) {
            // Up to 16 bytes the shape holds every byte, so equal shapes are equal texts.
            const bool exact = CaseSensitive_ ||
                               (text.size() <= 16 ? entry.Own == own : text == Words_[entry.Word]);
            return {static_cast<std::int32_t>(entry.Word), exact};
        }
    }
    return {};
}

} // namespace dialoscope

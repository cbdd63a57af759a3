#include "keyword_table.h"

#include "char_classes.h"

#include <algorithm>
#include <unordered_set>

namespace dialoscope {

namespace {

std::string FoldedLower(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    }
    return folded;
}

} // namespace

bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = AsciiLower(static_cast<unsigned char>(a[i]));
        const unsigned char y = AsciiLower(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(static_cast<unsigned char>(a[i])) !=
            AsciiUpper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void TKeywordTable::Assign(const std::vector<std::string>& words) {
    Words_.clear();
    std::unordered_set<std::string> seen;
    for (const std::string& word : words) {
        if (seen.insert(FoldedLower(word)).second) {
            Words_.push_back(word);
        }
    }
    // No two words are equal ignoring case any more, so the order is total.
    std::sort(Words_.begin(), Words_.end(), [](const std::string& a, const std::string& b) {
        return LessIgnoringAsciiCase(a, b);
    });
    RebuildIndex();
}

void TKeywordTable::SetCaseSensitive(bool sensitive) {
    CaseSensitive_ = sensitive;
    RebuildIndex();
}

// Only the length and the first and last two bytes: cheap for every identifier, and enough to
// spread a keyword list; a full comparison settles every hit.
std::uint32_t TKeywordTable::Hash(std::string_view text) const {
    const std::size_t n = text.size();
    if (n == 0) {
        return 0;
    }
    const auto at = [&](std::size_t i) {
        return static_cast<std::uint32_t>(Fold_[static_cast<unsigned char>(text[i])]);
    };
    std::uint32_t hash =
        at(0) | (at(n > 1 ? 1 : 0) << 8) | (at(n > 1 ? n - 2 : 0) << 16) | (at(n - 1) << 24);
    hash ^= static_cast<std::uint32_t>(n) * 0x9E3779B1U;
    hash *= 0x85EBCA77U;
    return hash ^ (hash >> 15);
}

bool TKeywordTable::MatchesKey(std::string_view text, const std::string& key) const {
    if (text.size() != key.size()) {
        return false;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (Fold_[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(key[i])) {
            return false;
        }
    }
    return true;
}

void TKeywordTable::RebuildIndex() {
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        Fold_[byte] = CaseSensitive_ ? c : AsciiUpper(c);
    }
    Keys_.clear();
    for (const std::string& word : Words_) {
        std::string key = word;
        for (char& c : key) {
            c = static_cast<char>(Fold_[static_cast<unsigned char>(c)]);
        }
        Keys_.push_back(std::move(key));
    }
    std::size_t slots = 16;
    while (slots < Words_.size() * 4) {
        slots *= 2;
    }
    Slots_.assign(slots, 0);
    SlotMask_ = static_cast<std::uint32_t>(slots - 1);
    FirstAndLength_.fill(0);
    for (std::size_t i = 0; i < Keys_.size(); ++i) {
        const auto first = static_cast<unsigned char>(Keys_[i].empty() ? 0 : Keys_[i][0]);
        FirstAndLength_[first] |= std::uint64_t{1} << LengthBit(Keys_[i].size());
        std::uint32_t slot = Hash(Keys_[i]) & SlotMask_;
        while (Slots_[slot] != 0) {
            slot = (slot + 1) & SlotMask_;
        }
        Slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

bool TKeywordTable::Contains(std::string_view text) const {
    const auto first = text.empty() ? 0 : Fold_[static_cast<unsigned char>(text[0])];
    if ((FirstAndLength_[first] & (std::uint64_t{1} << LengthBit(text.size()))) == 0) {
        return false;
    }
    for (std::uint32_t slot = Hash(text) & SlotMask_; Slots_[slot] != 0;
         slot = (slot + 1) & SlotMask_) {
        if (MatchesKey(text, Keys_[Slots_[slot] - 1])) {
            return true;
        }
    }
    return false;
}

} // namespace dialoscope

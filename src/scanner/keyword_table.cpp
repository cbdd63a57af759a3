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

std::uint32_t TKeywordTable::Hash(std::string_view text) const {
    std::uint32_t hash = 2166136261U;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hash = (hash ^ (CaseSensitive_ ? byte : AsciiUpper(byte))) * 16777619U;
    }
    return hash;
}

bool TKeywordTable::Matches(std::string_view text, std::string_view word) const {
    return CaseSensitive_ ? text == word : EqualIgnoringAsciiCase(text, word);
}

void TKeywordTable::RebuildIndex() {
    std::size_t slots = 16;
    while (slots < Words_.size() * 4) {
        slots *= 2;
    }
    Slots_.assign(slots, 0);
    SlotMask_ = static_cast<std::uint32_t>(slots - 1);
    Lengths_ = 0;
    for (std::size_t i = 0; i < Words_.size(); ++i) {
        Lengths_ |= std::uint64_t{1} << LengthBit(Words_[i].size());
        std::uint32_t slot = Hash(Words_[i]) & SlotMask_;
        while (Slots_[slot] != 0) {
            slot = (slot + 1) & SlotMask_;
        }
        Slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

bool TKeywordTable::Contains(std::string_view text) const {
    if ((Lengths_ & (std::uint64_t{1} << LengthBit(text.size()))) == 0) {
        return false;
    }
    for (std::uint32_t slot = Hash(text) & SlotMask_; Slots_[slot] != 0;
         slot = (slot + 1) & SlotMask_) {
        if (Matches(text, Words_[Slots_[slot] - 1])) {
            return true;
        }
    }
    return false;
}

} // namespace dialoscope

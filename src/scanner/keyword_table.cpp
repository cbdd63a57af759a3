#include "keyword_table.h"

#include "char_classes.h"

#include <algorithm>
#include <unordered_set>

namespace dialoscope {

void TKeywordTable::Assign(const std::vector<std::string>& words) {
    Words_.clear();
    std::unordered_set<std::string> seen;
    for (const std::string& word : words) {
        if (seen.insert(AsciiLowerCase(word)).second) {
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
    Entries_.clear();
    FirstAndLength_.fill(0);
    for (std::size_t i = 0; i < Keys_.size(); ++i) {
        const std::string& key = Keys_[i];
        const auto first = static_cast<unsigned char>(key.empty() ? 0 : key[0]);
        FirstAndLength_[first] |= std::uint64_t{1} << LengthBit(key.size());
        const TShape shape = Shape(key);
        Entries_.push_back({shape, Shape(Words_[i]), key.size(), static_cast<std::uint32_t>(i)});
        std::uint32_t slot = Hash(shape, key.size()) & SlotMask_;
        while (Slots_[slot] != 0) {
            slot = (slot + 1) & SlotMask_;
        }
        Slots_[slot] = static_cast<std::uint32_t>(Entries_.size());
    }
}

} // namespace dialoscope

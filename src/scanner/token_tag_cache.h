#pragma once
// TTokenTagCache: the tags a tagger chooses for the tokens most texts are made of (special
// characters, keywords, identifiers and numbers), asked once per set of rules, so that a scan
// takes them from tables instead of calling the tagger for every token.

#include "keyword_table.h"
#include "token.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope {

// Chooses a byte for a token from its kind and text.
using TTokenTagger = std::uint8_t (*)(TTokenKind kind, std::string_view text);

class TTokenTagCache {
public:
    TTokenTagCache() = default;
    // byKindAlone: the kinds whose tag the tagger chooses from the kind alone, whatever the
    // text; it is asked once for each. A null tagger tags nothing.
    TTokenTagCache(TTokenTagger tagger, std::vector<TTokenKind> byKindAlone,
                   const TKeywordTable& keywords);
    // The same tagger asked again, for keywords that changed.
    void Rebuild(const TKeywordTable& keywords);

    bool Tags() const { return Tagger_ != nullptr; }

    // The tagger's choice for a token; keyword is what the keyword table found for its text.
    std::uint8_t Tag(TTokenKind kind, std::string_view text, TKeywordMatch keyword = {}) const {
        if (kind == TTokenKind::SpecialChar && text.size() == 1) {
            return OneByte_[static_cast<unsigned char>(text[0])];
        }
        // A keyword in another case than the list's ("SAY" for "Say") is asked for.
        if (kind == TTokenKind::Keyword && keyword.Exact) {
            return Keywords_[static_cast<std::size_t>(keyword.Word)];
        }
        const std::int16_t byKind = ByKind_[static_cast<std::size_t>(kind)];
        return byKind >= 0 ? static_cast<std::uint8_t>(byKind) : Tagger_(kind, text);
    }

private:
    static constexpr std::size_t KindCount = static_cast<std::size_t>(TTokenKind::String) + 1;

    TTokenTagger Tagger_ = nullptr;
    std::vector<TTokenKind> ByKindAlone_;
    std::array<std::uint8_t, 256> OneByte_{};      // a one-byte special character, by its byte
    std::array<std::int16_t, KindCount> ByKind_{}; // -1: the text decides
    std::vector<std::uint8_t> Keywords_;           // by word, for a text that is the word
};

} // namespace dialoscope

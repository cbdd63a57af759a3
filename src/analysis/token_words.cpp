#include "detail/token_words.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dialoscope {

namespace {

// Both inline: the classification asks them for most tokens.
inline TWord KeywordWord(std::string_view text) {
    if (text == "Say") {
        return TWord::Say;
    }
    if (text == "Write") {
        return TWord::Write;
    }
    if (text == "Writeln") {
        return TWord::Writeln;
    }
    if (text == "SayWOAnswer") {
        return TWord::SayWOAnswer;
    }
    if (text == "SayForAnswer") {
        return TWord::SayForAnswer;
    }
    return TWord::Other;
}

// "function", "." and "@" count by their text alone, so a string or comment with that text
// counts too, exactly as a text comparison would.
inline TWord TextWord(std::string_view text) {
    if (text == "function") {
        return TWord::Function;
    }
    if (text == ".") {
        return TWord::Dot;
    }
    if (text == "@") {
        return TWord::At;
    }
    if (text == "Answer") {
        return TWord::Answer;
    }
    return TWord::Other;
}

TWord WordOf(TTokenKind kind, std::string_view text) {
    switch (kind) {
    case TTokenKind::Identifier:
        return TWord::Identifier;
    case TTokenKind::Integer:
    case TTokenKind::Real:
    case TTokenKind::HexNumber:
        return TWord::Other; // digits only: none of the texts looked for
    case TTokenKind::Keyword: {
        const TWord word = TextWord(text);
        return word != TWord::Other ? word : KeywordWord(text);
    }
    default:
        return TextWord(text);
    }
}

TWord WordOf(const TTokenCursor& tokens, std::int64_t j) {
    return WordOf(tokens.K(j), tokens.T(j));
}

// Eight words read as one 64-bit value, each byte a word.
constexpr std::uint64_t EveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t HighBits = 0x8080808080808080ULL;

// A high bit set in the result for each zero byte of x, and perhaps for bytes above a zero one
// (a borrow runs on): the lowest mark is always a zero byte.
constexpr std::uint64_t ZeroBytes(std::uint64_t x) {
    return (x - EveryByte) & ~x & HighBits;
}

inline std::uint64_t EightWords(const std::uint8_t* words) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, words, sizeof eight);
    return eight;
}

// The words of a set, each repeated in every byte; a walk wants at most a few.
struct TWordPatterns {
    std::array<std::uint64_t, 4> Patterns{};
    std::size_t Count = 0;
    bool TooMany = false;

    constexpr explicit TWordPatterns(TWordSet set) {
        for (std::uint32_t bits = set.Bits(); bits != 0; bits &= bits - 1) {
            if (Count == Patterns.size()) {
                TooMany = true;
                return;
            }
            Patterns[Count++] = static_cast<unsigned>(std::countr_zero(bits)) * EveryByte;
        }
    }
    // High bits where a byte of eight is one of the words.
    std::uint64_t Matches(std::uint64_t eight) const {
        std::uint64_t found = 0;
        for (std::size_t i = 0; i < Count; ++i) {
            found |= ZeroBytes(eight ^ Patterns[i]);
        }
        return found;
    }
};

#if defined(__SSE2__)
// The same test sixteen words at a time: each of Count words repeated in every byte of a vector,
// so a set of one word costs one comparison.
template <std::size_t Count>
struct TWordVectors {
    __m128i Patterns[Count];

    explicit TWordVectors(const TWordPatterns& set) {
        for (std::size_t i = 0; i < Count; ++i) {
            Patterns[i] = _mm_set1_epi8(static_cast<char>(set.Patterns[i] & 0xFF));
        }
    }
    // A set byte where a word of sixteen is one of the words.
    __m128i Matches(__m128i sixteen) const {
        __m128i found = _mm_cmpeq_epi8(sixteen, Patterns[0]);
        for (std::size_t i = 1; i < Count; ++i) {
            found = _mm_or_si128(found, _mm_cmpeq_epi8(sixteen, Patterns[i]));
        }
        return found;
    }
};

inline __m128i SixteenWords(const std::uint8_t* words) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
}

// Sixteen words from at and the sixteen from at + 2 stay inside while at + 18 does.
template <std::size_t Count>
std::size_t SkipSixteenAtATime(std::span<const std::uint8_t> words, std::size_t at,
                               const TWordPatterns& wanted, const TWordPatterns& nodeEnds) {
    const TWordVectors<Count> wantedVectors(wanted);
    const TWordVectors<2> nodeEndVectors(nodeEnds);
    for (; at + 18 <= words.size(); at += 16) {
        const auto stops = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(wantedVectors.Matches(SixteenWords(&words[at])),
                                           nodeEndVectors.Matches(SixteenWords(&words[at + 2])))));
        if (stops != 0) {
            return at + static_cast<std::size_t>(std::countr_zero(stops));
        }
    }
    return at;
}
#endif

} // namespace

std::uint8_t TTokenWords::Tag(TTokenKind kind, std::string_view text) {
    return static_cast<std::uint8_t>(WordOf(kind, text));
}

TTokenWords::TTokenWords(const TTokenCursor& tokens, const std::uint8_t* tags,
                         const std::function<void()>& everyStep) {
    const std::int64_t last = std::max<std::int64_t>(tokens.Last(), 0);
    if (tags != nullptr) {
        Words_ = std::span(tags, static_cast<std::size_t>(last));
        return;
    }
    Own_.resize(static_cast<std::size_t>(last));
    Words_ = Own_;
    Classify(tokens, 0, last, everyStep);
}

void TTokenWords::Classify(const TTokenCursor& tokens, std::int64_t from, std::int64_t to,
                           const std::function<void()>& everyStep) {
    // In runs that end at the multiples of StepTokens, each followed by a breath.
    for (std::int64_t j = from; j < to;) {
        const std::int64_t runEnd = std::min(to, (j / StepTokens + 1) * StepTokens);
        for (; j < runEnd; ++j) {
            Own_[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(WordOf(tokens, j));
        }
        if (everyStep && j % StepTokens == 0) {
            everyStep();
        }
    }
}

std::size_t TTokenWords::SkipQuietBlocks(std::size_t at, TWordSet wanted) const {
    static constexpr TWordPatterns NodeEndPatterns(NodeEnds);
    const TWordPatterns wantedPatterns(wanted);
    if (wantedPatterns.TooMany) {
        return at;
    }
    const std::uint8_t* const words = Words_.data();
#if defined(__SSE2__)
    static_assert(NodeEndPatterns.Count == 2);
    switch (wantedPatterns.Count) {
    case 1:
        at = SkipSixteenAtATime<1>(Words_, at, wantedPatterns, NodeEndPatterns);
        break;
    case 2:
        at = SkipSixteenAtATime<2>(Words_, at, wantedPatterns, NodeEndPatterns);
        break;
    case 3:
        at = SkipSixteenAtATime<3>(Words_, at, wantedPatterns, NodeEndPatterns);
        break;
    case 4:
        at = SkipSixteenAtATime<4>(Words_, at, wantedPatterns, NodeEndPatterns);
        break;
    default:
        break;
    }
    if (at + 18 <= Words_.size()) {
        return at; // stopped before the end
    }
#endif
    // Eight words from at and the eight from at + 2 stay inside while at + 10 does.
    // Was: a script of fewer than ten tokens read its first block past the end.
    for (; at + 10 <= Words_.size(); at += 8) {
        const std::uint64_t stops = wantedPatterns.Matches(EightWords(words + at)) |
                                    NodeEndPatterns.Matches(EightWords(words + at + 2));
        if (stops == 0) {
            continue;
        }
        // Each test's lowest mark is exact, so the lowest of all is the first stop; on a
        // little-endian machine the lowest byte is the first word.
        if constexpr (std::endian::native == std::endian::little) {
            return at + static_cast<std::size_t>(std::countr_zero(stops)) / 8;
        }
        return at;
    }
    return at;
}

std::int64_t TTokenWords::SkipQuiet(std::int64_t j, TWordSet wanted) const {
    if (j < 0) {
        return j;
    }
    // Both reads stay inside the words while at + 2 does; the last two positions go through At.
    const std::uint8_t* const words = Words_.data();
    const std::size_t inside = Words_.size() < 2 ? 0 : Words_.size() - 2;
    auto at = SkipQuietBlocks(static_cast<std::size_t>(j), wanted);
    while (at < inside && !wanted.Has(static_cast<TWord>(words[at])) &&
           !NodeEnds.Has(static_cast<TWord>(words[at + 2]))) {
        ++at;
    }
    j = static_cast<std::int64_t>(at);
    while (j < static_cast<std::int64_t>(Words_.size()) && !wanted.Has(At(j)) &&
           !NodeEnds.Has(At(j + 2))) {
        ++j;
    }
    return j;
}

} // namespace dialoscope

#include "detail/token_words.h"

#include "detail/background_work.h"

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
// The same test sixteen words at a time: a set's words, each repeated in every byte of a vector,
// always four of them (the first repeated where the set has fewer), so the test has no loop.
struct TWordVectors {
    __m128i Patterns[4];

    explicit TWordVectors(const TWordPatterns& set) {
        for (std::size_t i = 0; i < std::size(Patterns); ++i) {
            const std::uint64_t pattern = set.Patterns[i < set.Count ? i : 0];
            Patterns[i] = _mm_set1_epi8(static_cast<char>(pattern & 0xFF));
        }
    }
    // A set byte where a word of sixteen is one of the words.
    __m128i Matches(__m128i sixteen) const {
        const __m128i first = _mm_or_si128(_mm_cmpeq_epi8(sixteen, Patterns[0]),
                                           _mm_cmpeq_epi8(sixteen, Patterns[1]));
        const __m128i second = _mm_or_si128(_mm_cmpeq_epi8(sixteen, Patterns[2]),
                                            _mm_cmpeq_epi8(sixteen, Patterns[3]));
        return _mm_or_si128(first, second);
    }
};

inline __m128i SixteenWords(const std::uint8_t* words) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
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
    // Each word depends on its own token alone, so a second core classifies the second half
    // while this one, letting the window breathe, does the first.
    const std::int64_t half = last / 2;
    TBackgroundWork secondHalf([this, &tokens, half, last] { Classify(tokens, half, last, {}); },
                               last - half >= StepTokens);
    Classify(tokens, 0, half, everyStep);
    secondHalf.Finish(everyStep);
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
    // Sixteen words from at and the sixteen from at + 2 stay inside while at + 18 does.
    if (Words_.size() >= 18 && wantedPatterns.Count > 0) {
        const TWordVectors wantedVectors(wantedPatterns);
        const TWordVectors nodeEndVectors(NodeEndPatterns);
        for (; at + 18 <= Words_.size(); at += 16) {
            const auto stops = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(wantedVectors.Matches(SixteenWords(words + at)),
                             nodeEndVectors.Matches(SixteenWords(words + at + 2)))));
            if (stops != 0) {
                return at + static_cast<std::size_t>(std::countr_zero(stops));
            }
        }
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

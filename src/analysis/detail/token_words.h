#pragma once
// TTokenWords: one byte per token saying which of the few texts the node walks look for it has,
// computed once per Analyze, so that five walks over every node compare a byte instead of
// fetching and comparing each token's text.

#include "token_cursor.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace dialoscope {

enum class TWord : std::uint8_t {
    Other,
    EndOfFile,    // at or past the end-of-file token
    Identifier,   // kind identifier, any text
    Function,     // text "function", any kind
    Dot,          // text ".", any kind
    At,           // text "@", any kind
    Answer,       // text "Answer", any kind
    Say,          // keyword "Say"
    Write,        // keyword "Write"
    Writeln,      // keyword "Writeln"
    SayWOAnswer,  // keyword "SayWOAnswer"
    SayForAnswer, // keyword "SayForAnswer"
};

// A few words, as one bit each: the words a walk stops at.
class TWordSet {
public:
    constexpr TWordSet(std::initializer_list<TWord> words) {
        for (const TWord word : words) {
            Bits_ |= Bit(word);
        }
    }
    constexpr bool Has(TWord word) const { return (Bits_ & Bit(word)) != 0; }
    constexpr std::uint32_t Bits() const { return Bits_; }

private:
    static constexpr std::uint32_t Bit(TWord word) { return 1U << static_cast<unsigned>(word); }
    std::uint32_t Bits_ = 0;
};

class TTokenWords {
public:
    // everyStep, when set, is called after every StepTokens tokens: a big script's walk lets
    // the window breathe.
    static constexpr std::int64_t StepTokens = 4096;
    explicit TTokenWords(const TTokenCursor& tokens, const std::function<void()>& everyStep = {})
        : TTokenWords(tokens, nullptr, everyStep) {}
    // The same from the words the scan chose with Tag, one per token, when tags is set; they
    // are read where they are and must outlive this object, unchanged.
    TTokenWords(const TTokenCursor& tokens, const std::uint8_t* tags,
                const std::function<void()>& everyStep);
    TTokenWords(const TTokenWords&) = delete; // Words_ may point into Own_
    TTokenWords& operator=(const TTokenWords&) = delete;
    // A token's word, as a tag the scanner keeps (see TScanner::SetTokenTagger).
    static std::uint8_t Tag(TTokenKind kind, std::string_view text);
    // The kinds Tag tags whatever their text.
    static constexpr std::initializer_list<TTokenKind> TaggedByKindAlone = {
        TTokenKind::Identifier, TTokenKind::Integer, TTokenKind::Real, TTokenKind::HexNumber};

    TWord At(std::int64_t j) const {
        if (j < 0 || j >= static_cast<std::int64_t>(Words_.size())) {
            return TWord::EndOfFile;
        }
        return static_cast<TWord>(Words_[static_cast<std::size_t>(j)]);
    }
    // Where a node's walk stops: before the next "function", the final "." or the end.
    bool IsNodeEnd(std::int64_t j) const {
        const TWord word = At(j);
        return NodeEnds.Has(word) || word == TWord::EndOfFile;
    }
    static constexpr TWordSet NodeEnds{TWord::Function, TWord::Dot};

    // A node's walk from position j on: the first position, j itself or later, where it has
    // anything to do. Every token before it is one the walk only steps over: its word is not in
    // wanted, the token two places on is not "function" or ".", and it is not at the end. This
    // compares two bytes per token rather than take each step of the walk.
    std::int64_t SkipQuiet(std::int64_t j, TWordSet wanted) const;

private:
    // SkipQuiet's first part: eight tokens at a time, up to the first position where the walk
    // stops, or near the end, where the byte-wise loop takes over.
    std::size_t SkipQuietBlocks(std::size_t at, TWordSet wanted) const;
    void Classify(const TTokenCursor& tokens, std::int64_t from, std::int64_t to,
                  const std::function<void()>& everyStep);

    std::vector<std::uint8_t> Own_;       // when they were not given
    std::span<const std::uint8_t> Words_; // tokens before the end-of-file token
};

} // namespace dialoscope

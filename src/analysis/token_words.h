#pragma once
// TTokenWords: one byte per token saying which of the few texts the node walks look for it has,
// computed once per Analyze, so that five walks over every node compare a byte instead of
// fetching and comparing each token's text.

#include "token_cursor.h"

#include <cstdint>
#include <functional>
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

class TTokenWords {
public:
    // everyStep, when set, is called after every StepTokens tokens: a big script's walk lets
    // the window breathe.
    static constexpr std::int64_t StepTokens = 4096;
    explicit TTokenWords(const TTokenCursor& tokens, const std::function<void()>& everyStep = {});

    TWord At(std::int64_t j) const {
        if (j < 0 || j >= static_cast<std::int64_t>(Words_.size())) {
            return TWord::EndOfFile;
        }
        return static_cast<TWord>(Words_[static_cast<std::size_t>(j)]);
    }
    // Where a node's walk stops: before the next "function", the final "." or the end.
    bool IsNodeEnd(std::int64_t j) const {
        const TWord word = At(j);
        return word == TWord::Function || word == TWord::Dot || word == TWord::EndOfFile;
    }

private:
    void Classify(const TTokenCursor& tokens, std::int64_t from, std::int64_t to,
                  const std::function<void()>& everyStep);

    std::vector<std::uint8_t> Words_; // tokens before the end-of-file token
};

} // namespace dialoscope

#include "token_words.h"

#include "background_work.h"

#include <algorithm>
#include <string_view>

namespace dialoscope {

namespace {

TWord KeywordWord(std::string_view text) {
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
TWord TextWord(std::string_view text) {
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

TWord WordOf(const TTokenCursor& tokens, std::int64_t j) {
    switch (tokens.K(j)) {
    case TTokenKind::Identifier:
        return TWord::Identifier;
    case TTokenKind::Integer:
    case TTokenKind::Real:
    case TTokenKind::HexNumber:
        return TWord::Other; // digits only: none of the texts looked for
    case TTokenKind::Keyword: {
        const std::string_view text = tokens.T(j);
        const TWord word = TextWord(text);
        return word != TWord::Other ? word : KeywordWord(text);
    }
    default:
        return TextWord(tokens.T(j));
    }
}

} // namespace

TTokenWords::TTokenWords(const TTokenCursor& tokens, const std::function<void()>& everyStep) {
    const std::int64_t last = std::max<std::int64_t>(tokens.Last(), 0);
    Words_.resize(static_cast<std::size_t>(last));
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
    for (std::int64_t j = from; j < to; ++j) {
        Words_[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(WordOf(tokens, j));
        if (everyStep && (j + 1) % StepTokens == 0) {
            everyStep();
        }
    }
}

std::int64_t TTokenWords::SkipQuiet(std::int64_t j, TWordSet wanted) const {
    if (j < 0) {
        return j;
    }
    // Both reads stay inside the words while at + 2 does; the last two positions go through At.
    const std::uint8_t* const words = Words_.data();
    const std::size_t inside = Words_.size() < 2 ? 0 : Words_.size() - 2;
    auto at = static_cast<std::size_t>(j);
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

#include "highlight/line_state.h"

namespace dialoscope {

namespace {

constexpr auto npos = std::string_view::npos;

// The offset after the string opening at `quote`, or npos when it runs to the line's end.
std::size_t SkipString(std::string_view line, std::size_t quote) {
    std::size_t offset = quote + 1;
    for (;;) {
        const std::size_t apostrophe = line.find('\'', offset);
        if (apostrophe == npos) {
            return npos;
        }
        if (apostrophe + 1 >= line.size() || line[apostrophe + 1] != '\'') {
            return apostrophe + 1;
        }
        offset = apostrophe + 2;
    }
}

struct TWalkStep {
    TLineState State;
    std::size_t Next; // npos: the line ends in State
};

TWalkStep StepOutsideComment(std::string_view line, std::size_t offset) {
    const char c = line[offset];
    if (c == '\'') {
        return {TLineState::Plain, SkipString(line, offset)};
    }
    if (c == '{') {
        const std::size_t close = line.find('}', offset + 1);
        return close == npos ? TWalkStep{TLineState::InBraceComment, npos}
                             : TWalkStep{TLineState::Plain, close + 1};
    }
    if (c == '(' && offset + 1 < line.size() && line[offset + 1] == '*') {
        // "(*)" does not close itself: the closing ")" comes at least two after the "*".
        const std::size_t close = line.find("*)", offset + 2);
        return close == npos ? TWalkStep{TLineState::InParenStarComment, npos}
                             : TWalkStep{TLineState::Plain, close + 2};
    }
    return {TLineState::Plain, offset + 1};
}

TWalkStep StepInBraceComment(std::string_view line, std::size_t offset) {
    const std::size_t close = line.find('}', offset);
    return close == npos ? TWalkStep{TLineState::InBraceComment, npos}
                         : TWalkStep{TLineState::Plain, close + 1};
}

TWalkStep StepInParenStarComment(std::string_view line, std::size_t offset) {
    const std::size_t close = line.find(')', offset + 1);
    if (close == npos) {
        return {TLineState::InParenStarComment, npos};
    }
    const bool closes = line[close - 1] == '*';
    // A ")" that does not close is where the search goes on from, never read twice.
    return {closes ? TLineState::Plain : TLineState::InParenStarComment,
            closes ? close + 1 : close};
}

} // namespace

TLineState LineStateFromInt(int value) {
    switch (value) {
    case 1:
        return TLineState::InBraceComment;
    case 2:
        return TLineState::InParenStarComment;
    default:
        return TLineState::Plain;
    }
}

TLineState PascalLineEndState(std::string_view line, TLineState startState) {
    TWalkStep step{startState, 0};
    while (step.Next != npos && step.Next < line.size()) {
        switch (step.State) {
        case TLineState::InBraceComment:
            step = StepInBraceComment(line, step.Next);
            break;
        case TLineState::InParenStarComment:
            step = StepInParenStarComment(line, step.Next);
            break;
        default:
            step = StepOutsideComment(line, step.Next);
            break;
        }
    }
    return step.State;
}

std::size_t OpenCommentEnd(std::string_view line, TLineState startState) {
    switch (startState) {
    case TLineState::InBraceComment: {
        const std::size_t close = line.find('}');
        return close == npos ? npos : close + 1;
    }
    case TLineState::InParenStarComment: {
        const std::size_t close = line.find("*)");
        return close == npos ? npos : close + 2;
    }
    default:
        return 0;
    }
}

} // namespace dialoscope

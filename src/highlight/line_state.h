#pragma once
// TLineState: whether a line of the output pane starts inside a comment that an earlier line
// opened, and which kind. A line's end state is the next line's start state, so the window can
// carry it from line to line and recolour only from the first line whose state changed.
//
// The walk that computes it knows apostrophe strings (skipped, doubled apostrophes inside them)
// and the comments "{...}" and "(*...*)". "//" means nothing to it: a "{" after "//" still opens
// a comment for the following lines, as the stored states have always said.

#include <cstdint>
#include <string_view>

namespace dialoscope {

enum class TLineState : std::uint8_t {
    Plain = 0,
    InBraceComment = 1,     // opened by "{", closed by "}"
    InParenStarComment = 2, // opened by "(*", closed by "*)"
};

// For states kept as integers (a text block's user state): anything but 1 and 2, such as the
// -1 of a block never coloured, is Plain.
TLineState LineStateFromInt(int value);

TLineState PascalLineEndState(std::string_view line, TLineState startState);

// The offset just after the first "}" (InBraceComment) or the first "*)" (InParenStarComment)
// of a line that starts inside a comment: where the comment ends. 0 for Plain; npos when the
// comment covers the whole line.
std::size_t OpenCommentEnd(std::string_view line, TLineState startState);

} // namespace dialoscope

#pragma once
// Places in an editor's text. The editor counts a line's characters in UTF-16 code units (a
// character beyond the Basic Multilingual Plane is two); the server keeps the text as UTF-8.
// A CR LF pair, a lone LF and a lone CR each end a line, as in the core's line buffers, so line
// numbers agree on both sides.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope::lsp {

// 0-based line, and 0-based UTF-16 column within it.
struct TPosition {
    std::int32_t Line = 0;
    std::int32_t Character = 0;
    auto operator<=>(const TPosition&) const = default;
};

struct TRange {
    TPosition Start;
    TPosition End;
    bool operator==(const TRange&) const = default;
};

// The byte offset where each line starts; always at least one line.
std::vector<std::size_t> FindLineStarts(std::string_view text);

// The bytes of line `line`, without its line end; empty past the last line.
std::string_view LineText(std::string_view text, const std::vector<std::size_t>& starts,
                          std::int32_t line);

// How many bytes the UTF-8 sequence starting with lead takes (1 for a byte that starts none).
std::size_t Utf8SequenceLength(unsigned char lead);
// The length of the character at i, shortened to 1 when its continuation bytes are missing.
std::size_t CharLengthAt(std::string_view text, std::size_t i);

// The byte offset within a UTF-8 line of a UTF-16 column. A column past the line's end gives its
// end; a column inside a character (between the halves of a pair) gives that character's start.
std::size_t Utf8Column(std::string_view line, std::int32_t utf16Column);

// The byte offset in text of a position, clamped to the text: a line past the last gives the
// end of the text.
std::size_t OffsetOf(std::string_view text, const std::vector<std::size_t>& starts,
                     TPosition position);

} // namespace dialoscope::lsp

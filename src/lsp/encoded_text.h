#pragma once
// TEncodedText: a file's text in the code page's bytes, what the core reads, together with the
// way back to the editor's positions. A line whose characters are each one byte and one UTF-16
// unit (ASCII, and most lines of a single-byte code page) needs no table; any other line keeps
// where each of its characters starts on both sides, so a byte column maps to a UTF-16 column
// and back exactly.
//
// Made from the editor's text (Encode), a character the code page cannot hold becomes "?" and is
// listed as unencodable, so the script is still analysed; made from a file's bytes (Decode), the
// bytes are kept as they are.

#include "text_lines.h"

#include "text/code_page.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dialoscope::lsp {

struct TUnencodable {
    TRange Range;
    char32_t CodePoint = 0;
};

class TEncodedText {
public:
    TEncodedText() : Starts_{0} {}
    // utf8: the editor's text. codePage: a single-byte code page or UTF-8.
    static TEncodedText Encode(std::string_view utf8, const TTextCodePage& codePage);
    static TEncodedText Decode(std::string bytes, const TTextCodePage& codePage);

    const std::string& Bytes() const { return Bytes_; }
    const std::vector<TUnencodable>& Unencodable() const { return Unencodable_; }
    std::int32_t LineCount() const { return static_cast<std::int32_t>(Starts_.size()); }
    // The bytes of a 0-based line without its line end; empty past the last line.
    std::string_view Line(std::int32_t line) const { return LineText(Bytes_, Starts_, line); }

    // A byte column of a 0-based line as a UTF-16 column, and back. Columns past the line's
    // end are clamped to it; a column inside a character maps to the character's start.
    std::int32_t Utf16Column(std::int32_t line, std::size_t byteColumn) const;
    std::size_t ByteColumn(std::int32_t line, std::int32_t utf16Column) const;

    // The 0-based line and byte column of a byte offset into Bytes().
    std::pair<std::int32_t, std::size_t> PlaceOf(std::size_t offset) const;
    // Bytes [begin, end) of a 0-based line as an editor range.
    TRange RangeOf(std::int32_t line, std::size_t begin, std::size_t end) const;
    // The whole 0-based line, without its leading blanks.
    TRange LineRange(std::int32_t line) const;

private:
    // Where one character starts: its byte column and its UTF-16 column.
    struct TCharPlace {
        std::uint32_t Byte = 0;
        std::uint32_t Utf16 = 0;
    };
    using TLineMap = std::vector<TCharPlace>; // one per character, then the line's end

    void AddLine(std::string_view bytes, TLineMap map);
    void AddLineEnd(std::string_view lineEnd);
    const TLineMap* MapOf(std::int32_t line) const;

    std::string Bytes_;
    std::vector<std::size_t> Starts_;
    std::unordered_map<std::int32_t, TLineMap> Maps_; // only lines that need one
    std::vector<TUnencodable> Unencodable_;
    friend class TTextEncoder;
};

} // namespace dialoscope::lsp

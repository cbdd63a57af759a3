#include "detail/listing_line.h"

#include <array>
#include <charconv>
#include <cstring>

namespace dialoscope {

namespace {

constexpr std::array<std::string_view, 10> KindWords = {
    "comment     ", "end of file ", "error       ", "hex number  ", "identifier  ",
    "integer     ", "keyword     ", "real        ", "special char", "string      ",
};

// A number right-aligned in 5 characters; longer numbers are written in full. Returns the end.
char* PutPadded(char* at, std::int32_t value) {
    if (value >= 0 && value <= 99999) {
        // Nearly every line and column: the five characters written from the right.
        char* digit = at + 5;
        auto rest = static_cast<std::uint32_t>(value);
        do {
            *--digit = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        while (digit != at) {
            *--digit = ' ';
        }
        return at + 5;
    }
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(result.ptr - digits);
    for (std::size_t pad = length; pad < 5; ++pad) {
        *at++ = ' ';
    }
    std::memcpy(at, digits, length);
    return at + length;
}

// Whether the text holds a CR, an LF or a tab, which the pane splits or widens; the rest of a
// listing line never does.
bool NeedsPaneSplit(std::string_view text) {
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == '\t') {
            return true;
        }
    }
    return false;
}

} // namespace

std::string_view KindWord(TTokenKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < KindWords.size() ? KindWords[index] : std::string_view("            ");
}

// Everything before the text is put together in one small buffer, so the line costs two copies
// rather than one per field.
void FormatListingLine(const TTokenView& token, std::string& line) {
    // Two numbers of at most 11 characters, the 12-character kind word and three blanks.
    char head[48];
    char* at = PutPadded(head, token.Column);
    *at++ = ' ';
    at = PutPadded(at, token.Line);
    *at++ = ' ';
    const std::string_view kind = KindWord(token.Kind);
    std::memcpy(at, kind.data(), kind.size());
    at += kind.size();
    *at++ = ' ';
    line.assign(head, at);
    line += token.Text;
}

void AppendListingLine(TPort& port, const TTokenView& token, std::string& line) {
    FormatListingLine(token, line);
    if (!NeedsPaneSplit(token.Text)) {
        port.AppendOutput(line);
        return;
    }
    // The pane splits a line break inside the text into two pane lines.
    AppendPaneLines(port, line);
}

} // namespace dialoscope

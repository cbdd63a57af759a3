#include "detail/listing_line.h"

#include <array>
#include <charconv>

namespace dialoscope {

namespace {

constexpr std::array<std::string_view, 10> KindWords = {
    "comment     ", "end of file ", "error       ", "hex number  ", "identifier  ",
    "integer     ", "keyword     ", "real        ", "special char", "string      ",
};

// A number right-aligned in 5 characters; longer numbers are written in full.
void AppendPadded(std::string& line, std::int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(result.ptr - digits);
    if (length < 5) {
        line.append(5 - length, ' ');
    }
    line.append(digits, length);
}

} // namespace

std::string_view KindWord(TTokenKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < KindWords.size() ? KindWords[index] : std::string_view("            ");
}

void FormatListingLine(const TTokenView& token, std::string& line) {
    line.clear();
    AppendPadded(line, token.Column);
    line += ' ';
    AppendPadded(line, token.Line);
    line += ' ';
    line += KindWord(token.Kind);
    line += ' ';
    line += token.Text;
}

void AppendListingLine(TPort& port, const TTokenView& token, std::string& line) {
    FormatListingLine(token, line);
    // The pane splits a line break inside the text into two pane lines.
    AppendPaneLines(port, line);
}

} // namespace dialoscope

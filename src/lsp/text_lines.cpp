#include "text_lines.h"

namespace dialoscope::lsp {

std::vector<std::size_t> FindLineStarts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        if (text[i] == '\r' || text[i] == '\n') {
            starts.push_back(i + 1);
        }
    }
    return starts;
}

std::string_view LineText(std::string_view text, const std::vector<std::size_t>& starts,
                          std::int32_t line) {
    if (line < 0 || static_cast<std::size_t>(line) >= starts.size()) {
        return {};
    }
    const std::size_t begin = starts[static_cast<std::size_t>(line)];
    std::size_t end = static_cast<std::size_t>(line) + 1 < starts.size()
                          ? starts[static_cast<std::size_t>(line) + 1]
                          : text.size();
    if (end > begin && text[end - 1] == '\n') {
        --end;
    }
    if (end > begin && text[end - 1] == '\r') {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0xC2) {
        return 1; // ASCII, a continuation byte or an overlong lead: one unit of its own
    }
    if (lead < 0xE0) {
        return 2;
    }
    if (lead < 0xF0) {
        return 3;
    }
    return lead < 0xF5 ? 4 : 1;
}

std::size_t CharLengthAt(std::string_view text, std::size_t i) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    if (i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::size_t Utf8Column(std::string_view line, std::int32_t utf16Column) {
    std::int32_t units = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t length = CharLengthAt(line, i);
        units += length == 4 ? 2 : 1;
        if (units > utf16Column) {
            return i;
        }
        i += length;
    }
    return i;
}

std::size_t OffsetOf(std::string_view text, const std::vector<std::size_t>& starts,
                     TPosition position) {
    if (position.Line < 0) {
        return 0;
    }
    if (static_cast<std::size_t>(position.Line) >= starts.size()) {
        return text.size();
    }
    const std::string_view line = LineText(text, starts, position.Line);
    return starts[static_cast<std::size_t>(position.Line)] +
           Utf8Column(line, position.Character < 0 ? 0 : position.Character);
}

} // namespace dialoscope::lsp

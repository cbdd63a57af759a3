#include "message_file.h"

#include "int_conversion.h"

#include "scanner/ascii.h"
#include "scanner/char_classes.h"

#include <algorithm>

namespace dialoscope {

namespace {

bool IsTrimmedByte(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Position of c, or -1: the cuts below are easiest to state with "missing" as -1.
std::int64_t FindOrMinusOne(std::string_view text, char c) {
    const std::size_t at = text.find(c);
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
}

// The bytes [from, to) of text, empty when the range is empty or outside it.
std::string_view Cut(std::string_view text, std::int64_t from, std::int64_t to) {
    from = std::max<std::int64_t>(from, 0);
    to = std::min<std::int64_t>(to, static_cast<std::int64_t>(text.size()));
    if (to <= from) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

} // namespace

std::string_view TrimMessageLine(std::string_view line) {
    while (!line.empty() && IsTrimmedByte(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && IsTrimmedByte(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

bool IsSkippedMessageLine(std::string_view trimmed) {
    return trimmed.empty() || trimmed.front() == '#';
}

std::string_view MessageNumberText(std::string_view trimmed) {
    const std::int64_t open = FindOrMinusOne(trimmed, '{');
    const std::int64_t close = FindOrMinusOne(trimmed, '}');
    if (close < 0) {
        return {};
    }
    return Cut(trimmed, open + 1, close);
}

std::string_view MessageText(std::string_view trimmed) {
    const std::int64_t close = FindOrMinusOne(trimmed, '}');
    return Cut(trimmed, close + 4, static_cast<std::int64_t>(trimmed.size()) - 1);
}

std::optional<TMessageLine> ReadPlainMessageLine(std::string_view trimmed) {
    if (trimmed.empty() || trimmed[0] != '{') {
        return std::nullopt;
    }
    // Nine digits at most, so the number cannot overflow; a tenth is no "}" and goes the plain
    // way.
    constexpr std::size_t kMostDigits = 9;
    const std::size_t limit = std::min(trimmed.size(), kMostDigits + 1);
    std::int32_t number = 0;
    std::size_t close = 1;
    for (; close < limit && IsDecimalDigit(static_cast<unsigned char>(trimmed[close])); ++close) {
        number = number * 10 + (trimmed[close] - '0');
    }
    if (close == 1 || close == trimmed.size() || trimmed[close] != '}') {
        return std::nullopt;
    }
    const auto size = static_cast<std::int64_t>(trimmed.size());
    return TMessageLine{number, Cut(trimmed, static_cast<std::int64_t>(close) + 4, size - 1)};
}

namespace {

TMessageLine ReadMessageLine(std::string_view trimmed) {
    if (const auto plain = ReadPlainMessageLine(trimmed)) {
        return *plain;
    }
    const std::int32_t number = StrToInt(MessageNumberText(trimmed));
    return {number, MessageText(trimmed)};
}

} // namespace

void LoadMessages(TMsgKeepArray& table, const TLineStore& lines) {
    table.Msg.clear();
    table.Msg.reserve(static_cast<std::size_t>(lines.Count()));
    table.Source = lines;
    const TLineStore& source = table.Source;
    std::int32_t max = 0;
    const std::int32_t count = source.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string_view trimmed = TrimMessageLine(source.Line(i));
        if (IsSkippedMessageLine(trimmed)) {
            continue;
        }
        const TMessageLine message = ReadMessageLine(trimmed);
        table.Msg[message.Number] = message.Text;
        max = std::max(max, message.Number);
    }
    table.MaxNum = max;
}

std::string_view ScriptListName(std::string_view line) {
    const std::size_t blank = line.find(' ');
    return blank == std::string_view::npos ? std::string_view() : line.substr(0, blank);
}

void LoadScriptList(TIntKeepArray& list, const TLineStore& lines, std::string_view intFileName,
                    std::int32_t& scriptIndex) {
    list.Names.clear();
    list.Names.reserve(static_cast<std::size_t>(lines.Count()));
    for (std::int32_t j = 1; j <= lines.Count(); ++j) {
        const std::string_view name = ScriptListName(lines.Line(j - 1));
        if (EqualIgnoringAsciiCase(name, intFileName)) {
            scriptIndex = j;
        }
        list.Names.emplace_back(name);
    }
}

} // namespace dialoscope

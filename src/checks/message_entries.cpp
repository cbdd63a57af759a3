#include "message_entries.h"

#include "analysis/int_conversion.h"
#include "analysis/message_file.h"

namespace dialoscope {

namespace {

TMessageEntry EntryOf(std::int32_t number, std::string_view line, std::string_view trimmed,
                      std::int32_t lineNumber) {
    const TMessageFields fields = ReadMessageFields(line);
    const std::string_view cut = MessageText(trimmed);
    if (!fields.IsRegular()) {
        return TMessageEntry{number, cut, lineNumber, {}, cut, TMessageLineShape::Irregular};
    }
    return TMessageEntry{number,
                         FieldBytes(line, fields.Text),
                         lineNumber,
                         FieldBytes(line, fields.Middle),
                         cut,
                         TMessageLineShape::Regular};
}

} // namespace

const TMessageEntry* TMessageEntries::Find(std::int32_t number) const {
    const auto it = LastByNumber.find(number);
    return it == LastByNumber.end() ? nullptr : &Entries[it->second];
}

TMessageEntries ReadMessageEntries(const TLineStore& lines) {
    TMessageEntries result;
    result.Entries.reserve(static_cast<std::size_t>(lines.Count()));
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        const std::string_view trimmed = TrimMessageLine(lines.Line(i));
        if (IsSkippedMessageLine(trimmed)) {
            continue;
        }
        const std::string_view numberText = MessageNumberText(trimmed);
        const auto number = TryStrToInt(numberText);
        if (!number) {
            result.BadLines.push_back(TBadMessageLine{numberText, i + 1});
            continue;
        }
        result.LastByNumber[*number] = result.Entries.size();
        result.Entries.push_back(EntryOf(*number, lines.Line(i), trimmed, i + 1));
    }
    return result;
}

} // namespace dialoscope

#include "message_patch.h"

#include "analysis/int_conversion.h"
#include "analysis/message_fields.h"
#include "analysis/message_file.h"

#include <algorithm>
#include <map>
#include <optional>

namespace dialoscope {

namespace {

struct TFileLine {
    std::size_t Start = 0; // where the line's bytes start in the file
    std::size_t End = 0;   // where its line end starts
};

std::vector<TFileLine> SplitLines(std::string_view file) {
    std::vector<TFileLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != '\n' && file[i] != '\r') {
            continue;
        }
        lines.push_back({start, i});
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < file.size()) {
        lines.push_back({start, file.size()});
    }
    return lines;
}

// The line end the file uses first; CR LF for a file of one line.
std::string_view LineEndOf(std::string_view file) {
    const std::size_t at = file.find_first_of("\r\n");
    if (at == std::string_view::npos) {
        return "\r\n";
    }
    if (file[at] == '\r') {
        return at + 1 < file.size() && file[at + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

std::optional<std::int32_t> NumberOfLine(std::string_view line) {
    const std::string_view trimmed = TrimMessageLine(line);
    if (IsSkippedMessageLine(trimmed)) {
        return std::nullopt;
    }
    return TryStrToInt(MessageNumberText(trimmed));
}

// Where the text field of a message line lies within the line; none for a line that does not
// split into three fields, whose text could only be guessed.
std::optional<TByteRange> TextSpan(std::string_view line) {
    const TMessageFields fields = ReadMessageFields(line);
    if (!fields.IsRegular()) {
        return std::nullopt;
    }
    return fields.Text;
}

bool HoldsLineBreak(std::string_view bytes) {
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

// The line that each number's text is read from: the last one with that number.
std::map<std::int32_t, std::size_t> LastLineByNumber(std::string_view file,
                                                     const std::vector<TFileLine>& lines) {
    std::map<std::int32_t, std::size_t> byNumber;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (const auto number = NumberOfLine(file.substr(line.Start, line.End - line.Start))) {
            byNumber[*number] = i;
        }
    }
    return byNumber;
}

} // namespace

TPatchResult PatchMessageFile(std::string_view file, const std::vector<TPatchText>& texts,
                              TAddMissing addMissing) {
    TPatchResult result;
    const std::vector<TFileLine> lines = SplitLines(file);
    const auto lineOf = LastLineByNumber(file, lines);
    // Replacement text per line; texts for numbers the file lacks wait for the end.
    std::map<std::size_t, const TPatchText*> replacements;
    std::map<std::int32_t, const TPatchText*> missing;
    for (const TPatchText& text : texts) {
        if (HoldsLineBreak(text.Bytes)) {
            result.Refused.push_back({text.Number, "the text holds a line break"});
            continue;
        }
        const auto found = lineOf.find(text.Number);
        if (found == lineOf.end()) {
            missing[text.Number] = &text;
            continue;
        }
        const TFileLine& line = lines[found->second];
        const auto span = TextSpan(file.substr(line.Start, line.End - line.Start));
        if (!span) {
            result.Refused.push_back(
                {text.Number, "line " + std::to_string(found->second + 1) +
                                  " does not split into {number}{middle}{text}, so its text "
                                  "field cannot be told"});
            continue;
        }
        replacements[found->second] = &text;
    }
    for (const auto& [number, text] : missing) {
        result.Missing.push_back(number);
    }
    if (!result.Refused.empty()) {
        return result;
    }
    std::size_t copied = 0;
    for (const auto& [lineIndex, text] : replacements) {
        const TFileLine& line = lines[lineIndex];
        const auto span = *TextSpan(file.substr(line.Start, line.End - line.Start));
        const std::string_view old = file.substr(line.Start + span.Begin, span.Size());
        ++(old == text->Bytes ? result.Unchanged : result.Replaced);
        result.Bytes.append(file.substr(copied, line.Start + span.Begin - copied));
        result.Bytes += text->Bytes;
        copied = line.Start + span.End;
    }
    result.Bytes.append(file.substr(copied));
    if (addMissing == TAddMissing::No || missing.empty()) {
        return result;
    }
    const std::string_view lineEnd = LineEndOf(file);
    if (!file.empty() && file.back() != '\n' && file.back() != '\r') {
        result.Bytes += lineEnd;
    }
    for (const auto& [number, text] : missing) {
        result.Bytes.append("{").append(std::to_string(number)).append("}{}{");
        result.Bytes.append(text->Bytes).append("}").append(lineEnd);
        ++result.Added;
    }
    return result;
}

} // namespace dialoscope

// The message file and scripts.lst parsers on arbitrary bytes, with the message-reference
// operations on every line: the line store's split, the message table, the script list and the
// marks of a node. fuzz_message_files checks what must never happen; its differential twin also
// compares the integer conversion, on every line, with a plain reading of its rules, and the
// table's highest number with one recomputed by that reading. (A failed conversion throws, and
// under the sanitizers a throw costs more than parsing the whole file.)

#include "fuzz_support.h"

#include "analysis/errors.h"
#include "analysis/int_conversion.h"
#include "analysis/line_store.h"
#include "analysis/message_fields.h"
#include "analysis/message_file.h"
#include "analysis/message_refs.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dialoscope::fuzz {
namespace {

std::optional<std::int32_t> ReferenceStrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string_view digits = text.substr(i);
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    } else if (!digits.empty() && (digits[0] == '$' || digits[0] == 'x' || digits[0] == 'X')) {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
    }
    if (base == 16) {
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0U - bits : bits);
    }
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(signedValue);
}

void CheckLineStore(const TLineStore& lines, std::string_view bytes) {
    std::size_t lineBytes = 0;
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Line(i);
        FUZZ_EXPECT(line.find_first_of("\r\n") == std::string_view::npos,
                    "a stored line holds no line end", line);
        lineBytes += line.size();
    }
    FUZZ_EXPECT(lineBytes <= bytes.size(), "the lines hold no more bytes than the file", "");
    TLineStore again;
    again.SetText(lines.Text());
    FUZZ_EXPECT(again.Count() == lines.Count(),
                "lines written with CR LF split into the same lines", "");
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        FUZZ_EXPECT(again.Line(i) == lines.Line(i), "lines written with CR LF read back unchanged",
                    lines.Line(i));
    }
}

void CheckConversion(std::string_view text) {
    const auto got = TryStrToInt(text);
    const auto want = ReferenceStrToInt(text);
    FUZZ_EXPECT(got == want, "the integer conversion follows its rules", text);
    try {
        FUZZ_EXPECT(StrToInt(text) == *want, "StrToInt gives TryStrToInt's value", text);
    } catch (const EConvertError& error) {
        FUZZ_EXPECT(!want, "StrToInt fails only where TryStrToInt does", text);
        // what() is a C string, so a 0 byte in the text cuts the message there.
        FUZZ_EXPECT(error.Text == text &&
                        std::string(error.what()) ==
                            ("'" + std::string(text) + "' is not a valid integer value").c_str(),
                    "the conversion error names the text", error.what());
    }
}

void CheckMessages(const TLineStore& lines) {
    TMsgKeepArray table;
    table.MaxNum = -7; // kept when a line fails
    try {
        LoadMessages(table, lines);
    } catch (const EConvertError&) {
        FUZZ_EXPECT(table.MaxNum == -7, "a failed load keeps MaxNum", "");
        return;
    }
    FUZZ_EXPECT(table.MaxNum >= 0, "MaxNum of a loaded file is 0 or a number read", "");
    if (!IsDifferential) {
        return;
    }
    std::int32_t max = 0;
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        const std::string_view trimmed = TrimMessageLine(lines.Line(i));
        if (IsSkippedMessageLine(trimmed)) {
            continue;
        }
        const std::int32_t n = *ReferenceStrToInt(MessageNumberText(trimmed));
        max = std::max(max, n);
        FUZZ_EXPECT(trimmed.find(MessageText(trimmed)) != std::string_view::npos,
                    "a message text is cut from its line", trimmed);
    }
    FUZZ_EXPECT(table.MaxNum == max, "MaxNum is the highest number read", "");
}

bool HoldsBrace(std::string_view text) {
    return text.find_first_of("{}") != std::string_view::npos;
}

// The three fields of a line lie in order inside it, each between its own braces, and the text
// ends at the line's last byte that is not a blank; an irregular line has none.
void CheckFields(std::string_view line) {
    const TMessageFields fields = ReadMessageFields(line);
    if (!fields.IsRegular()) {
        FUZZ_EXPECT(fields.Number.Size() == 0 && fields.Middle.Size() == 0 &&
                        fields.Text.Size() == 0,
                    "a line without fields has empty ranges", line);
        return;
    }
    const TByteRange number = fields.Number;
    const TByteRange middle = fields.Middle;
    const TByteRange text = fields.Text;
    FUZZ_EXPECT(number.Begin >= 1 && number.Begin <= number.End && number.End < middle.Begin &&
                    middle.Begin <= middle.End && middle.End < text.Begin &&
                    text.Begin <= text.End && text.End < line.size(),
                "the fields lie in order inside the line", line);
    FUZZ_EXPECT(line[number.Begin - 1] == '{' && line[number.End] == '}' &&
                    line[middle.Begin - 1] == '{' && line[middle.End] == '}' &&
                    line[text.Begin - 1] == '{' && line[text.End] == '}',
                "each field stands between its braces", line);
    FUZZ_EXPECT(!HoldsBrace(FieldBytes(line, number)) && !HoldsBrace(FieldBytes(line, middle)),
                "the number and the middle field hold no brace", line);
    FUZZ_EXPECT(TrimMessageLine(line).data() + TrimMessageLine(line).size() ==
                    line.data() + text.End + 1,
                "the text field closes at the line's last byte", line);
}

void CheckScriptList(const TLineStore& lines) {
    const std::string wanted =
        lines.Count() > 0 ? std::string(ScriptListName(lines.Line(lines.Count() - 1))) : "";
    TIntKeepArray list;
    std::int32_t scriptIndex = -3;
    LoadScriptList(list, lines, wanted, scriptIndex);
    FUZZ_EXPECT(list.Count() == lines.Count(), "one script name per line", "");
    FUZZ_EXPECT(scriptIndex == -3 || (scriptIndex >= 1 && scriptIndex <= lines.Count()),
                "ScriptIndex names a line or stays", "");
    for (std::int32_t j = 0; j < list.Count(); ++j) {
        const std::string& name = list.Names[static_cast<std::size_t>(j)];
        FUZZ_EXPECT(name.find(' ') == std::string::npos && lines.Line(j).starts_with(name),
                    "a script name is the line's start before the first blank", name);
    }
}

void CheckReferences(std::string_view text, std::int32_t scriptIndex) {
    TRecordingPort port;
    const std::string shown = MsgRefText(text, scriptIndex, port);
    if (text.find(',') == std::string_view::npos) {
        FUZZ_EXPECT(shown == text, "a reference without a comma shows unchanged", text);
    }
    const std::string dashed = CommasToDashes(text);
    FUZZ_EXPECT(dashed.size() == text.size() && dashed.find(',') == std::string::npos,
                "CommasToDashes replaces every comma", text);

    TNodeKeep node;
    for (const std::string_view marked :
         {text, std::string_view(shown), std::string_view(dashed)}) {
        MarkMsgNumbers(node, marked, port);
    }
    if (node.MsgUsed.Count() > 2000) {
        // A wide range: listing its 99,901 marks would cost more than everything else here.
        FUZZ_EXPECT(node.MsgMark(MsgUsedLow - 1).empty() && node.MsgMark(MsgUsedHigh + 1).empty(),
                    "no mark outside 100..100000", "");
        return;
    }
    const auto marks = node.MsgUsed.Sorted();
    FUZZ_EXPECT(static_cast<std::int32_t>(marks.size()) == node.MsgUsed.Count(),
                "Count gives the number of marks", "");
    for (const auto& [n, mark] : marks) {
        FUZZ_EXPECT(n >= MsgUsedLow && n <= MsgUsedHigh, "marks stay within 100..100000",
                    std::to_string(n));
        FUZZ_EXPECT(!mark.empty() && node.MsgMark(n) == mark, "a stored mark reads back",
                    std::to_string(n));
    }
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dialoscope;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TLineStore lines;
    lines.SetText(bytes);
    fuzz::CheckLineStore(lines, bytes);
    fuzz::CheckMessages(lines);
    fuzz::CheckScriptList(lines);
    const std::int32_t scriptIndex = static_cast<std::int32_t>(size % 7);
    // Every line is parsed above; the reference operations, each making a node and its marks,
    // take the first lines only, fewer in the fast target.
    const std::int32_t checkedLines = fuzz::IsDifferential ? 64 : 16;
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        fuzz::CheckFields(lines.Line(i));
    }
    for (std::int32_t i = 0; i < lines.Count() && i < checkedLines; ++i) {
        const std::string_view trimmed = TrimMessageLine(lines.Line(i));
        if (fuzz::IsDifferential) {
            fuzz::CheckConversion(trimmed);
            fuzz::CheckConversion(MessageNumberText(trimmed));
        }
        fuzz::CheckReferences(trimmed, scriptIndex);
    }
    return 0;
}

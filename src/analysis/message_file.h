#pragma once
// The message file (one message per line, usually {number}{}{text}) and scripts.lst (line j
// names script number j), parsed from their line buffers on every Analyze.

#include "line_store.h"
#include "tables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialoscope {

// A message line trimmed of every byte <= 32 at both ends.
std::string_view TrimMessageLine(std::string_view line);
// Whether a trimmed message line carries no message (empty, or a "#" comment).
bool IsSkippedMessageLine(std::string_view trimmed);
// The text strictly between the first "{" and the first "}" (from the line's start when there
// is no "{"); empty when the braces are missing or out of order.
std::string_view MessageNumberText(std::string_view trimmed);
// The text from the fourth byte after the first "}" up to, not including, the last byte: the
// three bytes after the "}" and the final byte are cut whatever they are.
std::string_view MessageText(std::string_view trimmed);

// A message line's number and text.
struct TMessageLine {
    std::int32_t Number = 0;
    std::string_view Text;
};
// The common trimmed line, "{" then one to nine digits then "}", read in one pass: the number
// StrToInt(MessageNumberText(trimmed)) gives and MessageText(trimmed). Empty for any other line,
// which those three then read.
std::optional<TMessageLine> ReadPlainMessageLine(std::string_view trimmed);

// Empties the table, then stores every message line's text under its number (a later line
// wins). Throws EConvertError for the first line whose number does not convert; the lines
// before it stay stored and MaxNum keeps its previous value.
void LoadMessages(TMsgKeepArray& table, const TLineStore& lines);

// The script name of a scripts.lst line: the text before the first blank, empty when the line
// has no blank.
std::string_view ScriptListName(std::string_view line);

// Refills the list from the lines and sets scriptIndex to the (1-based) number of the last line
// whose name equals intFileName ignoring ASCII case; without a match scriptIndex is unchanged.
void LoadScriptList(TIntKeepArray& list, const TLineStore& lines, std::string_view intFileName,
                    std::int32_t& scriptIndex);

} // namespace dialoscope

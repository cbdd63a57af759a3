#pragma once
// The writers of the project statistics: a row per script and a total row. Same input, same
// bytes, every run. Text, Markdown and JSON lines end in LF; CSV lines in CR LF, as RFC 4180
// writes them. Every format is UTF-8.

#include "stats_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialoscope {

enum class TStatsFormat : std::uint8_t { Text, Json, Csv, Markdown };

// "text", "json", "csv" or "markdown"; nothing for any other name.
std::optional<TStatsFormat> StatsFormatNamed(std::string_view name);

// An aligned table: texts left, numbers right, two blanks between columns, a rule under the
// header and above the total.
std::string StatsText(const TStatsTable& table);
// A header row, then a row per script and the total; a field holding a comma, a quote, CR or LF
// is quoted, its quotes doubled.
std::string StatsCsv(const TStatsTable& table);
// A GitHub-flavoured Markdown table, numbers right-aligned, "|" in a cell escaped.
std::string StatsMarkdown(const TStatsTable& table);
// {"scripts": [row objects], "total": row object}: keys are the column names, numbers are
// numbers (a script not in scripts.lst and the total have "number": null), indented by two.
std::string StatsJson(const TStatsTable& table);

std::string FormatStats(const TStatsTable& table, TStatsFormat format);

} // namespace dialoscope

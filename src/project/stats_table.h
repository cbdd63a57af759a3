#pragma once
// The statistics as a table of text cells, which every writer of them shares: the column names,
// and each row's cells as UTF-8 (file names and statuses that are not UTF-8 are decoded through
// the code page). Numbers are decimal; the translated share has one decimal place.

#include "script_stats.h"

#include "text/code_page.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Which columns hold numbers (right-aligned in the text table, numbers in JSON).
bool IsNumberColumn(std::size_t column);

struct TStatsTable {
    std::vector<std::string_view> Columns;
    std::vector<std::vector<std::string>> Rows; // the scripts' rows, then the total row
};

// With an older original (total.Changes set) the columns "changed", "new", "removed" and
// "changed_percent" follow ("n/a" where the original has no entry).
// The total row has "total" for its script, empty names, no list number, and for its status
// how many scripts had no original ("2 without original"), empty when all had one.
TStatsTable MakeStatsTable(const std::vector<TScriptStats>& rows, const TScriptStats& total,
                           bool withTranslation, const TTextCodePage& codePage);

// The share as the table writes it: one decimal place, "100.0" for everything translated.
std::string ShareText(double percent);

} // namespace dialoscope

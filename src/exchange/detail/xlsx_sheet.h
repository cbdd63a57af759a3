#pragma once
// An XLSX workbook of one sheet through libxlsxwriter, as translators open it in a spreadsheet:
// a bold header row that stays in view, an autofilter over the columns, set column widths, and
// wrapped text.

#include <string>
#include <vector>

namespace dialoscope {

struct TXlsxColumn {
    std::string Title;
    double Width = 12; // in characters
    bool Wrap = false; // long texts wrap within the cell
    // The cells are decimal integers, written as numbers; an empty cell stays empty.
    bool Numbers = false;
};

// Writes the sheet: whole or not at all. Texts are UTF-8. Throws EExchangeError naming path.
void WriteXlsxSheet(const std::string& path, const std::string& sheetName,
                    const std::vector<TXlsxColumn>& columns,
                    const std::vector<std::vector<std::string>>& rows);

} // namespace dialoscope

#pragma once
// An XLSX workbook of one or more sheets through libxlsxwriter, as translators open it in a
// spreadsheet: a bold header row that stays in view, an autofilter over the columns, set column
// widths, and wrapped text.

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

struct TXlsxSheet {
    std::string Name; // as a spreadsheet allows it: see XlsxSheetNames
    std::vector<TXlsxColumn> Columns;
    std::vector<std::vector<std::string>> Rows;
};

// Names a spreadsheet accepts for wanted, in order: at most 31 characters (whole UTF-8
// sequences), none of []:*?/\, no apostrophe at either end, not empty, and no two equal in
// any ASCII letter case (a later one gets " (2)", " (3)", ...).
std::vector<std::string> XlsxSheetNames(const std::vector<std::string>& wanted);

// Writes the sheets in order: whole or not at all. Texts are UTF-8. Throws EExchangeError
// naming path.
void WriteXlsxBook(const std::string& path, const std::vector<TXlsxSheet>& sheets);

// Writes the sheet: whole or not at all. Texts are UTF-8. Throws EExchangeError naming path.
void WriteXlsxSheet(const std::string& path, const std::string& sheetName,
                    const std::vector<TXlsxColumn>& columns,
                    const std::vector<std::vector<std::string>>& rows);

} // namespace dialoscope

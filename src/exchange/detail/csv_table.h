#pragma once
// CSV as RFC 4180 has it: fields separated by commas, a field holding a quote, a comma or a
// line break is quoted and its quotes doubled, and every row ends in CR LF. Reading accepts LF
// line ends too, since spreadsheet programs and editors write either.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// One row, CR LF included.
std::string CsvRow(const std::vector<std::string>& fields);

struct TCsvRow {
    std::vector<std::string> Fields;
    std::int32_t Line = 0; // 1-based line where the row starts
};

// Every row of text. A UTF-8 byte order mark at the start is skipped; an empty last line is no
// row. Throws EExchangeError naming fileName and the row's line when a quoted field is not
// closed, or when a closing quote is followed by anything but a comma or a line end.
std::vector<TCsvRow> ReadCsv(std::string_view text, const std::string& fileName);

} // namespace dialoscope

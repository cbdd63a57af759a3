#include "detail/xlsx_sheet.h"

#include "detail/exchange_error.h"
#include "detail/scratch_file.h"

#include <xlsxwriter.h>

#include <charconv>
#include <cstdint>
#include <optional>

namespace dialoscope {

namespace {

struct TFormats {
    lxw_format* Header = nullptr;
    lxw_format* Wrapped = nullptr;
};

TFormats AddFormats(lxw_workbook* book) {
    TFormats formats;
    formats.Header = workbook_add_format(book);
    format_set_bold(formats.Header);
    formats.Wrapped = workbook_add_format(book);
    format_set_text_wrap(formats.Wrapped);
    format_set_align(formats.Wrapped, LXW_ALIGN_VERTICAL_TOP);
    return formats;
}

void WriteHeader(lxw_worksheet* sheet, const std::vector<TXlsxColumn>& columns,
                 const TFormats& formats) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet, col, col, columns[c].Width,
                             columns[c].Wrap ? formats.Wrapped : nullptr);
        worksheet_write_string(sheet, 0, col, columns[c].Title.c_str(), formats.Header);
    }
    worksheet_freeze_panes(sheet, 1, 0);
}

std::optional<double> NumberOf(const std::string& cell) {
    const char* end = cell.data() + cell.size();
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(cell.data(), end, value);
    if (cell.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return static_cast<double>(value);
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const std::string& cell,
                    const TXlsxColumn& column, const TFormats& formats) {
    lxw_format* format = column.Wrap ? formats.Wrapped : nullptr;
    if (column.Numbers) {
        if (cell.empty()) {
            return LXW_NO_ERROR;
        }
        if (const auto number = NumberOf(cell)) {
            return worksheet_write_number(sheet, row, col, *number, format);
        }
    }
    return worksheet_write_string(sheet, row, col, cell.c_str(), format);
}

lxw_error WriteRows(lxw_worksheet* sheet, const std::vector<std::vector<std::string>>& rows,
                    const TFormats& formats, const std::vector<TXlsxColumn>& columns) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size() && c < columns.size(); ++c) {
            const lxw_error error =
                WriteCell(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c),
                          rows[r][c], columns[c], formats);
            if (error != LXW_NO_ERROR) {
                return error;
            }
        }
    }
    return LXW_NO_ERROR;
}

lxw_error WriteSheet(lxw_workbook* book, const TXlsxSheet& sheet, const TFormats& formats) {
    lxw_worksheet* worksheet = workbook_add_worksheet(book, sheet.Name.c_str());
    if (worksheet == nullptr) {
        return LXW_ERROR_SHEETNAME_ALREADY_USED;
    }
    WriteHeader(worksheet, sheet.Columns, formats);
    lxw_error error = WriteRows(worksheet, sheet.Rows, formats, sheet.Columns);
    if (error == LXW_NO_ERROR && !sheet.Columns.empty()) {
        error = worksheet_autofilter(worksheet, 0, 0, static_cast<lxw_row_t>(sheet.Rows.size()),
                                     static_cast<lxw_col_t>(sheet.Columns.size() - 1));
    }
    return error;
}

} // namespace

void WriteXlsxBook(const std::string& path, const std::vector<TXlsxSheet>& sheets) {
    const TScratchFile scratch(path);
    lxw_workbook* book = workbook_new(scratch.Path().c_str());
    if (book == nullptr) {
        throw EExchangeError(path, 0, "the workbook cannot be made");
    }
    const TFormats formats = AddFormats(book);
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t s = 0; s < sheets.size() && error == LXW_NO_ERROR; ++s) {
        error = WriteSheet(book, sheets[s], formats);
    }
    // The workbook is freed by closing it, whatever went wrong before.
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR) {
        error = closed;
    }
    if (error != LXW_NO_ERROR) {
        throw EExchangeError(path, 0, lxw_strerror(error));
    }
    scratch.ReplaceTarget(path);
}

void WriteXlsxSheet(const std::string& path, const std::string& sheetName,
                    const std::vector<TXlsxColumn>& columns,
                    const std::vector<std::vector<std::string>>& rows) {
    WriteXlsxBook(path, {TXlsxSheet{sheetName, columns, rows}});
}

} // namespace dialoscope

#include "export_files.h"

#include "detail/csv_table.h"
#include "detail/exchange_error.h"
#include "detail/po_file.h"
#include "detail/xliff_file.h"
#include "detail/xlsx_sheet.h"

#include "dialogtree/savers.h"
#include "scanner/ascii.h"

#include <filesystem>

namespace dialoscope {

namespace {

std::string Context(const TExportRow& row) {
    return row.Script + ":" + std::to_string(row.Number);
}

std::string ExtractedComments(const TExportRow& row) {
    std::string comments;
    if (row.Node.empty()) {
        comments = row.Role;
    } else {
        comments = "node: " + row.Node + "\nrole: " + row.Role;
        comments += "\nspeaker: " + row.Speaker;
        if (!row.PreviousLine.empty()) {
            comments += "\nprevious: " + row.PreviousLine;
        }
    }
    if (!row.Middle.empty()) {
        comments += "\nmiddle: " + row.Middle;
    }
    return comments;
}

TPoEntry PoEntryOf(const TExportRow& row) {
    TPoEntry entry;
    entry.Context = Context(row);
    entry.Id = row.Original;
    entry.Str = row.Translation;
    entry.ExtractedComments = ExtractedComments(row);
    // gettext's own way to show what changed: Poedit, Lokalize and msgmerge read it so.
    if (row.Change == TSourceChange::Changed) {
        entry.Fuzzy = true;
        entry.PreviousId = row.PreviousOriginal;
    }
    for (const std::int32_t line : row.Lines) {
        entry.References.emplace_back(row.ScriptFile, line);
    }
    return entry;
}

std::vector<std::string> BaseCellsOf(const TExportRow& row) {
    const std::string line = row.Lines.empty() ? "" : std::to_string(row.Lines.front());
    return {row.Script,
            std::to_string(row.ScriptNumber),
            std::to_string(row.Number),
            row.Node,
            row.Role,
            row.Speaker,
            line,
            row.PreviousLine,
            row.Middle,
            row.Original,
            row.Translation};
}

std::string ChangedCell(const TExportRow& row) {
    switch (row.Change) {
    case TSourceChange::Changed:
        return row.ChangeMarks;
    case TSourceChange::New:
        return "new";
    case TSourceChange::Unchanged:
        break;
    }
    return {};
}

std::vector<std::string> CellsOf(const TExportRow& row, bool withChanges) {
    std::vector<std::string> cells = BaseCellsOf(row);
    if (withChanges) {
        cells.push_back(row.PreviousOriginal);
        cells.push_back(ChangedCell(row));
    }
    return cells;
}

// The column titles of the CSV and XLSX exports, which an import reads back by name. The change
// columns are the older original of a changed entry, and its difference marked word by word
// ("new" for a new original).
std::vector<std::string> ColumnsOf(bool withChanges) {
    std::vector<std::string> columns = {
        "script", "script number", "message number", "node",     "role",       "speaker",
        "line",   "previous line", "middle",         "original", "translation"};
    if (withChanges) {
        columns.insert(columns.end(), {"previous original", "changed"});
    }
    return columns;
}

// gettext separates a context from its text with the byte 04 and ends a text at a NUL, so no PO
// text may hold either; libxlsxwriter ends a cell's text at a NUL too. CSV carries every byte.
void RefuseBytesItCannotCarry(const std::string& path, const TExportRow& row,
                              std::string_view bytes, std::string_view format) {
    for (const char byte : bytes) {
        if (row.Original.find(byte) != std::string::npos ||
            row.Translation.find(byte) != std::string::npos ||
            row.PreviousOriginal.find(byte) != std::string::npos) {
            const bool separator = byte == '\x04';
            throw EExchangeError(path, 0,
                                 "message " + std::to_string(row.Number) + " of " + row.Script +
                                     " holds the byte " + (separator ? "04" : "00") + ", which " +
                                     std::string(format) + " file cannot carry; export it as " +
                                     (separator ? "CSV or XLSX" : "CSV"));
        }
    }
}

void WritePo(const std::string& path, const std::vector<TExportRow>& rows,
             const TExportHeader& header) {
    std::vector<TPoEntry> entries;
    entries.reserve(rows.size());
    for (const TExportRow& row : rows) {
        RefuseBytesItCannotCarry(path, row, std::string_view("\x04\0", 2), "a PO");
        entries.push_back(PoEntryOf(row));
    }
    const std::string project =
        !header.Project.empty() || rows.empty() ? header.Project : rows.front().Script;
    WritePoFile(path, entries, TPoHeader{project, header.Language});
}

void WriteCsv(const std::string& path, const std::vector<TExportRow>& rows, TByteOrderMark bom,
              bool withChanges) {
    std::string text = bom == TByteOrderMark::Write ? "\xEF\xBB\xBF" : "";
    text += CsvRow(ColumnsOf(withChanges));
    for (const TExportRow& row : rows) {
        text += CsvRow(CellsOf(row, withChanges));
    }
    ReplaceFile(path, text);
}

void WriteXlsx(const std::string& path, const std::vector<TExportRow>& rows, bool withChanges) {
    std::vector<double> widths = {12, 8, 10, 16, 24, 10, 8, 40, 16, 50, 50};
    // The script number, the message number and the line are numbers a spreadsheet sorts.
    std::vector<bool> numbers = {false, true,  true,  false, false, false,
                                 true,  false, false, false, false};
    if (withChanges) {
        widths.insert(widths.end(), {50, 50});
        numbers.insert(numbers.end(), {false, false});
    }
    const std::vector<std::string> titles = ColumnsOf(withChanges);
    std::vector<TXlsxColumn> columns;
    for (std::size_t c = 0; c < titles.size(); ++c) {
        columns.push_back({titles[c], widths[c], widths[c] >= 40, numbers[c]});
    }
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.size());
    for (const TExportRow& row : rows) {
        RefuseBytesItCannotCarry(path, row, std::string_view("\0", 1), "an XLSX");
        cells.push_back(CellsOf(row, withChanges));
    }
    WriteXlsxSheet(path, "Strings", columns, cells);
}

} // namespace

TExchangeFormat ExchangeFormatOf(const std::string& path) {
    const std::string extension = AsciiLowerCase(std::filesystem::path(path).extension().string());
    if (extension == ".po") {
        return TExchangeFormat::Po;
    }
    if (extension == ".csv") {
        return TExchangeFormat::Csv;
    }
    if (extension == ".xlsx") {
        return TExchangeFormat::Xlsx;
    }
    if (extension == ".xlf" || extension == ".xliff") {
        return TExchangeFormat::Xliff;
    }
    throw EExchangeError(path, 0, "the file name must end in .po, .csv, .xlsx, .xlf or .xliff");
}

void WriteExport(const std::string& path, TExchangeFormat format,
                 const std::vector<TExportRow>& rows, TByteOrderMark bom,
                 const TExportHeader& header) {
    switch (format) {
    case TExchangeFormat::Po:
        WritePo(path, rows, header);
        return;
    case TExchangeFormat::Csv:
        WriteCsv(path, rows, bom, header.WithChanges);
        return;
    case TExchangeFormat::Xlsx:
        WriteXlsx(path, rows, header.WithChanges);
        return;
    case TExchangeFormat::Xliff:
        WriteXliffFile(path, rows, TXliffLanguages{header.SourceLanguage, header.Language});
        return;
    }
}

} // namespace dialoscope

#include "detail/translation_file.h"

#include "detail/csv_table.h"
#include "detail/exchange_error.h"
#include "detail/po_file.h"
#include "detail/xliff_file.h"
#include "export_files.h"

#include "analysis/file_bytes.h"
#include "analysis/int_conversion.h"
#include "scanner/ascii.h"
#include "text/code_page.h"

#include <algorithm>
#include <unordered_map>

namespace dialoscope {

namespace {

struct TCsvColumns {
    std::size_t Script = 0;
    std::size_t Number = 0;
    std::size_t Translation = 0;
};

std::size_t ColumnOf(const TCsvRow& header, const std::string& title, const std::string& path) {
    const auto at = std::find(header.Fields.begin(), header.Fields.end(), title);
    if (at == header.Fields.end()) {
        throw EExchangeError(path, header.Line, "the header row has no column \"" + title + "\"");
    }
    return static_cast<std::size_t>(at - header.Fields.begin());
}

std::int32_t NumberOf(std::string_view text, const std::string& path, std::int32_t line) {
    const auto number = TryStrToInt(text);
    if (!number) {
        throw EExchangeError(path, line, "\"" + std::string(text) + "\" is not a message number");
    }
    return *number;
}

std::int32_t LineAt(std::string_view text, std::size_t offset) {
    return 1 + static_cast<std::int32_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// A spreadsheet saved as CSV in its own code page, or as "Unicode text", would otherwise be read
// as wrong texts or end as "no column".
void RefuseOtherEncodings(std::string_view bytes, const std::string& path) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        throw EExchangeError(path, 1, "the file is UTF-16; save it as CSV in UTF-8");
    }
    std::vector<std::size_t> undefined;
    (void)TTextCodePage("UTF-8").ToUtf8(bytes, undefined);
    if (!undefined.empty()) {
        throw EExchangeError(path, LineAt(bytes, undefined.front()),
                             "the file is not UTF-8 (byte " +
                                 std::to_string(undefined.front() + 1) +
                                 "); save it as CSV in UTF-8");
    }
}

// Spreadsheets in many languages write ";" or a tab between fields; the table is read with
// commas, as the export writes it.
void RefuseOtherDelimiters(std::string_view bytes, const std::string& path) {
    const std::string_view header = bytes.substr(0, bytes.find('\n'));
    if (header.find(',') != std::string_view::npos) {
        return;
    }
    for (const auto& [delimiter, name] : {std::pair{';', "\";\""}, std::pair{'\t', "tabs"}}) {
        if (header.find(delimiter) != std::string_view::npos) {
            throw EExchangeError(path, 1,
                                 std::string("the fields are separated by ") + name +
                                     ", not by commas; save it as CSV with commas between fields");
        }
    }
}

std::vector<TTranslatedText> ReadCsvTranslations(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    RefuseOtherEncodings(bytes, path);
    RefuseOtherDelimiters(bytes, path);
    const std::vector<TCsvRow> rows = ReadCsv(bytes, path);
    if (rows.empty()) {
        throw EExchangeError(path, 0, "the file holds no header row");
    }
    const TCsvColumns columns{ColumnOf(rows[0], "script", path),
                              ColumnOf(rows[0], "message number", path),
                              ColumnOf(rows[0], "translation", path)};
    std::vector<TTranslatedText> texts;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const TCsvRow& row = rows[r];
        if (row.Fields.size() != rows[0].Fields.size()) {
            throw EExchangeError(path, row.Line,
                                 "the row has " + std::to_string(row.Fields.size()) +
                                     " fields, the header " +
                                     std::to_string(rows[0].Fields.size()));
        }
        texts.push_back({row.Fields[columns.Script],
                         NumberOf(row.Fields[columns.Number], path, row.Line),
                         row.Fields[columns.Translation], false, row.Line});
    }
    return texts;
}

// xliff2po keeps a unit's id "SCRIPT:NUMBER" only as the entry's reference, and gives a context
// only to entries whose originals are equal; an entry without a context is named by it.
std::string KeyOf(const TPoEntry& entry) {
    if (!entry.Context.empty() || entry.References.size() != 1) {
        return entry.Context;
    }
    const auto& [file, line] = entry.References.front();
    return file + ":" + std::to_string(line);
}

TTranslatedText TextOfPoEntry(const TPoEntry& entry, const std::string& path) {
    const std::string key = KeyOf(entry);
    const std::size_t colon = key.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        throw EExchangeError(path, entry.Line,
                             "the context \"" + entry.Context + "\" is not SCRIPT:NUMBER");
    }
    if (entry.Plural) {
        throw EExchangeError(path, entry.Line,
                             "the entry " + entry.Context +
                                 " has plural forms (msgid_plural), which a message line cannot "
                                 "hold");
    }
    if (entry.StrHoldsNul) {
        throw EExchangeError(path, entry.Line,
                             "the translation of " + entry.Context +
                                 " holds a NUL byte, where a PO file ends its text; import it "
                                 "from a CSV file");
    }
    const std::string_view number = std::string_view(key).substr(colon + 1);
    return {key.substr(0, colon), NumberOf(number, path, entry.Line), entry.Str, entry.Fuzzy,
            entry.Line};
}

std::vector<TTranslatedText> ReadPoTranslations(const std::string& path) {
    std::vector<TTranslatedText> texts;
    for (const TPoEntry& entry : ReadPoFile(path)) {
        texts.push_back(TextOfPoEntry(entry, path));
    }
    return texts;
}

// One message translated twice leaves the import to choose between them: refused, both named.
void RefuseTwiceTranslated(const std::vector<TTranslatedText>& texts, const std::string& path) {
    std::unordered_map<std::string, std::int32_t> firstLines;
    for (const TTranslatedText& text : texts) {
        const std::string key = AsciiLowerCase(text.Script) + ":" + std::to_string(text.Number);
        const auto [first, inserted] = firstLines.emplace(key, text.Line);
        if (!inserted) {
            throw EExchangeError(path, text.Line,
                                 text.Script + ":" + std::to_string(text.Number) +
                                     " is translated twice, at lines " +
                                     std::to_string(first->second) + " and " +
                                     std::to_string(text.Line));
        }
    }
}

std::vector<TTranslatedText> ReadTexts(const std::string& path) {
    switch (ExchangeFormatOf(path)) {
    case TExchangeFormat::Po:
        return ReadPoTranslations(path);
    case TExchangeFormat::Csv:
        return ReadCsvTranslations(path);
    case TExchangeFormat::Xliff:
        return ReadXliffFile(path);
    case TExchangeFormat::Xlsx:
        break;
    }
    // No reader of XLSX is packaged for this system's C++; every spreadsheet program saves CSV.
    throw EExchangeError(path, 0,
                         "translations are read back from PO, CSV and XLIFF files only; save the "
                         "sheet as CSV (UTF-8, commas between fields) and import that file");
}

} // namespace

std::vector<TTranslatedText> ReadTranslationFile(const std::string& path) {
    std::vector<TTranslatedText> texts = ReadTexts(path);
    RefuseTwiceTranslated(texts, path);
    return texts;
}

} // namespace dialoscope

#include "detail/translation_file.h"

#include "detail/csv_table.h"
#include "detail/exchange_error.h"
#include "detail/po_file.h"
#include "export_files.h"

#include "analysis/file_bytes.h"
#include "analysis/int_conversion.h"

#include <algorithm>

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

std::vector<TTranslatedText> ReadCsvTranslations(const std::string& path) {
    const std::vector<TCsvRow> rows = ReadCsv(ReadFileBytes(path), path);
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

TTranslatedText TextOfPoEntry(const TPoEntry& entry, const std::string& path) {
    const std::size_t colon = entry.Context.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        throw EExchangeError(path, 0, "the context \"" + entry.Context + "\" is not SCRIPT:NUMBER");
    }
    const std::string_view number = std::string_view(entry.Context).substr(colon + 1);
    return {entry.Context.substr(0, colon), NumberOf(number, path, 0), entry.Str, entry.Fuzzy, 0};
}

std::vector<TTranslatedText> ReadPoTranslations(const std::string& path) {
    // Read once here, so that a file that cannot be read is named as everywhere else.
    (void)ReadFileBytes(path);
    std::vector<TTranslatedText> texts;
    for (const TPoEntry& entry : ReadPoFile(path)) {
        texts.push_back(TextOfPoEntry(entry, path));
    }
    return texts;
}

} // namespace

std::vector<TTranslatedText> ReadTranslationFile(const std::string& path) {
    switch (ExchangeFormatOf(path)) {
    case TExchangeFormat::Po:
        return ReadPoTranslations(path);
    case TExchangeFormat::Csv:
        return ReadCsvTranslations(path);
    case TExchangeFormat::Xlsx:
        break;
    }
    throw EExchangeError(path, 0, "translations are read back from PO and CSV files only");
}

} // namespace dialoscope

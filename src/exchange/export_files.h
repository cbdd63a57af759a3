#pragma once
// Writing export rows as a PO file, a CSV table, an XLSX sheet or an XLIFF 1.2 file, chosen by
// the file's extension. Every file is written whole or not at all.

#include "export_rows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

enum class TExchangeFormat : std::uint8_t { Po, Csv, Xlsx, Xliff };

// By the extension of path, any letter case: .po, .csv, .xlsx, .xlf or .xliff. Throws
// EExchangeError otherwise.
TExchangeFormat ExchangeFormatOf(const std::string& path);

enum class TByteOrderMark : std::uint8_t { Omit, Write };

// What a PO or XLIFF file's header names; CSV and XLSX have no header to put it in.
struct TExportHeader {
    std::string Project;  // Project-Id-Version; empty: the first row's script
    std::string Language; // "de", "pt_BR"; empty when not known
    // The rows were compared with an older original: CSV and XLSX get the change columns.
    bool WithChanges = false;
    std::string SourceLanguage = "en"; // XLIFF's source-language, which it must name
};

// Writes rows to path in format. bom puts a UTF-8 byte order mark before a CSV table, for
// spreadsheet programs that need it. Throws EExchangeError, EFCreateError or EWriteError.
void WriteExport(const std::string& path, TExchangeFormat format,
                 const std::vector<TExportRow>& rows, TByteOrderMark bom,
                 const TExportHeader& header = {});

} // namespace dialoscope

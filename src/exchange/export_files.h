#pragma once
// Writing export rows as a PO file, a CSV table or an XLSX sheet, chosen by the file's
// extension. Every file is written whole or not at all.

#include "export_rows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

enum class TExchangeFormat : std::uint8_t { Po, Csv, Xlsx };

// By the extension of path, any letter case: .po, .csv, .xlsx. Throws EExchangeError otherwise.
TExchangeFormat ExchangeFormatOf(const std::string& path);

// The column titles of the CSV and XLSX exports, which an import reads back by name.
const std::vector<std::string>& ExportColumns();

enum class TByteOrderMark : std::uint8_t { Omit, Write };

// What a PO file's header names; CSV and XLSX have no header to put it in.
struct TExportHeader {
    std::string Project;  // Project-Id-Version; empty: the first row's script
    std::string Language; // "de", "pt_BR"; empty when not known
};

// Writes rows to path in format. bom puts a UTF-8 byte order mark before a CSV table, for
// spreadsheet programs that need it. Throws EExchangeError, EFCreateError or EWriteError.
void WriteExport(const std::string& path, TExchangeFormat format,
                 const std::vector<TExportRow>& rows, TByteOrderMark bom,
                 const TExportHeader& header = {});

} // namespace dialoscope

#include "exchange/detail/csv_table.h"
#include "exchange/detail/exchange_error.h"
#include "exchange/detail/po_file.h"
#include "exchange/export_files.h"
#include "exchange/export_scripts.h"
#include "exchange/import_translation.h"

#include "analysis/file_bytes.h"
#include "analysis/line_store.h"
#include "analysis/message_fields.h"
#include "temp_folder.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

namespace dialoscope {
namespace {

namespace fs = std::filesystem;

std::size_t ColumnOf(const TCsvRow& header, const std::string& title) {
    return static_cast<std::size_t>(
        std::find(header.Fields.begin(), header.Fields.end(), title) - header.Fields.begin());
}

// Every translation set to what translate makes of its original, as a translator's tool would
// leave it.
void Translate(const std::string& path, TExchangeFormat format,
               const std::function<std::string(const std::string&)>& translate) {
    if (format == TExchangeFormat::Po) {
        std::vector<TPoEntry> entries = ReadPoFile(path);
        for (TPoEntry& entry : entries) {
            entry.Str = translate(entry.Id);
        }
        WritePoFile(path, entries);
        return;
    }
    std::vector<TCsvRow> rows = ReadCsv(ReadFileBytes(path), path);
    const std::size_t original = ColumnOf(rows[0], "original");
    const std::size_t translation = ColumnOf(rows[0], "translation");
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            rows[r].Fields[translation] = translate(rows[r].Fields[original]);
        }
        text += CsvRow(rows[r].Fields);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A translator who changes nothing.
void AcceptOriginals(const std::string& path, TExchangeFormat format) {
    Translate(path, format, [](const std::string& original) { return original; });
}

struct TRoundTrip {
    std::string Folder;     // holds the script, its message file and scripts.lst
    std::string ScriptName; // "guard"
    std::string CodePage;
    std::string ScriptsLst = {}; // the folder's own when empty
};

// Exports the script, takes every original as its translation and imports it into a copy of
// the message file: the copy must be the message file byte for byte.
void ExpectRoundTrip(const TRoundTrip& trip, TExchangeFormat format, const std::string& ext) {
    SCOPED_TRACE(trip.Folder + " " + ext + " " + trip.CodePage);
    const test::TTempFolder work;
    const TTextCodePage codePage(trip.CodePage);
    TExportRequest request;
    request.Scripts = {{trip.Folder + "/" + trip.ScriptName + ".ipp", trip.ScriptName}};
    request.ScriptsLst = trip.ScriptsLst.empty() ? trip.Folder + "/scripts.lst" : trip.ScriptsLst;
    const TExportResult exported = CollectExportRows(request, codePage);
    EXPECT_TRUE(exported.UndefinedBytes.empty());
    const std::string exportPath = work.Path("strings" + ext);
    WriteExport(exportPath, format, exported.Rows, TByteOrderMark::Omit);
    AcceptOriginals(exportPath, format);
    const std::string messages = ReadFileBytes(trip.Folder + "/" + trip.ScriptName + ".msg");
    const std::string target = work.Write(trip.ScriptName + ".msg", messages);
    const TImportSummary summary =
        ImportTranslation({exportPath, target, std::nullopt, TAddMissing::No, false}, codePage);
    EXPECT_EQ(summary.Refused, 0) << (summary.Reports.empty() ? "" : summary.Reports[0]);
    EXPECT_EQ(summary.Replaced, 0);
    EXPECT_EQ(summary.Missing, 0);
    EXPECT_TRUE(ReadFileBytes(target) == messages);
}

void AppendMessage(std::string& file, int number, const std::string& text) {
    file.append("{").append(std::to_string(number)).append("}{}{").append(text).append("}\r\n");
}

// A message file holding every byte the code page defines in texts, but the line breaks and
// the byte 04, which a PO file cannot carry.
std::string AllDefinedBytes(const TTextCodePage& codePage) {
    std::string file = "# every byte\r\n";
    std::string text;
    int number = 100;
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (b == '\r' || b == '\n' || b == 4 || !codePage.CharOf(byte)) {
            continue;
        }
        text += static_cast<char>(byte);
        if (text.size() == 16) {
            AppendMessage(file, number++, text);
            text.clear();
        }
    }
    AppendMessage(file, number, text);
    return file;
}

// Message lines as real files write them: a filled middle field, blanks between the fields,
// braces inside the text, an empty text.
constexpr const char* FieldsFile = "# voice lines\r\n"
                                   "{100}{grd_halt}{Halt! State your business.}\r\n"
                                   "  {101} {} { Well?}\r\n"
                                   "{102}\t{v_102}\t{Braces {inside} and } here}\r\n"
                                   "{103}{}{}\r\n"
                                   "{104}{x}{Trailing blank }  \n";

// The file with every text field taken out: what an import must leave as it is.
std::string AllButTextFields(const std::string& file) {
    TLineStore lines;
    lines.SetText(file);
    std::string rest;
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Line(i);
        const TMessageFields fields = ReadMessageFields(line);
        EXPECT_NE(fields.Shape, TMessageLineShape::Irregular) << line;
        rest += line.substr(0, fields.IsRegular() ? fields.Text.Begin : line.size());
        rest += "|";
        rest += fields.IsRegular() ? line.substr(fields.Text.End) : std::string_view();
        rest += "\n";
    }
    return rest;
}

// Was: the fixed cut exported "d_halt}{Halt! State your business." and an import wrote
// "{100}{grHalt! ...}", destroying the line.
TEST(ExchangeRoundTrip, AnEditedImportChangesOnlyTextFields) {
    const test::TTempFolder work;
    work.Write("f.ipp", "script F('f.msg');\r\nend.\r\n");
    work.Write("f.msg", FieldsFile);
    work.Write("scripts.lst", "f.int 1\r\n");
    const TTextCodePage codePage("windows-1252");
    TExportRequest request;
    request.Scripts = {{work.Path("f.ipp"), "f"}};
    request.ScriptsLst = work.Path("scripts.lst");
    const TExportResult exported = CollectExportRows(request, codePage);
    ASSERT_EQ(exported.Rows.size(), 5u);
    EXPECT_EQ(exported.Rows[0].Original, "Halt! State your business.");
    EXPECT_EQ(exported.Rows[0].Middle, "grd_halt");
    EXPECT_EQ(exported.Rows[1].Original, " Well?");
    EXPECT_EQ(exported.Rows[2].Original, "Braces {inside} and } here");
    for (const auto& [format, ext] : {std::pair{TExchangeFormat::Po, ".po"},
                                      std::pair{TExchangeFormat::Csv, ".csv"}}) {
        SCOPED_TRACE(ext);
        const std::string exportPath = work.Path(std::string("edited") + ext);
        WriteExport(exportPath, format, exported.Rows, TByteOrderMark::Omit);
        Translate(exportPath, format, [](const std::string& text) { return "{T} " + text; });
        const std::string target = work.Write("f.msg", FieldsFile);
        const TImportSummary summary = ImportTranslation(
            {exportPath, target, std::nullopt, TAddMissing::No, false}, codePage);
        EXPECT_EQ(summary.Refused, 0) << (summary.Reports.empty() ? "" : summary.Reports[0]);
        EXPECT_EQ(summary.Replaced, 5);
        const std::string written = ReadFileBytes(target);
        EXPECT_EQ(AllButTextFields(written), AllButTextFields(FieldsFile));
        EXPECT_NE(written.find("{100}{grd_halt}{{T} Halt! State your business.}\r\n"),
                  std::string::npos);
        EXPECT_NE(written.find("  {101} {} {{T}  Well?}\r\n"), std::string::npos);
    }
}

TEST(ExchangeRoundTrip, ImportingTheExportGivesTheMessageFileBack) {
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples";
    const test::TTempFolder fields;
    fields.Write("f.ipp", "script F('f.msg');\r\nend.\r\n");
    fields.Write("f.msg", FieldsFile);
    fields.Write("scripts.lst", "f.int 1\r\n");
    const test::TTempFolder allBytes;
    for (const char* page : {"windows-1252", "windows-1251"}) {
        const std::string sub = std::string(page) + "/";
        fs::create_directories(allBytes.Path(page));
        allBytes.Write(sub + "all.ipp", "script All('all.msg');\r\nend.\r\n");
        allBytes.Write(sub + "all.msg", AllDefinedBytes(TTextCodePage(page)));
        allBytes.Write(sub + "scripts.lst", "all.int 1\r\n");
    }
    const std::vector<TRoundTrip> trips = {
        {examples, "guard", "windows-1252"},
        {examples + "/de", "guard", "windows-1252", examples + "/scripts.lst"},
        {allBytes.Folder() + "/windows-1252", "all", "windows-1252"},
        {allBytes.Folder() + "/windows-1251", "all", "windows-1251"},
        {test::GeneratedWorkload("--nodes 120 --seed 5"), "talk", "windows-1251"},
        {fields.Folder(), "f", "windows-1252"},
    };
    for (const TRoundTrip& trip : trips) {
        ExpectRoundTrip(trip, TExchangeFormat::Po, ".po");
        ExpectRoundTrip(trip, TExchangeFormat::Csv, ".csv");
    }
}

// Was: a NUL shortened the text in a PO or XLSX file without a word.
TEST(ExchangeRoundTrip, AFileRefusesTheByteItCannotCarry) {
    const struct {
        const char* Byte;
        TExchangeFormat Format;
        const char* Ext;
        const char* Why; // empty: carried, and the import gives the message file back
    } cases[] = {
        {"\x04", TExchangeFormat::Po, ".po",
         "holds the byte 04, which a PO file cannot carry; "
         "export it as CSV or XLSX"},
        {"\0", TExchangeFormat::Po, ".po",
         "holds the byte 00, which a PO file cannot carry; "
         "export it as CSV"},
        {"\0", TExchangeFormat::Xlsx, ".xlsx",
         "holds the byte 00, which an XLSX file cannot "
         "carry; export it as CSV"},
        {"\0", TExchangeFormat::Csv, ".csv", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Ext);
        const test::TTempFolder work;
        work.Write("eot.ipp", "script Eot('eot.msg');\r\nend.\r\n");
        work.Write("eot.msg", "{100}{}{a" + std::string(c.Byte, 1) + "b}\r\n");
        work.Write("scripts.lst", "eot.int 1\r\n");
        if (c.Why[0] == '\0') {
            ExpectRoundTrip({work.Folder(), "eot", "windows-1252"}, c.Format, c.Ext);
            continue;
        }
        TExportRequest request;
        request.Scripts = {{work.Path("eot.ipp"), "eot"}};
        request.ScriptsLst = work.Path("scripts.lst");
        const TExportResult exported = CollectExportRows(request, TTextCodePage("windows-1252"));
        const std::string path = work.Path(std::string("eot") + c.Ext);
        try {
            WriteExport(path, c.Format, exported.Rows, TByteOrderMark::Omit);
            ADD_FAILURE() << "written";
        } catch (const EExchangeError& error) {
            EXPECT_EQ(error.what(), path + ": message 100 of eot " + c.Why);
        }
        EXPECT_FALSE(fs::exists(path));
    }
}

// Was: a script named twice was exported twice, and msgfmt refused the file.
TEST(ExchangeRoundTrip, EachScriptIsExportedOnceAndNamesDoNotClash) {
    const test::TTempFolder work;
    for (const char* folder : {"a", "b"}) {
        fs::create_directories(work.Path(folder));
        work.Write(std::string(folder) + "/talk.ipp", "script Talk('talk.msg');\r\nend.\r\n");
        work.Write(std::string(folder) + "/talk.msg", "{100}{}{Hi}\r\n");
    }
    work.Write("scripts.lst", "talk.int 1\r\n");
    TExportRequest request;
    request.ScriptsLst = work.Path("scripts.lst");
    request.Scripts = {{work.Path("a/talk.ipp"), "talk"}, {work.Path("a/../a/talk.ipp"), "talk"}};
    EXPECT_EQ(CollectExportRows(request, TTextCodePage()).Rows.size(), 1U);
    request.Scripts = {{work.Path("a/talk.ipp"), "talk"}, {work.Path("b/talk.ipp"), "Talk"}};
    try {
        CollectExportRows(request, TTextCodePage());
        ADD_FAILURE() << "exported";
    } catch (const EExchangeError& error) {
        EXPECT_EQ(error.what(), "Two scripts are named \"Talk\": " + work.Path("a/talk.ipp") +
                                    " and " + work.Path("b/talk.ipp") +
                                    "; one file tells scripts apart by name only, so export "
                                    "them one at a time");
    }
}

} // namespace
} // namespace dialoscope

namespace dialoscope {
namespace {

// What an export of the scripts gives: the CSV file, the message boxes, the error.
std::string ExportOutcome(const test::TTempFolder& work, const std::vector<std::string>& names,
                          const decltype(TExportRequest::ForEach)& forEach) {
    TExportRequest request;
    request.ScriptsLst = work.Path("scripts.lst");
    for (const std::string& name : names) {
        request.Scripts.push_back({work.Path(name + ".ipp"), name});
    }
    std::string outcome;
    request.ShowMessage = [&](std::string_view text) { outcome += std::string(text) + "\n"; };
    request.ForEach = forEach;
    try {
        const TExportResult result = CollectExportRows(request, TTextCodePage());
        WriteExport(work.Path("out.csv"), TExchangeFormat::Csv, result.Rows, TByteOrderMark::Omit);
        return outcome + ReadFileBytes(work.Path("out.csv"));
    } catch (const std::exception& error) {
        return outcome + "error: " + error.what();
    }
}

// A driver may run the scripts in any order: the rows, the message boxes and the error that
// stops the export still come in the order the scripts were given.
TEST(ExchangeExport, ScriptsRunInAnyOrderGiveTheOrderGiven) {
    const test::TTempFolder work;
    const std::string boxes = ReadFileBytes(DIALOSCOPE_SOURCE_DIR "/tests/cli/inputs/boxes.ipp");
    for (const char* name : {"a", "c", "d"}) {
        work.Write(std::string(name) + ".ipp", boxes);
        work.Write(std::string(name) + ".msg", std::string("{100}{}{Hi from ") + name + "}\r\n");
    }
    work.Write("b.ipp", "script B('b.msg');\r\nend.\r\n");
    work.Write("b.msg", "{one}{}{A bad number stops Analyze.}\r\n");
    work.Write("scripts.lst", "a.int 1\r\nb.int 2\r\nc.int 3\r\nd.int 4\r\n");
    const auto backwards = [](std::size_t count,
                              const std::function<void(std::size_t, std::int32_t)>& run) {
        for (std::size_t i = count; i-- > 0;) {
            run(i, 1);
        }
    };
    const struct {
        std::vector<std::string> Names;
        std::string Ends; // how the outcome in the given order ends
    } cases[] = {
        {{"a", "c", "d"}, "Hi from d,\r\n"},
        {{"a", "c", "b", "d"}, "error: 'one' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Ends);
        const std::string inOrder = ExportOutcome(work, c.Names, {});
        EXPECT_TRUE(inOrder.ends_with(c.Ends)) << inOrder;
        EXPECT_EQ(ExportOutcome(work, c.Names, backwards), inOrder);
    }
}

} // namespace
} // namespace dialoscope

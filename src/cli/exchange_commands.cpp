#include "exchange_commands.h"

#include "code_page_name.h"
#include "error_lines.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "checks/run_checks.h"
#include "exchange/export_files.h"
#include "exchange/export_scripts.h"
#include "exchange/import_translation.h"
#include "project/project.h"
#include "text/charset_detect.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace dialoscope {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The code page the texts of a message file are in: the one named, or with "auto" the one
// ICU's detector is sure of (else windows-1252), said on standard error.
TTextCodePage CodePageFor(const TCliCall& call, const std::string& messageFile) {
    if (call.CodePage != AutoCodePage) {
        return TTextCodePage(call.CodePage);
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(messageFile);
    } catch (const EDialoscopeError&) {
        // The command itself names the file it cannot read.
    }
    const auto detected = DetectSingleByteCodePage(bytes);
    const std::string name = detected ? detected->Name : std::string(DefaultCodePageName);
    std::cerr << "code page: " << name
              << (detected ? " (detected in " : " (nothing detected with confidence in ")
              << messageFile << ")\n";
    return TTextCodePage(name);
}

// The scripts named, or the project's scripts that are there (a note for each one that is not).
std::vector<TExportScript> ExportScriptsOf(const TCliCall& call) {
    std::vector<TExportScript> scripts;
    if (!call.Project) {
        for (const std::string& path : call.Scripts) {
            scripts.push_back({path, std::filesystem::path(path).stem().string()});
        }
        return scripts;
    }
    const TProject project = OpenProject(*call.Project);
    for (const TProjectScript& script : project.Scripts) {
        if (script.State != TScriptFileState::Found) {
            std::cerr << project.ListPath << ":" << script.ListNumber << ": "
                      << ListStatus(script) << "; not exported\n";
            continue;
        }
        scripts.push_back(
            {script.ScriptPath, std::filesystem::path(script.ListName).stem().string()});
    }
    return scripts;
}

void ReportUndefinedBytes(const std::vector<TUndefinedByte>& bytes, const std::string& codePage) {
    for (const TUndefinedByte& byte : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", byte.Byte);
        std::cerr << byte.File << ":" << byte.Line << ": message " << byte.Number
                  << " holds the byte " << hex << ", which " << codePage
                  << " leaves undefined; it is exported as U+FFFD\n";
    }
}

void ReportImport(const TImportSummary& summary, const TImportOptions& options) {
    for (const std::string& report : summary.Reports) {
        std::cerr << options.Target << ": " << report << "\n";
    }
    std::cerr << (summary.Written ? "" : (options.DryRun ? "dry run, nothing written: "
                                                         : "nothing written: "))
              << summary.Line() << "\n";
}

} // namespace

void CheckExportUse(const TCliCall& call) {
    if (!call.To) {
        throw EUsageError("'export' needs --to FILE.po, FILE.csv or FILE.xlsx");
    }
    if (call.Against && call.Scripts.size() > 1 && !IsFolder(*call.Against)) {
        throw EUsageError("with several scripts, --against names the folder of the original "
                          "message files");
    }
}

int RunExportCommand(const TCliCall& call) {
    try {
        const TExchangeFormat format = ExchangeFormatOf(*call.To);
        TExportRequest request;
        request.Scripts = ExportScriptsOf(call);
        request.ScriptsLst = ScriptsLstOf(call);
        request.Against = call.Against;
        request.ShowMessage = [](std::string_view text) { std::cerr << text << "\n"; };
        if (request.Scripts.empty()) {
            throw EDialoscopeError("No script to export");
        }
        const TTextCodePage codePage =
            CodePageFor(call, MessageFilePath(request.Scripts.front().Path));
        const TExportResult result = CollectExportRows(request, codePage);
        ReportUndefinedBytes(result.UndefinedBytes, codePage.Name());
        WriteExport(*call.To, format, result.Rows,
                    call.Bom ? TByteOrderMark::Write : TByteOrderMark::Omit);
        std::cerr << "exported " << result.Rows.size() << " messages to " << *call.To << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << ErrorLines(error, "exporting the strings");
        return 1;
    }
}

int RunImportCommand(const TCliCall& call) {
    TImportOptions options;
    options.Translation = call.Script;
    options.Target = call.Into;
    options.Out = call.Out;
    options.AddMissing = call.AddMissing ? TAddMissing::Yes : TAddMissing::No;
    options.DryRun = call.DryRun;
    try {
        const TImportSummary summary = ImportTranslation(options, CodePageFor(call, call.Into));
        ReportImport(summary, options);
        return summary.Refused > 0 ? 1 : 0;
    } catch (const std::exception& error) {
        std::cerr << ErrorLines(error, "importing the translation");
        return 1;
    }
}

} // namespace dialoscope

#include "exchange_commands.h"

#include "error_lines.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "checks/run_checks.h"
#include "checks/source_change.h"
#include "dialogtree/output_is_input.h"
#include "dialogtree/savers.h"
#include "exchange/export_files.h"
#include "exchange/export_scripts.h"
#include "exchange/import_translation.h"
#include "project/code_page_choice.h"
#include "project/project.h"
#include "project/project_run.h"
#include "text/charset_detect.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace dialoscope {

namespace {

// The project's scripts that are there, with a note on standard error for each listed one that
// is not, saying what is left undone with it ("not exported").
std::vector<TProjectScript> FoundScriptsOf(const std::string& listPath, std::string_view undone) {
    const TProject project = OpenProject(listPath);
    std::vector<TProjectScript> found;
    for (const TProjectScript& script : project.Scripts) {
        if (script.State == TScriptFileState::Found) {
            found.push_back(script);
            continue;
        }
        std::cerr << project.ListPath << ":" << script.ListNumber << ": " << ListStatus(script)
                  << "; " << undone << "\n";
    }
    return found;
}

// What a PO header names: the project's folder, the one script, or (empty) the first script.
std::string ProjectNameOf(const TCliCall& call) {
    if (call.Project) {
        const std::filesystem::path folder =
            std::filesystem::absolute(*call.Project).lexically_normal().parent_path();
        return folder.filename().string();
    }
    return call.Scripts.size() == 1 ? std::filesystem::path(call.Scripts[0]).stem().string() : "";
}

// The message files to write: those named, or every found script's of the project (a note for
// each listed script that is not there).
std::vector<TImportTarget> ImportTargetsOf(const TCliCall& call) {
    std::vector<TImportTarget> targets;
    if (!call.Project) {
        for (const std::string& path : call.Into) {
            targets.push_back({path, call.Out, nullptr, {}});
        }
        return targets;
    }
    for (const TProjectScript& script : FoundScriptsOf(*call.Project, "not imported")) {
        targets.push_back({MessageFilePath(script.ScriptPath), std::nullopt, nullptr,
                           std::filesystem::path(script.ListName).stem().string()});
    }
    return targets;
}

void ReportImport(const TImportRun& run, bool dryRun, bool project) {
    const bool several = run.Targets.size() > 1 || project;
    for (const TImportSummary& summary : run.Targets) {
        for (const std::string& report : summary.Reports) {
            std::cerr << summary.Target << ": " << report << "\n";
        }
    }
    for (const TImportSummary& summary : run.Targets) {
        const bool wouldWrite = dryRun && run.Refused == 0 && summary.HasEntries;
        const bool notWritten = summary.HasEntries && run.Refused == 0 && !summary.Written;
        std::cerr << (several ? summary.Target + ": " : "")
                  << (wouldWrite              ? "dry run, nothing written: "
                      : notWritten && !dryRun ? "not written: "
                                              : "")
                  << summary.Line() << "\n";
    }
    if (run.Refused > 0 && several) {
        std::cerr << "nothing written: " << run.Refused << " refused\n";
    }
}

// Replacing a file gives its name new content; another name of the old file (a hard link) keeps
// the old one. Said after the summary, counted before the file was replaced.
void ReportOtherNames(const std::string& path, std::uint64_t otherNames) {
    if (otherNames == 0) {
        return;
    }
    std::cerr << path << ": " << otherNames
              << (otherNames == 1 ? " other hard link still names" : " other hard links still name")
              << " the old content\n";
}

} // namespace

// The code page the texts of a message file are in: the one named, or with "auto" the one
// ICU's detector is sure of (else windows-1252), said on standard error.
TTextCodePage ExportCodePage(const TCliCall& call, const std::string& messageFile) {
    if (call.CodePage != AutoCodePageName) {
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
std::vector<TExportScript> ScriptsToExport(const TCliCall& call) {
    std::vector<TExportScript> scripts;
    if (!call.Project) {
        for (const std::string& path : call.Scripts) {
            scripts.push_back({path, std::filesystem::path(path).stem().string()});
        }
        return scripts;
    }
    for (const TProjectScript& script : FoundScriptsOf(*call.Project, "not exported")) {
        scripts.push_back(
            {script.ScriptPath, std::filesystem::path(script.ListName).stem().string()});
    }
    return scripts;
}

void SayUndefinedBytes(const std::vector<TUndefinedByte>& bytes, const std::string& codePage) {
    for (const TUndefinedByte& byte : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", byte.Byte);
        std::cerr << byte.File << ":" << byte.Line << ": message " << byte.Number
                  << " holds the byte " << hex << ", which " << codePage
                  << " leaves undefined; it is exported as U+FFFD\n";
    }
}

// Every file an export reads: the scripts, their message files, the originals, the list.
std::vector<std::string> ExportInputs(const TExportRequest& request) {
    std::vector<std::string> inputs = {request.ScriptsLst};
    for (const TExportScript& script : request.Scripts) {
        const std::string messageFile = MessageFilePath(script.Path);
        inputs.push_back(script.Path);
        inputs.push_back(messageFile);
        if (const auto original = OriginalMessageFile(request.Against, messageFile)) {
            inputs.push_back(*original);
        }
        if (request.Since) {
            inputs.push_back(SinceFileFor(*request.Since, script.Path));
        }
    }
    return inputs;
}

// With --since: what changed in the originals, beside the export's own line.
void ReportChanges(const TExportResult& result, const std::string& since) {
    if (!result.Changes) {
        return;
    }
    std::cerr << "since " << since << ": " << result.Changes->Changed << " changed (marked fuzzy), "
              << result.Changes->New << " new, " << result.Changes->Removed << " removed\n";
}

void CheckExportUse(const TCliCall& call) {
    if (!call.To) {
        throw EUsageError("'export' needs --to FILE.po, FILE.csv, FILE.xlsx or FILE.xlf");
    }
    CheckAgainstUse(call);
}

int RunExportCommand(const TCliCall& call) {
    try {
        const TExchangeFormat format = ExchangeFormatOf(*call.To);
        TExportRequest request;
        request.Scripts = ScriptsToExport(call);
        request.ScriptsLst = ScriptsLstOf(call);
        request.Against = call.Against;
        request.Since = call.Since;
        request.ShowMessage = [](std::string_view text) { std::cerr << text << "\n"; };
        request.ForEach = [jobs = call.Jobs.value_or(0)](std::size_t count, const auto& work) {
            ForEachScript(count, jobs, work);
        };
        if (request.Scripts.empty()) {
            throw EDialoscopeError("No script to export");
        }
        RefuseOutputAmongInputs(*call.To, ExportInputs(request));
        const TTextCodePage codePage =
            ExportCodePage(call, MessageFilePath(request.Scripts.front().Path));
        const TExportResult result = CollectExportRows(request, codePage);
        SayUndefinedBytes(result.UndefinedBytes, codePage.Name());
        const std::uint64_t otherNames = OtherNamesOf(*call.To);
        WriteExport(*call.To, format, result.Rows,
                    call.Bom ? TByteOrderMark::Write : TByteOrderMark::Omit,
                    TExportHeader{ProjectNameOf(call), call.Language, call.Since.has_value()});
        std::cerr << "exported " << result.Rows.size() << " messages to " << *call.To << "\n";
        ReportChanges(result, call.Since.value_or(""));
        ReportOtherNames(*call.To, otherNames);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << ErrorLines(error, "exporting the strings");
        return 1;
    }
}

void CheckImportUse(const TCliCall& call) {
    if (call.Into.empty() && !call.Project) {
        throw EUsageError(
            "'import' needs --into TARGET.msg (once for each file) or --project LIST");
    }
    if (!call.Into.empty() && call.Project) {
        throw EUsageError("'import' takes --into TARGET.msg or --project LIST, not both");
    }
    if (call.Out && (call.Into.size() != 1)) {
        throw EUsageError("--out goes with one --into TARGET.msg");
    }
}

int RunImportCommand(const TCliCall& call) {
    TImportRequest request;
    request.Translation = call.Script;
    request.AddMissing = call.AddMissing ? TAddMissing::Yes : TAddMissing::No;
    request.DryRun = call.DryRun;
    request.WithoutEntries = call.Project ? TWithoutEntries::LeaveAlone : TWithoutEntries::Refuse;
    try {
        request.Targets = ImportTargetsOf(call);
        if (request.Targets.empty()) {
            throw EDialoscopeError("No message file to import into");
        }
        // Each target's own, so that "auto" detects each file's.
        std::vector<TTextCodePage> codePages;
        codePages.reserve(request.Targets.size());
        for (TImportTarget& target : request.Targets) {
            target.CodePage = &codePages.emplace_back(ExportCodePage(call, target.Path));
        }
        // Counted before the files are replaced: another name of a replaced file keeps the old.
        std::vector<std::uint64_t> otherNames;
        for (const TImportTarget& target : request.Targets) {
            const std::string written = target.Out.value_or(target.Path);
            RefuseOutputAmongInputs(written, {request.Translation});
            otherNames.push_back(call.DryRun ? 0 : OtherNamesOf(written));
        }
        const TImportRun run = ImportTranslations(request);
        ReportImport(run, call.DryRun, call.Project.has_value());
        for (std::size_t i = 0; i < run.Targets.size() && i < otherNames.size(); ++i) {
            if (run.Targets[i].Written) {
                ReportOtherNames(request.Targets[i].Out.value_or(request.Targets[i].Path),
                                 otherNames[i]);
            }
        }
        if (run.WriteFailure) {
            // The files named before it are written; its line and those after say "not written".
            try {
                std::rethrow_exception(run.WriteFailure);
            } catch (const std::exception& error) {
                std::cerr << error.what() << "\n";
            }
            return 1;
        }
        return run.Refused > 0 ? 1 : 0;
    } catch (const std::exception& error) {
        std::cerr << ErrorLines(error, "importing the translation");
        std::cerr << (call.DryRun ? "dry run, nothing written\n" : "nothing written\n");
        return 1;
    }
}

} // namespace dialoscope

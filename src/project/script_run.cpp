#include "script_run.h"

#include "detail/script_measure.h"

#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/other_script_messages.h"
#include "checks/run_checks.h"
#include "pipeline/original_message_file.h"
#include "pipeline/quiet_session.h"

namespace dialoscope {

namespace {

// The header's message file is only shown, never read (Load reads the one beside the script),
// but one outside the folder says the project is not what it seems.
bool HeaderNamesOutside(const TWorkspace& ws) {
    const std::string& name = ws.MsgFileName;
    return name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..";
}

TFinding HeaderNamesOutsideFinding(const TWorkspace& ws, const std::string& script) {
    return MakeFinding(TFindingKind::BadScriptName, TFindingSource::Script, script, 0,
                       "the header names the message file " + Quoted(ws.MsgFileName) +
                           " outside the project's folder; " +
                           Quoted(FileNamePart(MessageFilePath(script))) +
                           " beside the script is read");
}

class TScriptRun {
public:
    TScriptRun(const TProject& project, const TProjectScript& script,
               const TProjectOptions& options, const TScriptWorker& worker)
        : Script_(script.ScriptPath) {
        Checks_.ScriptPath = script.ScriptPath;
        // Other scripts' message files are looked for beside the script.
        if (FolderOf(script.ScriptPath) == project.Folder) {
            Checks_.OtherScripts = worker.OtherScripts;
        }
        Original_ = OriginalMessageFile(options.Against, MessageFilePath(script.ScriptPath));
    }

    // The script's own findings count without an original; only the comparison is left out.
    void LoadOriginal() {
        if (!Original_) {
            return;
        }
        try {
            OriginalLines_.LoadFromFile(*Original_);
        } catch (const std::exception& error) {
            MissingOriginal_ = MissingOriginalFinding(Script_, ErrorText(error));
            return;
        }
        Checks_.Original = &OriginalLines_;
        Checks_.OriginalPath = *Original_;
    }

    // Load, Analyze and the checks; a script that stopped gets the findings of what was done.
    void Run(const std::string& scriptsLst, const TScriptWorker& worker, TScriptResult& result) {
        TAnalyzeRequest request = TablesRequest;
        request.Cores = worker.Cores;
        TKeptReport report;
        const TSharedScript opened = OpenScript(Script_, scriptsLst, request, report);
        const TWorkspace& ws = opened->Workspace();
        result.Findings = RunSessionChecks(ws, report.Stop, Checks_);
        result.Messages = std::move(report.Messages);
        if (report.Stop) {
            result.Stats.Status = report.Stop->Text;
        }
        const bool loaded = !report.Stop || report.Stop->Step == TSessionStep::Analyze;
        if (loaded && Checks_.Original != nullptr) {
            result.Stats.Translation = CountTranslation(ReadMessageEntries(OriginalLines_),
                                                        ReadMessageEntries(ws.MsgRich));
        }
        if (report.Stop) {
            return;
        }
        if (HeaderNamesOutside(ws)) {
            result.Findings.insert(result.Findings.begin(), HeaderNamesOutsideFinding(ws, Script_));
        }
        MeasureDialog(ws, worker.CodePages.For(*ws.MsgRich.SharedBytes()), worker.Counter,
                      result.Stats);
    }

    // A script without its original says so in its row, unless it failed for a worse reason.
    void AddMissingOriginal(TScriptResult& result) {
        if (!MissingOriginal_) {
            return;
        }
        result.Findings.push_back(std::move(*MissingOriginal_));
        SortFindings(result.Findings);
        result.Stats.MissingOriginals = 1;
        if (result.Stats.IsOk()) {
            result.Stats.Status = "no original";
        }
    }

private:
    std::string Script_;
    TCheckOptions Checks_;
    std::optional<std::string> Original_;
    TLineStore OriginalLines_;
    std::optional<TFinding> MissingOriginal_;
};

TScriptResult ListOnlyResult(const TProject& project, const TProjectScript& script) {
    TScriptResult result;
    result.Stats.Status = ListStatus(script);
    result.Stats.ScriptFile =
        script.ScriptPath.empty() ? script.ListName : FileNamePart(script.ScriptPath);
    if (auto finding = ListFinding(project, script)) {
        result.Findings.push_back(std::move(*finding));
    }
    return result;
}

} // namespace

TScriptResult RunProjectScript(const TProject& project, const TProjectScript& script,
                               const TProjectOptions& options, const TScriptWorker& worker) {
    TScriptResult result;
    if (script.State != TScriptFileState::Found) {
        result = ListOnlyResult(project, script);
    } else {
        result.Stats.ScriptFile = FileNamePart(script.ScriptPath);
        result.Stats.MessageFile = FileNamePart(MessageFilePath(script.ScriptPath));
        // The analysis lives only inside Run: its memory is given back before the worker takes
        // the next script.
        TScriptRun run(project, script, options, worker);
        run.LoadOriginal();
        run.Run(project.ListPath, worker, result);
        run.AddMissingOriginal(result);
    }
    result.Stats.ListNumber = script.ListNumber;
    CountFindings(result.Findings, result.Stats);
    if (!options.KeepFindings) {
        result.Findings = {};
    }
    return result;
}

} // namespace dialoscope

#include "script_run.h"

#include "detail/script_measure.h"

#include "analysis/load.h"
#include "checks/other_script_messages.h"
#include "checks/run_checks.h"
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

// Load, Analyze, the checks and the measures of a script the list found. One that stopped gets
// the findings of what was done; one without its original says so in its row, unless it failed
// for a worse reason.
void RunFoundScript(const TProject& project, const TProjectScript& script,
                    const TProjectOptions& options, const TScriptWorker& worker,
                    TScriptResult& result) {
    TCheckOptions checks;
    checks.ScriptPath = script.ScriptPath;
    // Other scripts' message files are looked for beside the script.
    if (FolderOf(script.ScriptPath) == project.Folder) {
        checks.OtherScripts = worker.OtherScripts;
    }
    TCheckOriginal original(options.Against, checks);
    TAnalyzeRequest request = TablesRequest;
    request.Cores = worker.Cores;
    TKeptReport report;
    // The analysis lives only in here: its memory is given back before the worker takes the next
    // script.
    const TSharedScript opened = OpenScript(script.ScriptPath, project.ListPath, request, report);
    const TWorkspace& ws = opened->Workspace();
    result.Findings = RunSessionChecks(ws, report.Stop, checks);
    result.Messages = std::move(report.Messages);
    const bool loaded = !report.Stop || report.Stop->Step == TSessionStep::Analyze;
    if (loaded && checks.Original != nullptr) {
        result.Stats.Translation =
            CountTranslation(ReadMessageEntries(*checks.Original), ReadMessageEntries(ws.MsgRich));
    }
    if (report.Stop) {
        result.Stats.Status = report.Stop->Text;
    } else {
        if (HeaderNamesOutside(ws)) {
            result.Findings.insert(result.Findings.begin(),
                                   HeaderNamesOutsideFinding(ws, script.ScriptPath));
        }
        MeasureDialog(ws, worker.CodePages.For(*ws.MsgRich.SharedBytes()), worker.Counter,
                      result.Stats);
    }
    if (original.AddMissing(result.Findings)) {
        result.Stats.MissingOriginals = 1;
        if (result.Stats.IsOk()) {
            result.Stats.Status = "no original";
        }
    }
}

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
        RunFoundScript(project, script, options, worker, result);
    }
    result.Stats.ListNumber = script.ListNumber;
    CountFindings(result.Findings, result.Stats);
    if (!options.KeepFindings) {
        result.Findings = {};
    }
    return result;
}

} // namespace dialoscope

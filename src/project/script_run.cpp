#include "script_run.h"

#include "detail/script_measure.h"

#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/other_script_messages.h"
#include "checks/run_checks.h"
#include "checks/source_change.h"
#include "pipeline/quiet_session.h"

namespace dialoscope {

namespace {

// The header's message file is only shown, never read (Load reads the one beside the script),
// but one outside the folder says the project is not what it seems.
bool HeaderNamesOutside(const TWorkspace& ws) {
    const std::string& name = ws.MsgFileName;
    return name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..";
}

// --since: the older original of a script, read before it is analysed. One that cannot be read
// is a finding of its own and the row says so, unless the script failed for a worse reason.
class TProjectSince {
public:
    TProjectSince(const std::optional<std::string>& since, const std::string& script,
                  TCheckOptions& checks) {
        if (!since) {
            return;
        }
        try {
            Lines_.LoadFromFile(SinceFileFor(*since, script));
        } catch (const std::exception& error) {
            Missing_ = MissingSinceFinding(script, ErrorText(error));
            return;
        }
        checks.Since = &Lines_;
    }

    // What changed against the original, or the script's own message file without one.
    void Count(const TCheckOptions& checks, const std::optional<std::string>& against,
               const TWorkspace& ws, TScriptStats& stats) const {
        if (checks.Since == nullptr || (against && checks.Original == nullptr)) {
            return;
        }
        const TLineStore& original = checks.Original != nullptr ? *checks.Original : ws.MsgRich;
        stats.Changes =
            CountSourceChanges(ReadMessageEntries(Lines_), ReadMessageEntries(original));
    }

    void AddMissing(TScriptResult& result) {
        if (!Missing_) {
            return;
        }
        result.Findings.push_back(std::move(*Missing_));
        SortFindings(result.Findings);
        if (result.Stats.IsOk()) {
            result.Stats.Status = "no older original";
        }
    }

private:
    TLineStore Lines_;
    std::optional<TFinding> Missing_;
};

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
    TProjectSince since(options.Since, script.ScriptPath, checks);
    TAnalyzeRequest request = TablesRequest;
    request.Cores = worker.Cores;
    TKeptReport report;
    // The analysis lives only in here: its memory is given back before the worker takes the next
    // script.
    const TSharedScript opened = OpenScript(script.ScriptPath, project.ListPath, request, report);
    const TWorkspace& ws = opened->Workspace();
    const bool loaded = !report.Stop || report.Stop->Step == TSessionStep::Analyze;
    const TTextCodePage& codePage = worker.CodePages.For(*ws.MsgRich.SharedBytes());
    checks.CodePage = &codePage;
    result.Findings = RunSessionChecks(ws, report.Stop, checks);
    result.Messages = std::move(report.Messages);
    if (loaded && checks.Original != nullptr) {
        result.Stats.Translation =
            CountTranslation(ReadMessageEntries(*checks.Original), ReadMessageEntries(ws.MsgRich));
    }
    if (loaded) {
        since.Count(checks, options.Against, ws, result.Stats);
    }
    if (report.Stop) {
        result.Stats.Status = report.Stop->Text;
    } else {
        if (HeaderNamesOutside(ws)) {
            result.Findings.insert(result.Findings.begin(),
                                   HeaderNamesOutsideFinding(ws, script.ScriptPath));
        }
        MeasureDialog(ws, codePage, worker.Counter, result.Stats);
    }
    since.AddMissing(result);
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

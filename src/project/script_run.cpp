#include "script_run.h"

#include "detail/script_measure.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/other_script_messages.h"
#include "checks/run_checks.h"
#include "pipeline/script_pipeline.h"

#include <filesystem>

namespace dialoscope {

namespace {

// The message boxes are kept for the caller.
class TProjectPort : public TNullPort {
public:
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }

    std::vector<std::string> Messages;
};

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::optional<std::string> OriginalFor(const TProjectOptions& options, const std::string& script) {
    if (!options.Against) {
        return std::nullopt;
    }
    if (!IsFolder(*options.Against)) {
        return options.Against;
    }
    return (std::filesystem::path(*options.Against) / FileNamePart(MessageFilePath(script)))
        .string();
}

TFinding ScriptFinding(TFindingKind kind, const std::string& file, const std::string& text) {
    return MakeFinding(kind, TFindingSource::Script, file, 0, text);
}

// The header's message file is only shown, never read (Load reads the one beside the script),
// but one outside the folder says the project is not what it seems.
bool HeaderNamesOutside(const TWorkspace& ws) {
    const std::string& name = ws.MsgFileName;
    return name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..";
}

class TScriptRun {
public:
    TScriptRun(const TProject& project, const TProjectScript& script,
               const TProjectOptions& options, const TScriptWorker& worker)
        : Script_(script.ScriptPath), Request_{.Listing = false,
                                               .GeneralView = false,
                                               .Cores = worker.MayUseSecondCore ? 2 : 1},
          Ws_(Port_) {
        Ws_.ScriptsLstPath = project.ListPath;
        Checks_.ScriptPath = script.ScriptPath;
        // Other scripts' message files are looked for beside the script.
        if (FolderOf(script.ScriptPath) == project.Folder) {
            Checks_.OtherScripts = worker.OtherScripts;
        }
        Original_ = OriginalFor(options, script.ScriptPath);
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

    // Each step returns false when the script can go no further.

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

    bool Load(TScriptResult& result) {
        try {
            LoadScript(Ws_, Script_, Request_);
        } catch (const std::exception& error) {
            Fail(result, ScriptFinding(TFindingKind::LoadError, Script_, ErrorText(error)),
                 ErrorText(error));
            return false;
        }
        if (Checks_.Original != nullptr) {
            result.Stats.Translation = CountTranslation(ReadMessageEntries(OriginalLines_),
                                                        ReadMessageEntries(Ws_.MsgRich));
        }
        return true;
    }

    bool Analyze(TScriptResult& result) {
        try {
            AnalyzeScript(Ws_, Request_);
        } catch (const std::exception& error) {
            const std::string status = std::string("Analyze stopped: ") + ErrorText(error);
            result.Findings = RunMessageFileChecks(Ws_, Checks_);
            result.Findings.insert(result.Findings.begin(),
                                   ScriptFinding(TFindingKind::AnalyzeError, Script_, status));
            result.Stats.Status = status;
            return false;
        }
        return true;
    }

    void Check(TScriptResult& result, TCodePageChoice& codePages, TWordCounter& counter) {
        result.Findings = RunChecks(Ws_, Checks_);
        if (HeaderNamesOutside(Ws_)) {
            result.Findings.insert(
                result.Findings.begin(),
                ScriptFinding(TFindingKind::BadScriptName, Script_,
                              "the header names the message file " + Quoted(Ws_.MsgFileName) +
                                  " outside the project's folder; " +
                                  Quoted(FileNamePart(MessageFilePath(Script_))) +
                                  " beside the script is read"));
        }
        MeasureDialog(Ws_, codePages.For(*Ws_.MsgRich.SharedBytes()), counter, result.Stats);
    }

    void KeepMessages(TScriptResult& result) { result.Messages = std::move(Port_.Messages); }

private:
    static void Fail(TScriptResult& result, TFinding finding, const std::string& status) {
        result.Findings = {std::move(finding)};
        result.Stats.Status = status;
    }

    std::string Script_;
    // Neither the pane nor the General View is wanted, so Analyze need not make them.
    TAnalyzeRequest Request_;
    TProjectPort Port_;
    TWorkspace Ws_;
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
        // The workspace lives only inside this block: its memory is given back before the
        // worker takes the next script.
        TScriptRun run(project, script, options, worker);
        run.LoadOriginal();
        if (run.Load(result) && run.Analyze(result)) {
            run.Check(result, worker.CodePages, worker.Counter);
        }
        run.AddMissingOriginal(result);
        run.KeepMessages(result);
    }
    result.Stats.ListNumber = script.ListNumber;
    CountFindings(result.Findings, result.Stats);
    if (!options.KeepFindings) {
        result.Findings = {};
    }
    return result;
}

} // namespace dialoscope

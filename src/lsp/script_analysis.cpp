#include "script_analysis.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/run_checks.h"

#include <algorithm>

namespace dialoscope::lsp {

namespace {

// Only the node records and the tables are read; the pane, the General View and the marks are
// never shown, and the server's own scheduler decides what runs beside an analysis.
class TQuietPort : public TNullPort {
public:
    bool ShowsOutput() const override { return false; }
    bool ShowsGeneralView() const override { return false; }
    bool KeepsMsgMarks() const override { return false; }
    bool MayUseSecondCore() const override { return false; }
};

// What Load puts into the workspace, from texts instead of files.
void LoadTexts(TWorkspace& ws, const TScriptAnalysis& analysis, const TEncodedText* list) {
    ws.IntFileName = ChangeFileExt(FileNamePart(analysis.Input.ScriptPath), ".int");
    ws.ScriptsLstPath = analysis.Input.ListPath;
    ws.IntRich.SetText(list ? list->Bytes() : std::string());
    ws.MsgRich.SetText(analysis.Messages.Bytes());
    ws.Rich.SetText(analysis.Script.Bytes());
    ws.AnalyzeEnabled = true;
    ws.Scanner.ClearTokens();
    ws.ScriptStream.Clear();
    ws.ScriptStream.SharedBytes = ws.Rich.SharedBytes();
    ws.ScriptStream.Position = ws.ScriptStream.Size();
}

TFinding LoadErrorFinding(const std::string& script, const std::string& text) {
    return MakeFinding(TFindingKind::LoadError, TFindingSource::Script, script, 0, text);
}

std::vector<TFinding> RunAnalyzeAndChecks(TScriptAnalysis& analysis, const TCheckOptions& options) {
    try {
        sbRestartClick(*analysis.Ws);
        analysis.Analysed = true;
        if (!analysis.Input.WithChecks) {
            return {};
        }
    } catch (const std::exception& error) {
        std::vector<TFinding> findings = RunMessageFileChecks(*analysis.Ws, options);
        findings.insert(findings.begin(),
                        MakeFinding(TFindingKind::AnalyzeError, TFindingSource::Script,
                                    analysis.Input.ScriptPath, 0,
                                    std::string("Analyze stopped: ") + ErrorText(error)));
        return findings;
    }
    return RunChecks(*analysis.Ws, options);
}

void FindPlaces(TScriptAnalysis& analysis) {
    const TWorkspace& ws = *analysis.Ws;
    analysis.Entries = ReadMessageEntries(ws.MsgRich);
    analysis.Names = std::make_unique<TNodeNames>(ws.Nodes);
    analysis.Forwards = FindForwardDeclarations(ws.Scanner);
    for (std::size_t i = 0; i < ws.Nodes.size(); ++i) {
        for (const TMsgUse use : ws.Nodes[i].Lists.MsgUses()) {
            analysis.MsgUses.push_back({static_cast<std::int32_t>(i), use});
        }
    }
    if (analysis.Analysed) {
        analysis.Reach = ReachFromDialogStarts(ws, *analysis.Names);
    }
}

} // namespace

std::int32_t TScriptAnalysis::NodeAtLine(std::int32_t line) const {
    std::int32_t found = -1;
    for (std::size_t i = 0; i < Ws->Nodes.size(); ++i) {
        const std::int32_t nodeLine = Ws->Nodes[i].Line;
        if (nodeLine != 0 && nodeLine <= line &&
            (found < 0 || nodeLine >= Ws->Nodes[static_cast<std::size_t>(found)].Line)) {
            found = static_cast<std::int32_t>(i);
        }
    }
    return found;
}

std::int32_t TScriptAnalysis::FindNode(std::string_view name) const {
    return Names ? Names->Find(name) : -1;
}

std::unique_ptr<TScriptAnalysis> AnalyseScript(const TAnalysisInput& input, TEncodedText scriptText,
                                               const TFileSource& files) {
    auto analysis = std::make_unique<TScriptAnalysis>();
    analysis->Input = input;
    analysis->MessagePath = MessageFilePath(input.ScriptPath);
    analysis->Script = std::move(scriptText);
    if (std::optional<TEncodedText> messages = files.Read(analysis->MessagePath)) {
        analysis->Messages = std::move(*messages);
        analysis->MessagesFound = true;
    }
    const std::optional<TEncodedText> list = files.Read(input.ListPath);
    analysis->Port = std::make_unique<TQuietPort>();
    analysis->Ws = std::make_unique<TWorkspace>(*analysis->Port);
    LoadTexts(*analysis->Ws, *analysis, list ? &*list : nullptr);

    TCheckOptions options;
    options.ScriptPath = input.ScriptPath;
    TLineStore original;
    std::optional<TFinding> missingOriginal;
    if (input.OriginalPath) {
        if (std::optional<TEncodedText> originalText = files.Read(*input.OriginalPath)) {
            original.SetText(originalText->Bytes());
            options.Original = &original;
            options.OriginalPath = *input.OriginalPath;
        } else {
            missingOriginal = MissingOriginalFinding(input.ScriptPath,
                                                     "Cannot open file " + *input.OriginalPath);
        }
    }
    std::vector<TFinding> findings = RunAnalyzeAndChecks(*analysis, options);
    // A message file that cannot be read stops Load before anything is checked; the script is
    // still analysed so that its nodes can be navigated.
    if (!analysis->MessagesFound) {
        findings = {LoadErrorFinding(input.ScriptPath, "Cannot open file " + analysis->MessagePath)};
    }
    if (missingOriginal) {
        findings.push_back(std::move(*missingOriginal));
        SortFindings(findings);
    }
    analysis->Findings = std::move(findings);
    FindPlaces(*analysis);
    return analysis;
}

} // namespace dialoscope::lsp

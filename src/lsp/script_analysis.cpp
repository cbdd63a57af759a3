#include "script_analysis.h"

#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/run_checks.h"
#include "pipeline/quiet_session.h"

#include <algorithm>

namespace dialoscope::lsp {

namespace {

// The node records and the tables, on one core: the server's own scheduler decides what runs
// beside an analysis.
constexpr TAnalyzeRequest ServerRequest{
    .Listing = false, .GeneralView = false, .NodeLists = true, .MsgMarks = false, .Cores = 1};

TFinding LoadErrorFinding(const std::string& script, const std::string& text) {
    return MakeFinding(TFindingKind::LoadError, TFindingSource::Script, script, 0, text);
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

const TMessageEntry* TScriptAnalysis::EntryAtLine(std::int32_t line) const {
    for (const TMessageEntry& entry : Entries.Entries) {
        if (entry.Line == line + 1) {
            return &entry;
        }
    }
    return nullptr;
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
            missingOriginal = MakeFinding(TFindingKind::MissingOriginal, TFindingSource::Script,
                                          input.ScriptPath, 0,
                                          "Cannot open file " + *input.OriginalPath +
                                              "; nothing of the translation is compared");
        }
    }
    TKeptReport report;
    TQuietSession session(ServerRequest, report);
    session.OpenTexts({.ScriptPath = input.ScriptPath,
                       .ScriptsLstPath = input.ListPath,
                       .Script = analysis->Script.Bytes(),
                       .Messages = analysis->Messages.Bytes(),
                       .ScriptsLst = list ? list->Bytes() : std::string()});
    analysis->Shared = session.Share();
    analysis->Ws = &analysis->Shared->Workspace();
    analysis->Analysed = !report.Stop;
    std::vector<TFinding> findings;
    if (report.Stop || input.WithChecks) {
        findings = RunSessionChecks(*analysis->Ws, report.Stop, options);
    }
    // A message file that cannot be read stops Load before anything is checked; the script is
    // still analysed so that its nodes can be navigated.
    if (!analysis->MessagesFound) {
        findings = {
            LoadErrorFinding(input.ScriptPath, "Cannot open file " + analysis->MessagePath)};
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

#include "analyze.h"

#include "analysis_run.h"
#include "background_work.h"
#include "header_sections.h"
#include "listing_line.h"
#include "message_file.h"
#include "node_analysis.h"
#include "progress.h"

#include <algorithm>
#include <string>

namespace dialoscope {

namespace {

void ShowProgress(TAnalysisRun& run, std::int32_t percent) {
    if (percent == run.ShownProgress) {
        return;
    }
    run.ShownProgress = percent;
    run.Ws.Port.SetProgress(percent);
}

// Only these exact texts open a section or a node, although the scanner takes keywords in any
// letter case. The tests run one after the other on the position as the one before left it.
std::int64_t DispatchKeyword(TAnalysisRun& run, std::string_view text, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    if (text == "script") {
        p = ReadScriptHeader(run, p);
    }
    if (text == "uses") {
        p = ReadUsesSection(run, p);
    }
    if (text == "Var") {
        p = ReadVarSection(run, p);
    }
    if (text == "function" && t.T(p + 3) == "forward") {
        p = ReadForwardSection(run, p);
    }
    if (text == "function" && (t.T(p + 3) == "begin" || t.T(p + 3) == "Var")) {
        p = AnalyzeNode(run, p);
    }
    // A node cut off by the end of the script may report a position past it.
    return std::min(p, std::max<std::int64_t>(t.Last(), 0));
}

// Scans the script, letting window messages through now and then: a large script takes a
// noticeable time to scan, and the window must not freeze meanwhile.
void ScanScript(TWorkspace& ws) {
    struct TStepGuard {
        TScanner& Scanner;
        ~TStepGuard() { Scanner.SetOnScanStep(nullptr); }
    } guard{ws.Scanner};
    ws.Scanner.SetOnScanStep([&ws] { ws.Port.ProcessMessages(); });
    ws.Scanner.ScanStream(ws.ScriptStream);
}

// The index of the nodes' first lines reads only the script's lines, which no command changes
// while Analyze runs, so a second core builds it while this one scans.
TNodeBodyIndex ScanAndIndexBodies(TWorkspace& ws) {
    TNodeBodyIndex bodies(ws.Rich);
    TBackgroundWork indexing([&bodies] { bodies.BuildNow({}); },
                             ws.Rich.Count() >= TNodeBodyIndex::StepLines);
    ScanScript(ws);
    indexing.Finish([&ws] { ws.Port.ProcessMessages(); });
    return bodies;
}

// The pass: one listing line per token it reaches; a section or node lists only the keyword
// that opens it. The end-of-file token is never listed.
void AnalyzeTokens(TWorkspace& ws) {
    TAnalysisRun run(ws, ScanAndIndexBodies(ws));
    const std::int64_t last = run.Tokens.Last();
    // A command that writes only a tree or the counters needs the tables, not the listing.
    const bool listed = ws.Port.ShowsOutput();
    std::string line;
    for (std::int64_t p = 0; p < last; ++p) {
        ws.Port.ProcessMessages();
        const auto index = static_cast<std::int32_t>(p);
        // Taken before the keyword's walk moves p: a section or node lists its keyword.
        const TTokenView token = listed ? *ws.Scanner.TokenAt(index) : TTokenView{};
        if (ws.Scanner.KindAt(index) == TTokenKind::Keyword) {
            p = DispatchKeyword(run, ws.Scanner.TextAt(index), p);
        }
        ShowProgress(run, ProgressPercent(p, last));
        if (listed) {
            AppendListingLine(ws, token, line);
        }
    }
    ShowProgress(run, 0);
}

} // namespace

void sbRestartClick(TWorkspace& ws) {
    ws.Nodes.clear();
    ws.ForwardCount = 0;
    ws.GeneralView.Clear();
    ws.DialogsTree.Clear();
    ws.Port.ClearOutput();
    LoadMessages(ws.MsgTable, ws.MsgRich);
    LoadScriptList(ws.ScriptList, ws.IntRich, ws.IntFileName, ws.ScriptIndex);
    AnalyzeTokens(ws);
    ws.AnalysisCommandsEnabled = true;
}

} // namespace dialoscope

#include "analyze.h"

#include "analyze_stages.h"
#include "detail/pass_step.h"
#include "detail/token_pass.h"
#include "message_file.h"

#include <cstddef>
#include <limits>
#include <string>

namespace dialoscope {

void ClearAnalysis(TWorkspace& ws) {
    ws.Nodes.clear();
    ws.ForwardCount = 0;
    ws.SecondCoreTokens = 0;
    ws.TokensReadAhead = 0;
    ws.GeneralView.Clear();
    ws.DialogsTree.Clear();
    ws.Port.ClearOutput();
}

void ReadTables(TWorkspace& ws) {
    LoadMessages(ws.MsgTable, ws.MsgRich);
    LoadScriptList(ws.ScriptList, ws.IntRich, ws.IntFileName, ws.ScriptIndex);
}

namespace {

// A large script takes a noticeable time to scan, and the window must not freeze meanwhile: it
// breathes after every so many tokens.
constexpr std::size_t ScanStepTokens = 4096;

bool ScanStepwise(TWorkspace& ws, std::size_t pauseAt) {
    for (;;) {
        const TScanStop stop = ws.Scanner.ScanTokens({.Tokens = ScanStepTokens, .Offset = pauseAt});
        if (stop != TScanStop::TokenBound) {
            return stop == TScanStop::OffsetBound;
        }
        ws.Port.ProcessMessages();
    }
}

} // namespace

bool ScanScript(TWorkspace& ws, std::size_t pauseAt) {
    ws.Scanner.StartScan(ws.ScriptStream);
    return ScanStepwise(ws, pauseAt);
}

void ScanScriptOn(TWorkspace& ws) {
    ScanStepwise(ws, std::numeric_limits<std::size_t>::max());
}

void EnableAnalysisCommands(TWorkspace& ws) {
    ws.AnalysisCommandsEnabled = true;
}

TTokenPass::TTokenPass(TWorkspace& ws, const TAnalyzeRequest& request)
    : Ws(ws), Bodies(std::make_shared<TNodeBodyIndex>(ws.Rich)),
      Words(TTokenCursor(ws.Scanner), ws.Scanner.TokenTags(), [&ws] { ws.Port.ProcessMessages(); }),
      Sections{ws}, Run({ws, Words}, &Sections, ws.Port, ws.Nodes.Edit(), request) {}

TTokenPass::~TTokenPass() {
    for (TNodeKeep& node : Ws.Nodes.Edit()) {
        node.Bodies = Bodies;
    }
}

void WalkAllTokens(TTokenPass& pass) {
    const std::int64_t last = pass.Run.Tokens.Last();
    std::string line;
    for (std::int64_t p = 0; p < last;) {
        p = PassStep(pass.Run, p, line) + 1;
    }
    ShowProgress(pass.Run, 0);
}

void sbRestartClick(TWorkspace& ws, const TAnalyzeRequest& request) {
    ClearAnalysis(ws);
    ReadTables(ws);
    ScanScript(ws);
    {
        TTokenPass pass(ws, request);
        WalkAllTokens(pass);
    }
    EnableAnalysisCommands(ws);
}

} // namespace dialoscope

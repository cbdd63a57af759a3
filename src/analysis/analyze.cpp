#include "analyze.h"

#include "detail/analysis_run.h"
#include "detail/node_body.h"
#include "detail/pass_step.h"
#include "detail/second_core_scan.h"
#include "detail/second_half.h"
#include "detail/token_words.h"
#include "message_file.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace dialoscope {

namespace {

// Scans the script, letting window messages through now and then: a large script takes a
// noticeable time to scan, and the window must not freeze meanwhile.
void ScanScript(TWorkspace& ws, const TScanAheadJoin& join) {
    struct TStepGuard {
        TScanner& Scanner;
        ~TStepGuard() { Scanner.SetOnScanStep(nullptr); }
    } guard{ws.Scanner};
    ws.Scanner.SetOnScanStep([&ws] { ws.Port.ProcessMessages(); });
    ws.Scanner.ScanStream(ws.ScriptStream, join);
}

// On a big script the second core reads the tokens of about the last third. The message file
// and the script list are parsed from their own buffers, and the scan reads only the script, so
// the second core parses them first, while this one scans. Only when the token list is empty, as
// Load leaves it: an error in either table must end Analyze before the scan, and the list can
// then be left as it was by emptying it again.
void ReadTablesAndScan(TWorkspace& ws) {
    // The walks' words are chosen as the scan reads each token, not in a pass of their own. Set
    // before the second core starts: it reads the scanner's rules.
    ws.Scanner.SetTokenTagger(&TTokenWords::Tag);
    const auto readTables = [&ws] {
        LoadMessages(ws.MsgTable, ws.MsgRich);
        LoadScriptList(ws.ScriptList, ws.IntRich, ws.IntFileName, ws.ScriptIndex);
    };
    const bool big = ws.ScriptStream.Size() >= SecondCoreFromBytes && ws.Port.MayUseSecondCore();
    if (!big) {
        readTables();
        ScanScript(ws, {});
        return;
    }
    const bool tablesAlongside = ws.Scanner.TokenCount() == 0;
    if (!tablesAlongside) {
        readTables();
    }
    TSecondCoreScan second(ws.Scanner, ws.ScriptStream.Data(),
                           tablesAlongside ? std::function<void()>(readTables) : nullptr,
                           [&ws] { ws.Port.ProcessMessages(); });
    std::exception_ptr scanError;
    try {
        ScanScript(ws, second.Join());
    } catch (...) {
        scanError = std::current_exception();
    }
    try {
        second.Finish();
    } catch (...) {
        ws.Scanner.ClearTokens();
        throw;
    }
    if (scanError) {
        std::rethrow_exception(scanError);
    }
}

// Every node this pass makes takes its text from the script's lines as they stand now, through
// one index that is built only if a node's text is ever asked for; also when an error stops the
// pass, so no node is left without its text.
struct TNodeBodiesShared {
    TWorkspace& Ws;
    std::shared_ptr<TNodeBodyIndex> Bodies = std::make_shared<TNodeBodyIndex>(Ws.Rich);
    ~TNodeBodiesShared() {
        for (TNodeKeep& node : Ws.Nodes) {
            node.Bodies = Bodies;
        }
    }
};

// The pass: one listing line per token it reaches; a section or node lists only the keyword
// that opens it. The end-of-file token is never listed. On a big script the second core takes
// the second half's nodes, once the header sections before the first node are read.
void AnalyzeTokens(TWorkspace& ws) {
    const auto breathe = [&ws] { ws.Port.ProcessMessages(); };
    const TNodeBodiesShared bodies{ws};
    const TTokenWords words(TTokenCursor(ws.Scanner), ws.Scanner.TokenTags(), breathe);
    TSectionSink sections{ws};
    TAnalysisRun run({ws, words}, &sections, ws.Port, ws.Nodes);
    const std::int64_t last = run.Tokens.Last();
    std::optional<TSecondHalf> second;
    bool splitTried = false;
    std::string line;
    for (std::int64_t p = 0; p < last;) {
        if (second && p >= second->Start()) {
            // The second core's work is taken only by a walk that arrives exactly where it
            // started, with the forward declarations it started with; else it is dropped.
            const bool take = p == second->Start() && second->Holds(run);
            const std::int64_t resume = take ? second->Merge(run, breathe) : p;
            second.reset();
            if (take) {
                ws.SecondCoreTokens = resume - p;
                p = resume;
                continue;
            }
        }
        if (!splitTried && OpensNode(run, p)) {
            splitTried = true;
            if (const auto start = TSecondHalf::StartFor(run, p)) {
                second.emplace(run, *start);
            }
        }
        p = PassStep(run, p, line) + 1;
    }
    ShowProgress(run, 0);
}

} // namespace

void sbRestartClick(TWorkspace& ws) {
    ws.Nodes.clear();
    ws.ForwardCount = 0;
    ws.SecondCoreTokens = 0;
    ws.GeneralView.Clear();
    ws.DialogsTree.Clear();
    ws.Port.ClearOutput();
    ReadTablesAndScan(ws);
    AnalyzeTokens(ws);
    ws.AnalysisCommandsEnabled = true;
}

} // namespace dialoscope

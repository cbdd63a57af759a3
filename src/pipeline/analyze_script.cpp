#include "script_pipeline.h"

#include "analysis/analyze.h"
#include "analysis/analyze_stages.h"
#include "analysis/detail/pass_step.h"
#include "analysis/detail/token_pass.h"
#include "detail/second_core_scan.h"
#include "detail/second_half.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace dialoscope {

namespace {

// The second core reads the tokens of about the last third. The message file and the script list
// are parsed from their own buffers, and the scan reads only the script, so the second core
// parses them first, while this one scans. Only when the token list is empty, as Load leaves it:
// an error in either table must end Analyze before the scan, and the list can then be left as it
// was by emptying it again.
void ReadTablesAndScanOnTwoCores(TWorkspace& ws, const TSplitPlan& plan) {
    const bool tablesAlongside = ws.Scanner.TokenCount() == 0;
    if (!tablesAlongside) {
        ReadTables(ws);
    }
    TSecondCoreScan second(ws.Scanner, ws.ScriptStream.Data(), plan,
                           tablesAlongside ? std::function<void()>([&ws] { ReadTables(ws); })
                                           : nullptr,
                           [&ws] { ws.Port.ProcessMessages(); });
    std::exception_ptr scanError;
    try {
        if (ScanScript(ws, second.MeetAt())) {
            ws.TokensReadAhead = second.TakeAhead(ws.Scanner);
            if (ws.TokensReadAhead == 0) {
                ScanScriptOn(ws);
            }
        }
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

// The pass, the second core taking the second half's nodes once the header sections before the
// first node are read. Its work is taken only by a walk that arrives exactly where it started,
// with the forward declarations it started with; else it is dropped.
void WalkTokensOnTwoCores(TTokenPass& pass, const TSplitPlan& plan) {
    TAnalysisRun& run = pass.Run;
    TWorkspace& ws = pass.Ws;
    const auto breathe = [&ws] { ws.Port.ProcessMessages(); };
    const std::int64_t last = run.Tokens.Last();
    std::optional<TSecondHalf> second;
    bool splitTried = false;
    std::string line;
    for (std::int64_t p = 0; p < last;) {
        if (second && p >= second->Start()) {
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
            if (const auto start = TSecondHalf::StartFor(run, p, plan)) {
                second.emplace(run, *start);
            }
        }
        p = PassStep(run, p, line) + 1;
    }
    ShowProgress(run, 0);
}

} // namespace

void AnalyzeScript(TWorkspace& ws, const TAnalyzeRequest& request, const TSplitPlan& plan) {
    if (request.Cores < 2) {
        sbRestartClick(ws, request);
        return;
    }
    ClearAnalysis(ws);
    // Each split is tried where it pays: the scan's by the script's bytes, the walk's by its
    // tokens.
    if (plan.PaysTwoCores(ws.ScriptStream.Size())) {
        ReadTablesAndScanOnTwoCores(ws, plan);
    } else {
        ReadTables(ws);
        ScanScript(ws);
    }
    {
        TTokenPass pass(ws, request);
        WalkTokensOnTwoCores(pass, plan);
    }
    EnableAnalysisCommands(ws);
}

} // namespace dialoscope

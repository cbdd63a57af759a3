#pragma once
// TAnalysisRun: what one Analyze keeps while it walks the tokens: the workspace, a safe view of
// the token list, the forward declarations by name and the index of the nodes' first lines.

#include "forward_names.h"
#include "node_body.h"
#include "node_lists.h"
#include "token_cursor.h"
#include "token_words.h"
#include "workspace.h"

#include <cstdint>
#include <utility>

namespace dialoscope {

struct TAnalysisRun {
    // After the scan. The token index is built here, before the pass lists anything; like the
    // scan it lets the window breathe on a big script. bodies must be built on ws.Rich.
    TAnalysisRun(TWorkspace& ws, TNodeBodyIndex bodies)
        : Ws(ws), Tokens(ws.Scanner), Words(Tokens, [&ws] { ws.Port.ProcessMessages(); }),
          Bodies(std::move(bodies)) {}

    TWorkspace& Ws;
    TTokenCursor Tokens;
    TTokenWords Words;     // what the node walks look for, one byte per token
    TForwardNames Forward; // Funcs[1..ws.ForwardCount]
    TNodeBodyIndex Bodies;
    TNodeListsBuilder Collected; // the lists of the node being analysed
    const bool ShowsGeneralView = Ws.Port.ShowsGeneralView();
    std::int32_t ShownProgress = -1; // what the progress pane shows; -1 before this run set it
};

} // namespace dialoscope

#pragma once
// TAnalysisRun: what one walk over the tokens of an Analyze keeps: the workspace, where its
// records, pane lines and messages go, a safe view of the token list, the forward declarations by
// name and the lists of the node at hand. The token classification and the index of the nodes'
// first lines are made once per Analyze and only read here, so that a second run, on the second
// core, can share them.

#include "forward_names.h"
#include "node_body.h"
#include "node_lists.h"
#include "token_cursor.h"
#include "token_words.h"
#include "workspace.h"

#include <cstdint>
#include <deque>

namespace dialoscope {

struct TAnalysisRun {
    // After the scan: words and bodies must be made from ws's tokens and lines, and outlive
    // the run. The run adds its node records to nodes and shows what it finds on port.
    TAnalysisRun(TWorkspace& ws, TPort& port, std::deque<TNodeKeep>& nodes,
                 const TTokenWords& words, TNodeBodyIndex& bodies)
        : Ws(ws), Port(port), Nodes(nodes), Tokens(ws.Scanner), Words(words), Bodies(bodies),
          ShowsOutput(port.ShowsOutput()), ShowsGeneralView(port.ShowsGeneralView()) {}

    // Read only, apart from the sections a run on the first core reads: their tables and
    // counters, and the General View when it is shown.
    TWorkspace& Ws;
    TPort& Port;
    std::deque<TNodeKeep>& Nodes;
    TTokenCursor Tokens;
    const TTokenWords& Words; // what the node walks look for, one byte per token
    TNodeBodyIndex& Bodies;
    TForwardNames Forward;            // Funcs[1..ws.ForwardCount]
    std::int32_t ForwardSections = 0; // how many forward sections this run has read
    TNodeListsBuilder Collected;      // the lists of the node being analysed
    // A command that writes only a tree or the counters needs the tables, not the listing.
    const bool ShowsOutput;
    const bool ShowsGeneralView;
    std::int32_t ShownProgress = -1; // what the progress pane shows; -1 before this run set it
};

} // namespace dialoscope

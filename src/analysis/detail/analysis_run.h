#pragma once
// TAnalysisRun: what one walk over the tokens of an Analyze keeps: what it reads (shared with
// the other walk, never changed by either), where its records, pane lines and messages go, a
// safe view of the token list, the forward declarations by name and the lists of the node at
// hand. Only the first core's walk has a section sink: the tables and counters the header and
// forward sections fill, and the General View. The second core's walk has none, and its records,
// lines and messages wait in its own deque and port until the first core splices them in.

#include "analysis/analyze_request.h"
#include "analysis/node_lists.h"
#include "analysis/workspace.h"
#include "forward_names.h"
#include "token_cursor.h"
#include "token_words.h"

#include <cassert>
#include <cstdint>
#include <deque>

namespace dialoscope {

// What both walks read, made once per Analyze after the scan from the workspace's tokens, and
// unchanged while they run: the script, its tokens and script index, and the token
// classification.
struct TWalkInputs {
    const TWorkspace& Ws;
    const TTokenWords& Words;
};

// What only the first core's walk writes: the sections' tables and counters (units, vars,
// forward names, the message file name, the counters) and the General View when it is shown.
struct TSectionSink {
    TWorkspace& Ws;
};

struct TAnalysisRun {
    // The inputs must outlive the run. sections is null for a walk that must never read a
    // section. The run adds its node records to nodes, shows what it finds on port and makes
    // what request asks for.
    TAnalysisRun(const TWalkInputs& inputs, TSectionSink* sections, TPort& port,
                 std::deque<TNodeKeep>& nodes, const TAnalyzeRequest& request)
        : Ws(inputs.Ws), Words(inputs.Words), Sections(sections), Port(port), Nodes(nodes),
          Tokens(inputs.Ws.Scanner), Request(request), ShowsOutput(request.Listing),
          ShowsGeneralView(request.GeneralView), KeepsNodeLists(request.NodeLists),
          KeepsMsgMarks(KeepsNodeLists && request.MsgMarks) {
        Collected.KeepNothing(!KeepsNodeLists);
    }

    TWalkInputs Inputs() const { return {Ws, Words}; }
    // Where a message use marks its messages: node, or nowhere when nothing reads the marks.
    TNodeKeep* MarksIn(TNodeKeep& node) const { return KeepsMsgMarks ? &node : nullptr; }
    // The sink; only a walk that has one may read a section or add a General View item.
    TSectionSink& SectionSink() const {
        assert(Sections != nullptr && "only the first core's walk reads sections");
        return *Sections;
    }

    const TWorkspace& Ws;
    const TTokenWords& Words; // what the node walks look for, one byte per token
    TSectionSink* const Sections;
    TPort& Port;
    std::deque<TNodeKeep>& Nodes;
    TTokenCursor Tokens;
    TForwardNames Forward;            // Funcs[1..ws.ForwardCount]
    std::int32_t ForwardSections = 0; // how many forward sections this run has read
    TNodeListsBuilder Collected;      // the lists of the node being analysed
    // A command that writes only a tree or the counters needs the tables, not the listing.
    const TAnalyzeRequest Request;
    const bool ShowsOutput;
    const bool ShowsGeneralView;
    const bool KeepsNodeLists;
    const bool KeepsMsgMarks;
    std::int32_t ShownProgress = -1; // what the progress pane shows; -1 before this run set it
};

} // namespace dialoscope

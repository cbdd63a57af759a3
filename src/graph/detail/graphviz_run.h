#pragma once
// The Graphviz work a child process does: a context, the styled graph, a layout by one engine,
// and its freeing in the right order. Only ever used inside RunInChildProcess (see
// detail/child_process.h), never in the window's process.

#include "cgraph_graph.h"

#include <graphviz/gvc.h>

#include <string>

namespace dialoscope::graph_detail {

class TGraphvizRun {
public:
    // Throws std::runtime_error when the engine fails on the graph.
    TGraphvizRun(const TDialogGraph& graph, const std::string& engine);
    ~TGraphvizRun();
    TGraphvizRun(const TGraphvizRun&) = delete;
    TGraphvizRun& operator=(const TGraphvizRun&) = delete;

    GVC_t* Context() const { return Context_; }
    const TCgraph& Graph() const { return Graph_; }

private:
    GVC_t* Context_;
    TCgraph Graph_;
    bool LaidOut_ = false;
};

} // namespace dialoscope::graph_detail

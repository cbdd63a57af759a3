#pragma once
// A dialog graph as a Graphviz cgraph graph, styled as the map draws it: boxes with the node's
// name and first said line, starts green, unreachable nodes grey, dead ends orange, missing
// names red and dashed, calls dashed. The DOT export writes it; the layout and the SVG lay it
// out.
//
// cgraph keeps process-wide state (its error hook, the string dictionary it shares between
// graphs), so every use in the window's process holds CgraphLock(); the layout runs in a child
// process of its own (see graph_layout.h) and needs no lock there.

#include "graph/dialog_graph.h"

#include <graphviz/cgraph.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::graph_detail {

std::mutex& CgraphLock();

struct TAgraphClose {
    void operator()(Agraph_t* graph) const { agclose(graph); }
};
using TAgraphPtr = std::unique_ptr<Agraph_t, TAgraphClose>;

struct TCgraph {
    TAgraphPtr Graph;
    std::vector<Agnode_t*> Nodes; // one per vertex, same index
    std::vector<Agedge_t*> Edges; // one per edge, same index
};

// Vertices become nodes named by DotNodeNames (dot_export.h), edges become edges of their own even
// between the same two nodes, with the attributes the map's look needs.
TCgraph MakeCgraph(const TDialogGraph& graph);

// What a vertex's box says, as a label: its name, then its first said line (the message text
// when the graph was built with texts, else the caption), the label's line break between. Both
// pieces go through escape, the label syntax's own.
std::string BoxLabel(const TGraphVertex& vertex, std::string (*escape)(std::string_view),
                     std::string_view lineBreak);

} // namespace dialoscope::graph_detail

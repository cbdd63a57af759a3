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

// The cgraph graph writes through this discipline: agwrite hands it to the std::string the
// channel points at.
Agdisc_t* StringWriteDiscipline();

// The names the vertices' nodes get: their ids, but with each backslash written as "/". DOT
// has no way to write a backslash that ends a quoted name or stands before a quote (cgraph
// writes backslashes as they are, and reads "\"" as a quote), so no name keeps one. A name
// starting with "%" gets a leading "_": cgraph takes "%..." for the anonymous names it makes
// itself. A name that then equals another's gets " #2", " #3", ...
std::vector<std::string> DotNodeNames(const TDialogGraph& graph);

// How dot is asked to lay out a graph of so many vertices. dot's crossing minimisation and
// network simplex, and answer labels made into ranks of their own, cost far more than anything
// else on a dialog of a few hundred nodes (a generated 300-node dialog on a busy two-core machine:
// 25 s untuned, under 1 s tuned), so bigger graphs get their labels beside the edges (Graphviz
// places them after the layout), fewer iterations and, bigger still, straight pieces instead of
// curves. A picture of more than a few hundred nodes is read by zooming in, where crossings matter
// less than being there at all.
struct TDotTuning {
    bool LabelsBesideEdges; // "xlabel" instead of "label"
    const char* NsLimit;    // null: Graphviz's default
    const char* McLimit;
    const char* Splines;
};
inline constexpr std::int32_t FullDotVertices = 150;
inline constexpr std::int32_t PolylineDotVertices = 600;
TDotTuning DotTuningFor(std::int32_t vertices);

// Vertices become nodes named by DotNodeNames, edges become edges of their own even between the
// same two nodes, with the attributes the map's look needs.
TCgraph MakeCgraph(const TDialogGraph& graph);

// A text as the value of a "label" attribute: its drawn characters (drawn_text.h), each
// backslash doubled, since Graphviz reads escape sequences there ("\\N" is the node's name), and
// each "&" written "&amp;", since Graphviz reads entities there too ("&amp;" would draw "&").
std::string EscapeLabel(std::string_view text);

// The first maxCharacters characters of a UTF-8 text, "..." after a cut one.
std::string ShortText(std::string_view text, std::size_t maxCharacters);

// What a vertex's box says, as a label: its name, then its first said line (the message text
// when the graph was built with texts, else the caption), the label's line break between. Both
// pieces go through escape, the label syntax's own (EscapeLabel for DOT).
std::string BoxLabel(const TGraphVertex& vertex, std::string (*escape)(std::string_view),
                     std::string_view lineBreak);

} // namespace dialoscope::graph_detail

#pragma once
// The dialog graph as DOT, written by Graphviz's cgraph: every id and label quoted and escaped
// as Graphviz itself reads them back, so names that are DOT keywords ("node", "graph") or hold
// quotes, braces and backslashes stay valid. Attributes give the map's look (see
// detail/cgraph_graph.h), so "dot -Tsvg" draws what the window draws.

#include "dialog_graph.h"

#include <string>
#include <vector>

namespace dialoscope {

// The whole DOT text, ending in a line break. Safe to call from any thread.
std::string WriteDot(const TDialogGraph& graph);

// The DOT node name of each vertex, same index: its id, except that DOT cannot write every
// backslash back as it was read, so each becomes "/", and cgraph keeps names starting with "%"
// for itself, so such a name gets a leading "_" (a name that then equals another's gets " #2",
// ...).
std::vector<std::string> DotNodeNames(const TDialogGraph& graph);

} // namespace dialoscope

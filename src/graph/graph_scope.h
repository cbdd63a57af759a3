#pragma once
// The subgraph of a dialog graph a map shows: one dialog (all that a start or a node reaches), a
// node's neighbourhood (N steps along edges either way), or the whole script.

#include "dialog_graph.h"

#include <cstdint>

namespace dialoscope {

enum class TScopeKind : std::uint8_t {
    Whole,  // every vertex
    Dialog, // Root and every vertex its edges reach; with a node root also the starts naming it
    Around, // every vertex at most Steps edges from Root, following edges either way
};

struct TGraphScope {
    TScopeKind Kind = TScopeKind::Whole;
    std::int32_t Root = -1; // a vertex index of the whole graph; unused for Whole
    std::int32_t Steps = 1; // Around: 0 keeps Root alone
};

// The vertices of the scope (in the whole graph's order, each keeping its Node index) and the
// edges between them; notes carry over. A root outside the graph gives an empty graph with a
// note. Linear in the vertices and edges; walks keep their own queue, so a chain of any length
// is fine.
TDialogGraph SelectScope(const TDialogGraph& whole, const TGraphScope& scope);

} // namespace dialoscope

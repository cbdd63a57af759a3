#pragma once
// The dialog graph as a Mermaid flowchart ("flowchart TD") for a wiki or a pull request. Ids are
// v0, v1, ... so no name can collide with Mermaid's words ("end", "graph"); every label is
// quoted and the characters Mermaid would read (quotes, "#", "<", ">", "&", "|", backticks)
// are written as Mermaid entity codes, so any caption gives a valid chart.

#include "dialog_graph.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dialoscope {

// The chart, one statement per LF-ended line: the vertices, the edges (answers "-->", calls
// "-.->", starts "==>"), then the classes that colour starts, unreachable nodes, dead ends and
// missing names.
std::string WriteMermaid(const TDialogGraph& graph);

// A UTF-8 text as it may stand between a Mermaid label's quotes: its drawn characters
// (drawn_text.h), the ones Mermaid would read as entity codes.
std::string EscapeMermaidText(std::string_view text);

// Mermaid's own limit on the edges of one chart, unless the page that draws it sets another.
inline constexpr std::size_t MermaidDefaultMaxEdges = 500;
// For a chart past that limit, what to do about it; none for a smaller one.
std::optional<std::string> MermaidSizeNote(const TDialogGraph& graph);

} // namespace dialoscope

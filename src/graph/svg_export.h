#pragma once
// The dialog graph drawn as SVG by Graphviz itself, laid out as LayOutDialogGraph lays it out
// and, for the same reasons, in a child process (see graph_layout.h): a graph Graphviz fails on
// gives a note, never a crash of the caller.

#include "graph_layout.h"

#include <string>

namespace dialoscope {

struct TSvgResult {
    TLayoutStatus Status = TLayoutStatus::Failed;
    std::string Svg; // Done only: the whole SVG document, one <g class="node"> per vertex
    std::string Note;
};

TSvgResult RenderSvg(const TDialogGraph& graph, const TLayoutOptions& options = {},
                     std::stop_token stop = {});

} // namespace dialoscope

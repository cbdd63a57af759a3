#include "dot_export.h"

#include "detail/cgraph_graph.h"

namespace dialoscope {

std::string WriteDot(const TDialogGraph& graph) {
    const std::lock_guard lock(graph_detail::CgraphLock());
    const graph_detail::TCgraph made = graph_detail::MakeCgraph(graph);
    std::string dot;
    agwrite(made.Graph.get(), &dot);
    return dot;
}

} // namespace dialoscope

namespace dialoscope {

std::vector<std::string> DotNodeNames(const TDialogGraph& graph) {
    return graph_detail::DotNodeNames(graph);
}

} // namespace dialoscope

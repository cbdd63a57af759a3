#include "dot_export.h"

#include "detail/cgraph_graph.h"
#include "drawn_text.h"

#include <algorithm>
#include <unordered_set>

namespace dialoscope {

std::string WriteDot(const TDialogGraph& graph) {
    const std::lock_guard lock(graph_detail::CgraphLock());
    const graph_detail::TCgraph made = graph_detail::MakeCgraph(graph);
    std::string dot;
    agwrite(made.Graph.get(), &dot);
    return dot;
}

std::vector<std::string> DotNodeNames(const TDialogGraph& graph) {
    std::vector<std::string> names;
    names.reserve(graph.Vertices.size());
    std::unordered_set<std::string> taken;
    for (const TGraphVertex& vertex : graph.Vertices) {
        // A name is drawn as a title in SVG, where control bytes are not allowed.
        std::string base = DrawnText(vertex.Id);
        std::replace(base.begin(), base.end(), '\\', '/');
        if (base.starts_with('%')) {
            base.insert(0, 1, '_'); // cgraph keeps "%..." for names of its own making
        }
        std::string name = base;
        for (int n = 2; taken.contains(name); ++n) {
            name = base + " #" + std::to_string(n);
        }
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace dialoscope

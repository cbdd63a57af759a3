#include "graph_scope.h"

#include <limits>

namespace dialoscope {

namespace {

// Each vertex's edges, both ways, as edge indexes.
struct TIncidence {
    std::vector<std::vector<std::int32_t>> Out, In;

    explicit TIncidence(const TDialogGraph& graph)
        : Out(graph.Vertices.size()), In(graph.Vertices.size()) {
        for (std::size_t e = 0; e < graph.Edges.size(); ++e) {
            const TGraphEdge& edge = graph.Edges[e];
            Out[static_cast<std::size_t>(edge.From)].push_back(static_cast<std::int32_t>(e));
            In[static_cast<std::size_t>(edge.To)].push_back(static_cast<std::int32_t>(e));
        }
    }
};

constexpr std::int32_t NotReached = std::numeric_limits<std::int32_t>::max();

// Breadth-first distances from the seeds, along out-edges (and in-edges when bothWays), up to
// maxSteps.
std::vector<std::int32_t> Distances(const TDialogGraph& graph,
                                    const std::vector<std::int32_t>& seeds, bool bothWays,
                                    std::int32_t maxSteps) {
    const TIncidence incidence(graph);
    std::vector<std::int32_t> distance(graph.Vertices.size(), NotReached);
    std::vector<std::int32_t> queue;
    for (const std::int32_t seed : seeds) {
        if (distance[static_cast<std::size_t>(seed)] == NotReached) {
            distance[static_cast<std::size_t>(seed)] = 0;
            queue.push_back(seed);
        }
    }
    const auto reach = [&](std::int32_t vertex, std::int32_t steps) {
        if (distance[static_cast<std::size_t>(vertex)] == NotReached) {
            distance[static_cast<std::size_t>(vertex)] = steps;
            queue.push_back(vertex);
        }
    };
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::int32_t vertex = queue[next];
        const std::int32_t steps = distance[static_cast<std::size_t>(vertex)];
        if (steps >= maxSteps) {
            continue;
        }
        for (const std::int32_t e : incidence.Out[static_cast<std::size_t>(vertex)]) {
            reach(graph.Edges[static_cast<std::size_t>(e)].To, steps + 1);
        }
        if (bothWays) {
            for (const std::int32_t e : incidence.In[static_cast<std::size_t>(vertex)]) {
                reach(graph.Edges[static_cast<std::size_t>(e)].From, steps + 1);
            }
        }
    }
    return distance;
}

// The dialog of a node also shows the starts that open it.
std::vector<std::int32_t> DialogSeeds(const TDialogGraph& graph, std::int32_t root) {
    std::vector<std::int32_t> seeds{root};
    for (const TGraphEdge& edge : graph.Edges) {
        if (edge.Kind == TEdgeKind::Start && edge.To == root) {
            seeds.push_back(edge.From);
        }
    }
    return seeds;
}

TDialogGraph Induced(const TDialogGraph& whole, const std::vector<std::int32_t>& distance) {
    TDialogGraph part;
    part.Notes = whole.Notes;
    std::vector<std::int32_t> newIndex(whole.Vertices.size(), -1);
    for (std::size_t v = 0; v < whole.Vertices.size(); ++v) {
        if (distance[v] != NotReached) {
            newIndex[v] = part.VertexCount();
            part.Vertices.push_back(whole.Vertices[v]);
        }
    }
    for (const TGraphEdge& edge : whole.Edges) {
        const std::int32_t from = newIndex[static_cast<std::size_t>(edge.From)];
        const std::int32_t to = newIndex[static_cast<std::size_t>(edge.To)];
        if (from >= 0 && to >= 0) {
            part.Edges.push_back(edge);
            part.Edges.back().From = from;
            part.Edges.back().To = to;
        }
    }
    return part;
}

} // namespace

TDialogGraph SelectScope(const TDialogGraph& whole, const TGraphScope& scope) {
    if (scope.Kind == TScopeKind::Whole) {
        return whole;
    }
    if (scope.Root < 0 || scope.Root >= whole.VertexCount()) {
        TDialogGraph none;
        none.Notes.emplace_back("The map's node is not in the script.");
        return none;
    }
    const bool around = scope.Kind == TScopeKind::Around;
    const std::vector<std::int32_t> seeds =
        around ? std::vector<std::int32_t>{scope.Root} : DialogSeeds(whole, scope.Root);
    const std::int32_t maxSteps = around ? std::max(scope.Steps, 0) : NotReached;
    return Induced(whole, Distances(whole, seeds, around, maxSteps));
}

} // namespace dialoscope

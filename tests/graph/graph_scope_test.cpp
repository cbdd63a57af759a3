// The map's scopes: one dialog, a neighbourhood, the whole script.

#include "graph_test_support.h"

#include "graph/graph_scope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAreArray;

// A -> B -> C -> D, C -> C, E -> C (E unreachable), start -> A; and a second start -> F.
const std::vector<std::string> ScopeNodes = {
    "function A;\nbegin\n  Answer(1, 1, @B);\nend;\n",
    "function B;\nbegin\n  Answer(1, 2, @C);\nend;\n",
    "function C;\nbegin\n  Answer(1, 3, @D);\n  Answer(1, 4, @C);\nend;\n",
    "function D;\nbegin\n  CloseDialog;\nend;\n",
    "function E;\nbegin\n  Answer(1, 5, @C);\nend;\n",
    "function F;\nbegin\n  OpenDialog(GetObjectID(1));\n  F;\nend;\n",
};

std::vector<std::string> Ids(const TDialogGraph& graph) {
    std::vector<std::string> ids;
    for (const TGraphVertex& vertex : graph.Vertices) {
        ids.push_back(vertex.Id);
    }
    return ids;
}

TEST(GraphScope, DialogsAndNeighbourhoods) {
    const auto script = LoadGraphScript(GraphScript({}, ScopeNodes, "A"));
    const TDialogGraph whole = BuildDialogGraph(script->Loaded->Ws);
    const auto vertex = [&](const std::string& id) { return whole.FindVertex(id); };
    std::string start; // the start that opens A
    for (const TGraphEdge& edge : whole.Edges) {
        if (edge.Kind == TEdgeKind::Start && edge.To == vertex("A")) {
            start = whole.Vertices[static_cast<std::size_t>(edge.From)].Id;
        }
    }
    struct TCase {
        std::string Name;
        TGraphScope Scope;
        std::vector<std::string> Ids;
        std::size_t Edges;
    };
    const std::vector<TCase> cases = {
        {"a start's dialog",
         {TScopeKind::Dialog, vertex(start), 0},
         {"A", "B", "C", "D", start},
         5},
        {"a node's dialog shows no start", {TScopeKind::Dialog, vertex("C"), 0}, {"C", "D"}, 2},
        {"a started node's dialog shows its start",
         {TScopeKind::Dialog, vertex("A"), 0},
         {"A", "B", "C", "D", start},
         5},
        {"around, no step", {TScopeKind::Around, vertex("C"), 0}, {"C"}, 1},
        {"around, one step both ways",
         {TScopeKind::Around, vertex("C"), 1},
         {"B", "C", "D", "E"},
         4},
        {"around, two steps", {TScopeKind::Around, vertex("C"), 2}, {"A", "B", "C", "D", "E"}, 5},
        {"whole", {TScopeKind::Whole, -1, 0}, Ids(whole), whole.Edges.size()},
        {"a root outside the graph", {TScopeKind::Around, 1000, 1}, {}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TDialogGraph part = SelectScope(whole, c.Scope);
        EXPECT_THAT(Ids(part), ElementsAreArray(c.Ids));
        EXPECT_EQ(part.Edges.size(), c.Edges);
        // A kept node still names its record.
        for (const TGraphVertex& kept : part.Vertices) {
            if (kept.Node >= 0) {
                EXPECT_EQ(whole.Vertices[static_cast<std::size_t>(kept.Node)].Id, kept.Id);
            }
        }
    }
}

TEST(GraphScope, AChainOfTenThousandNodes) {
    const auto chain = LoadGraphScript(ChainScript(10000));
    const TDialogGraph whole = BuildDialogGraph(chain->Loaded->Ws);
    const TDialogGraph dialog = SelectScope(whole, {TScopeKind::Dialog, whole.FindVertex("N0"), 0});
    EXPECT_EQ(dialog.VertexCount(), 10001); // the nodes and the start
    const TDialogGraph around =
        SelectScope(whole, {TScopeKind::Around, whole.FindVertex("N5000"), 3});
    EXPECT_EQ(around.VertexCount(), 7);
}

} // namespace
} // namespace dialoscope::test

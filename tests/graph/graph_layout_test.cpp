// The layout: positions for every box and edge from Graphviz in a child process, and the child's
// crash, hang or cancellation reported instead of shared.

#include "graph_test_support.h"
#include "workload.h"

#include "graph/detail/child_process.h"
#include "graph/graph_layout.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace dialoscope::test {
namespace {

using namespace std::chrono_literals;

// A graph of more than FullDotVertices vertices gets its labels beside its edges.
TDialogGraph GeneratedGraph() {
    const std::string folder = GeneratedWorkload("--nodes 200 --seed 3");
    return BuildDialogGraph(LoadScriptFile(folder + "/talk.ipp", folder + "/scripts.lst")->Ws);
}

void CheckLayout(const TDialogGraph& graph) {
    const TLayoutResult result = LayOutDialogGraph(graph);
    ASSERT_EQ(result.Status, TLayoutStatus::Done) << result.Note;
    const TGraphLayout& layout = result.Layout;
    EXPECT_EQ(layout.Engine, "dot");
    ASSERT_EQ(layout.Boxes.size(), graph.Vertices.size());
    ASSERT_EQ(layout.Edges.size(), graph.Edges.size());
    const auto inside = [&](const TLayoutPoint& p) {
        return p.X >= -1 && p.Y >= -1 && p.X <= layout.Width + 1 && p.Y <= layout.Height + 1;
    };
    for (const TVertexBox& box : layout.Boxes) {
        EXPECT_TRUE(inside(box.Center));
        EXPECT_GT(box.Width, 0);
        EXPECT_GT(box.Height, 0);
    }
    for (std::size_t e = 0; e < graph.Edges.size(); ++e) {
        SCOPED_TRACE(e);
        const TEdgeCurve& curve = layout.Edges[e];
        EXPECT_EQ(curve.Points.size() % 3, 1u); // a start, then three points per piece
        EXPECT_TRUE(curve.ArrowTip.has_value());
        EXPECT_EQ(curve.LabelCenter.has_value(), !graph.Edges[e].Label.empty());
        // Control points may lie outside; the curve's ends and the tip may not.
        ASSERT_FALSE(curve.Points.empty());
        EXPECT_TRUE(inside(curve.Points.front()));
        EXPECT_TRUE(inside(curve.Points.back()));
        EXPECT_TRUE(inside(*curve.ArrowTip));
    }
    // Top to bottom: each start lies above the node it opens, y growing downwards.
    for (const TGraphEdge& edge : graph.Edges) {
        if (edge.Kind == TEdgeKind::Start) {
            EXPECT_LT(layout.Boxes[static_cast<std::size_t>(edge.From)].Center.Y,
                      layout.Boxes[static_cast<std::size_t>(edge.To)].Center.Y);
        }
    }
}

TEST(GraphLayout, EveryBoxAndEdgeLiesInTheDrawingTopToBottom) {
    {
        SCOPED_TRACE("guard");
        CheckLayout(BuildDialogGraph(LoadGuard()->Ws));
    }
    SCOPED_TRACE("generated, labels beside the edges");
    CheckLayout(GeneratedGraph());
}

TEST(GraphLayout, ABigWholeScriptIsLaidOutWithoutRanksAndSaysSo) {
    struct TCase {
        std::size_t Vertices;
        TLayoutEngine Wanted;
        TLayoutEngine Chosen;
        bool Note;
    };
    const TCase cases[] = {
        {DotVertexLimit, TLayoutEngine::Auto, TLayoutEngine::Dot, false},
        {DotVertexLimit + 1, TLayoutEngine::Auto, TLayoutEngine::Sfdp, true},
        {DotVertexLimit + 1, TLayoutEngine::Dot, TLayoutEngine::Dot, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Vertices);
        TDialogGraph graph;
        graph.Vertices.resize(c.Vertices);
        std::string note;
        EXPECT_EQ(ChooseEngine(graph, c.Wanted, note), c.Chosen);
        EXPECT_EQ(!note.empty(), c.Note);
    }
}

TEST(GraphLayout, TheFasterEngineGivesEveryBoxAndEdge) {
    const TDialogGraph graph = BuildDialogGraph(LoadGuard()->Ws);
    TLayoutOptions sfdp;
    sfdp.Engine = TLayoutEngine::Sfdp;
    const TLayoutResult result = LayOutDialogGraph(graph, sfdp);
    ASSERT_EQ(result.Status, TLayoutStatus::Done) << result.Note;
    EXPECT_EQ(result.Layout.Engine, "sfdp");
    ASSERT_EQ(result.Layout.Boxes.size(), graph.Vertices.size());
    for (const TEdgeCurve& curve : result.Layout.Edges) {
        EXPECT_GE(curve.Points.size(), 2u);
    }
}

TEST(GraphLayout, ALayoutThatCannotEndWellEndsWithANote) {
    const auto chain = LoadGraphScript(ChainScript(3000));
    const TDialogGraph graph = BuildDialogGraph(chain->Loaded->Ws);
    TLayoutOptions quick;
    quick.Timeout = 50ms;
    const TLayoutResult late = LayOutDialogGraph(graph, quick);
    EXPECT_EQ(late.Status, TLayoutStatus::TimedOut);
    EXPECT_NE(late.Note.find("longer than"), std::string::npos) << late.Note;

    std::stop_source stop;
    std::jthread canceller([&] {
        std::this_thread::sleep_for(50ms);
        stop.request_stop();
    });
    const auto begin = std::chrono::steady_clock::now();
    const TLayoutResult cancelled = LayOutDialogGraph(graph, {}, stop.get_token());
    EXPECT_EQ(cancelled.Status, TLayoutStatus::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 5s);
}

TEST(GraphLayout, AChildThatDiesIsAFailureOfItsOwn) {
    using graph_detail::TChildStatus;
    struct TCase {
        std::string Name;
        std::function<std::string()> Work;
        TChildStatus Status;
        std::string Output;
    };
    const std::vector<TCase> cases = {
        {"answers", [] { return std::string(100000, 'x'); }, TChildStatus::Done,
         std::string(100000, 'x')},
        {"aborts", []() -> std::string { std::abort(); }, TChildStatus::Failed, ""},
        {"throws", []() -> std::string { throw std::runtime_error("no"); }, TChildStatus::Failed,
         ""},
        {"crashes",
         []() -> std::string {
             std::raise(SIGSEGV);
             return "never";
         },
         TChildStatus::Failed, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto result = graph_detail::RunInChildProcess(c.Work, 10s);
        EXPECT_EQ(result.Status, c.Status) << result.Why;
        EXPECT_EQ(result.Output, c.Output);
    }
}

// Whether process pid has ended: gone, or a zombie its new parent has not reaped yet.
bool HasEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const std::size_t close = line.rfind(')');
    return close == std::string::npos || line.compare(close + 1, 3, " Z ") == 0;
}

// Was: a parent killed during a layout left the Graphviz child running under PID 1.
TEST(GraphLayout, AChildEndsWithItsKilledParent) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t parent = ::fork();
    ASSERT_GE(parent, 0);
    if (parent == 0) {
        graph_detail::RunInChildProcess(
            [fd = fds[1]]() -> std::string {
                const pid_t self = ::getpid();
                (void)!::write(fd, &self, sizeof self);
                std::this_thread::sleep_for(60s);
                return {};
            },
            120s);
        ::_exit(0);
    }
    ::close(fds[1]);
    pid_t child = 0;
    ASSERT_EQ(::read(fds[0], &child, sizeof child), static_cast<ssize_t>(sizeof child));
    ::close(fds[0]);
    ::kill(parent, SIGKILL);
    ::waitpid(parent, nullptr, 0);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!HasEnded(child) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    const bool ended = HasEnded(child);
    if (!ended) {
        ::kill(child, SIGKILL);
    }
    EXPECT_TRUE(ended);
}

} // namespace
} // namespace dialoscope::test

// The dialog map: Graphviz's layout (in its child process, as the window runs it) of a 300-node
// dialog and of a whole generated 1000-node script, and the graph of a 10 MB script made and
// written as JSON, counted in script megabytes per second.

#include "workload.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "analysis/workspace.h"
#include "graph/graph_json.h"
#include "graph/graph_layout.h"
#include "graph/graph_scope.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace dialoscope;

struct TAnalysed {
    TNullPort Port;
    TWorkspace Ws{Port};
    std::string Script;

    explicit TAnalysed(const std::string& folder) : Script(folder + "/talk.ipp") {
        Ws.ScriptsLstPath = folder + "/scripts.lst";
        mnLoadClick(Ws, Script);
        sbRestartClick(Ws);
    }
};

// The dialog the script's first start opens: every node of a generated script.
TDialogGraph FirstDialog(const TDialogGraph& whole) {
    for (std::int32_t v = 0; v < whole.VertexCount(); ++v) {
        if (whole.Vertices[static_cast<std::size_t>(v)].Kind == TVertexKind::Start) {
            return SelectScope(whole, {TScopeKind::Dialog, v, 0});
        }
    }
    return whole;
}

void LayOut(benchmark::State& state, const TDialogGraph& graph) {
    for (auto _ : state) {
        const TLayoutResult result = LayOutDialogGraph(graph);
        if (result.Status != TLayoutStatus::Done) {
            state.SkipWithError(result.Note.c_str());
            return;
        }
        benchmark::DoNotOptimize(result.Layout.Boxes.data());
    }
    state.counters["vertices"] = graph.VertexCount();
    state.counters["edges"] = static_cast<double>(graph.Edges.size());
}

void LayOutDialogOf300Nodes(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload("--nodes 300"));
    LayOut(state, FirstDialog(BuildDialogGraph(analysed.Ws)));
}
BENCHMARK(LayOutDialogOf300Nodes)->Unit(benchmark::kMillisecond)->Iterations(3);

void LayOutScriptOf1000Nodes(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload("--nodes 1000"));
    LayOut(state, BuildDialogGraph(analysed.Ws));
}
BENCHMARK(LayOutScriptOf1000Nodes)->Unit(benchmark::kMillisecond)->Iterations(2);

// What "graph --format json" does after Load and Analyze.
void GraphJsonOf10Megabytes(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload("--target-mb 10"));
    TGraphBuildOptions options;
    options.Texts = true;
    for (auto _ : state) {
        const std::string json = WriteGraphJson(BuildDialogGraph(analysed.Ws, options));
        benchmark::DoNotOptimize(json.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(analysed.Ws.ScriptStream.Size()));
}
BENCHMARK(GraphJsonOf10Megabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

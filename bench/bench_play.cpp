// Quicktest on a generated 10 MB script: every answer and call from the dialog start, each node
// expanded once, and the longest path without repeats; counted in nodes per second. Reading the
// analysis for a walk (the name index, the choice targets, the CloseDialog places) is measured
// on its own, since the window pays it once per Analyze.

#include "workload.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "analysis/workspace.h"
#include "play/play_script.h"
#include "play/quicktest.h"
#include "play/way_to_node.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace dialoscope;

const std::string TenMegabytes = "--target-mb 10";

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

void NodesPerSecond(benchmark::State& state, std::int32_t nodes) {
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void ReadForPlay(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload(TenMegabytes));
    for (auto _ : state) {
        const TPlayScript script(analysed.Ws, {analysed.Script, {}, nullptr});
        benchmark::DoNotOptimize(script.Starts().size());
    }
    NodesPerSecond(state, analysed.Ws.NodeCount());
}

void Quicktest(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload(TenMegabytes));
    const TPlayScript script(analysed.Ws, {analysed.Script, {}, nullptr});
    std::size_t longest = 0;
    for (auto _ : state) {
        const TQuicktestReport report = RunQuicktest(script, analysed.Script);
        longest = report.Starts.empty() ? 0 : report.Starts.front().LongestChoices.size();
        benchmark::DoNotOptimize(report.NodesReached);
    }
    NodesPerSecond(state, script.NodeCount());
    state.counters["longest path"] = static_cast<double>(longest);
}

// The way to the last node: the breadth-first search runs through the whole dialog.
void WayToLastNode(benchmark::State& state) {
    const TAnalysed analysed(bench::GeneratedWorkload(TenMegabytes));
    const TPlayScript script(analysed.Ws, {analysed.Script, {}, nullptr});
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindWayTo(script, script.NodeCount() - 1));
    }
    NodesPerSecond(state, script.NodeCount());
}

BENCHMARK(ReadForPlay)->Unit(benchmark::kMillisecond);
BENCHMARK(Quicktest)->Unit(benchmark::kMillisecond);
BENCHMARK(WayToLastNode)->Unit(benchmark::kMillisecond);

} // namespace

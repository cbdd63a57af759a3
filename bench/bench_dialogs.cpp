// Build Dialog Tree on generated scripts: time per build and tree items per second. The items
// per second stay flat from small to large scripts when the build is linear in its output.

#include "workload.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "analysis/workspace.h"
#include "dialogtree/dialog_tree.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace dialoscope;

void BuildDialogTree(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    TNullPort port;
    TWorkspace ws(port);
    ws.ScriptsLstPath = folder + "/scripts.lst";
    mnLoadClick(ws, folder + "/talk.ipp");
    sbRestartClick(ws);
    for (auto _ : state) {
        Button4Click(ws);
        benchmark::DoNotOptimize(ws.DialogsTree.Count());
    }
    const auto items = static_cast<std::int64_t>(ws.DialogsTree.Count());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * items);
    state.counters["tree_items"] = static_cast<double>(items);
    state.counters["nodes"] = static_cast<double>(ws.NodeCount());
}

BENCHMARK_CAPTURE(BuildDialogTree, nodes_250, std::string("--nodes 250"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildDialogTree, nodes_1000, std::string("--nodes 1000"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildDialogTree, nodes_4000, std::string("--nodes 4000"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildDialogTree, target_mb_10, std::string("--target-mb 10"))
    ->Unit(benchmark::kMillisecond);

} // namespace

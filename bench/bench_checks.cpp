// The checks on a generated 10 MB script beside Analyze of the same script: the checks should
// cost about what Analyze costs, or less.

#include "workload.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "analysis/workspace.h"
#include "checks/message_texts.h"
#include "checks/run_checks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace dialoscope;

const std::string TenMegabytes = "--target-mb 10";

void LoadWorkload(TWorkspace& ws, const std::string& folder) {
    ws.ScriptsLstPath = folder + "/scripts.lst";
    mnLoadClick(ws, folder + "/talk.ipp");
}

void Analyze(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    TNullPort port;
    TWorkspace ws(port);
    LoadWorkload(ws, folder);
    for (auto _ : state) {
        sbRestartClick(ws);
        benchmark::DoNotOptimize(ws.NodeCount());
    }
    state.counters["nodes"] = static_cast<double>(ws.NodeCount());
}

void RunAllChecks(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    TNullPort port;
    TWorkspace ws(port);
    LoadWorkload(ws, folder);
    sbRestartClick(ws);
    const TCheckOptions checkOptions{folder + "/talk.ipp", nullptr, ""};
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = RunChecks(ws, checkOptions).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["nodes"] = static_cast<double>(ws.NodeCount());
    state.counters["findings"] = static_cast<double>(findings);
}

// The translation comparison on its own, the message file against itself (every entry
// "untranslated"): the worst case for findings.
void CompareWithItself(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    TNullPort port;
    TWorkspace ws(port);
    LoadWorkload(ws, folder);
    sbRestartClick(ws);
    TLineStore original;
    original.LoadFromFile(folder + "/talk.msg");
    const TCheckOptions checkOptions{folder + "/talk.ipp", &original, folder + "/talk.msg"};
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = RunMessageFileChecks(ws, checkOptions).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}

// Every General View caption as "Show Message Texts" shows it: what the window's toggle and a
// Tree Save with texts cost.
void ShowAllTexts(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    TNullPort port;
    TWorkspace ws(port);
    LoadWorkload(ws, folder);
    sbRestartClick(ws);
    for (auto _ : state) {
        TMessageTexts texts(ws, folder + "/talk.ipp");
        const TOutlineTree shown = ShownTree(ws.GeneralView, texts, TShowTexts::On);
        benchmark::DoNotOptimize(shown.Count());
    }
    state.counters["items"] = static_cast<double>(ws.GeneralView.Count());
}

BENCHMARK_CAPTURE(Analyze, target_mb_10, TenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunAllChecks, target_mb_10, TenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CompareWithItself, target_mb_10, TenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllTexts, target_mb_10, TenMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

// Load and Analyze on generated scripts, the whole path of `dialoscope-cli listing`: read the
// three files, parse the message file and scripts.lst, scan, list every token and analyse every
// node. MB/s is over the script's bytes.

#include "workload.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "analysis/port.h"
#include "analysis/workspace.h"
#include "pipeline/script_pipeline.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

using namespace dialoscope;

// Counts what a pane would receive, so that the listing lines are really built and handed over.
class TCountingPort : public TNullPort {
public:
    void AppendOutput(std::string_view line) override {
        ++Lines;
        Bytes += line.size() + 2;
    }
    std::int64_t Lines = 0;
    std::int64_t Bytes = 0;
};

void LoadAndAnalyze(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    const std::string script = folder + "/talk.ipp";
    const auto scriptBytes = static_cast<std::int64_t>(std::filesystem::file_size(script));
    TCountingPort port;
    std::int32_t nodes = 0;
    for (auto _ : state) {
        TWorkspace ws(port);
        ws.ScriptsLstPath = folder + "/scripts.lst";
        LoadScript(ws, script);
        AnalyzeScript(ws);
        nodes = ws.NodeCount();
        benchmark::DoNotOptimize(nodes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * scriptBytes);
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["listing_lines"] =
        static_cast<double>(port.Lines) / static_cast<double>(state.iterations());
}

// Analyze alone, on a script loaded once: what the Analyze command costs in the window.
void AnalyzeOnly(benchmark::State& state, const std::string& options) {
    const std::string folder = bench::GeneratedWorkload(options);
    const std::string script = folder + "/talk.ipp";
    TCountingPort port;
    TWorkspace ws(port);
    ws.ScriptsLstPath = folder + "/scripts.lst";
    LoadScript(ws, script);
    for (auto _ : state) {
        AnalyzeScript(ws);
        benchmark::DoNotOptimize(ws.NodeCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(ws.ScriptStream.Size()));
    state.counters["nodes"] = static_cast<double>(ws.NodeCount());
}

BENCHMARK_CAPTURE(LoadAndAnalyze, mb_1, std::string("--target-mb 1"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAndAnalyze, mb_10, std::string("--target-mb 10"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAndAnalyze, mb_10_nodes_1000, std::string("--target-mb 10 --max-nodes 1000"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzeOnly, mb_10, std::string("--target-mb 10"))->Unit(benchmark::kMillisecond);

} // namespace

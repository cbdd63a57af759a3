// The project's scanner against a flex-generated scanner for the same token rules, on the same
// in-memory workload in the same run.

#include "flex_baseline.h"
#include "workload.h"

#include "scanner/dialog_script_config.h"
#include "scanner/scanner.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {

using namespace dialoscope;

const std::string& Workload() {
    static const std::string bytes =
        bench::ReadWholeFile(bench::GeneratedWorkload("--target-mb 10") + "/talk.ipp");
    return bytes;
}

void BM_FlexCountTokens(benchmark::State& state) {
    const std::string& bytes = Workload();
    long tokens = 0;
    for (auto _ : state) {
        tokens = BaselineCountTokens(bytes.data(), static_cast<int>(bytes.size()));
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["tokens"] = static_cast<double>(tokens);
}
BENCHMARK(BM_FlexCountTokens)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TScannerScanIntoList(benchmark::State& state) {
    TMemoryStream stream;
    stream.Bytes = Workload();
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    for (auto _ : state) {
        scanner.ScanStream(stream);
        benchmark::DoNotOptimize(scanner.TokenCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.Bytes.size()));
    state.counters["tokens"] = static_cast<double>(scanner.TokenCount());
}
BENCHMARK(BM_TScannerScanIntoList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The CPU time of this thread: on a busy machine the wall clock also counts the time other
// processes ran, which would make either side look slower at random.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both scanners timed back to back in one benchmark, in CPU time, so the ratio compares like
// with like even on a busy machine: ratio = TScanner time / flex time (<= 1.0 means TScanner is
// faster).
void BM_RatioTScannerToFlex(benchmark::State& state) {
    const std::string& bytes = Workload();
    TMemoryStream stream;
    stream.Bytes = bytes;
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    double flexSeconds = 0;
    double scannerSeconds = 0;
    for (auto _ : state) {
        const double t0 = ThreadCpuSeconds();
        benchmark::DoNotOptimize(BaselineCountTokens(bytes.data(), static_cast<int>(bytes.size())));
        const double t1 = ThreadCpuSeconds();
        scanner.ScanStream(stream);
        benchmark::DoNotOptimize(scanner.TokenCount());
        const double t2 = ThreadCpuSeconds();
        flexSeconds += t1 - t0;
        scannerSeconds += t2 - t1;
    }
    state.counters["ratio"] = scannerSeconds / flexSeconds;
    state.counters["flex_MBps"] =
        static_cast<double>(state.iterations() * bytes.size()) / flexSeconds / 1e6;
    state.counters["scanner_MBps"] =
        static_cast<double>(state.iterations() * bytes.size()) / scannerSeconds / 1e6;
}
BENCHMARK(BM_RatioTScannerToFlex)->Unit(benchmark::kMillisecond)->MinTime(4.0);

} // namespace

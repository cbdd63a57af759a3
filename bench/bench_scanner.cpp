// Scanning a generated 10 MB dialog script into the token list: bytes and tokens per second.

#include "workload.h"

#include "scanner/dialog_script_config.h"
#include "scanner/scanner.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dialoscope;

const TMemoryStream& Workload() {
    static const TMemoryStream stream = [] {
        TMemoryStream loaded;
        loaded.Bytes =
            bench::ReadWholeFile(bench::GeneratedWorkload("--target-mb 10") + "/talk.ipp");
        return loaded;
    }();
    return stream;
}

void ReportRates(benchmark::State& state, std::size_t bytes, std::int32_t tokens) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["tokens_per_second"] =
        benchmark::Counter(static_cast<double>(tokens) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// One scanner scanning again and again: the token list keeps its capacity between scans.
void BM_ScanStream(benchmark::State& state) {
    TMemoryStream stream = Workload();
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    for (auto _ : state) {
        scanner.ScanStream(stream);
        benchmark::DoNotOptimize(scanner.TokenCount());
    }
    ReportRates(state, stream.Size(), scanner.TokenCount());
}
BENCHMARK(BM_ScanStream)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A first scan: the list grows from nothing and is given back afterwards.
void BM_ScanStreamIntoFreshList(benchmark::State& state) {
    TMemoryStream stream = Workload();
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    std::int32_t tokens = 0;
    for (auto _ : state) {
        scanner.ClearTokens();
        scanner.ScanStream(stream);
        tokens = scanner.TokenCount();
        benchmark::DoNotOptimize(tokens);
    }
    ReportRates(state, stream.Size(), tokens);
}
BENCHMARK(BM_ScanStreamIntoFreshList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The walk the analysis makes over the list: kind and text of every token.
void BM_WalkKindsAndTexts(benchmark::State& state) {
    TMemoryStream stream = Workload();
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    scanner.ScanStream(stream);
    for (auto _ : state) {
        std::size_t sum = 0;
        for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
            sum += static_cast<std::size_t>(scanner.KindAt(i)) + scanner.TextAt(i).size();
        }
        benchmark::DoNotOptimize(sum);
    }
    ReportRates(state, stream.Size(), scanner.TokenCount());
}
BENCHMARK(BM_WalkKindsAndTexts)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The same scan with a handler set, so every token goes through the working token.
void BM_ScanStreamWithHandler(benchmark::State& state) {
    TMemoryStream stream = Workload();
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    scanner.SetOnTokenRead([](TScanner&, TToken&, bool&, bool&) {});
    for (auto _ : state) {
        scanner.ScanStream(stream);
        benchmark::DoNotOptimize(scanner.TokenCount());
    }
    ReportRates(state, stream.Size(), scanner.TokenCount());
}
BENCHMARK(BM_ScanStreamWithHandler)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

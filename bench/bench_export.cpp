// The export's rows (dialog order, context, texts) beside check: the rows of a node with N
// answers must grow with N, not N squared, and a generated 10 MB script must cost about what
// its checks cost.

#include "workload.h"

#include "exchange/export_scripts.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace dialoscope;

// A script whose one node offers answers answers, each with its own message.
class TWideNode {
public:
    explicit TWideNode(std::int64_t answers)
        : Folder_((std::filesystem::temp_directory_path() /
                   ("dialoscope-bench-wide-" + std::to_string(::getpid()) + "-" +
                    std::to_string(answers)))
                      .string()) {
        std::filesystem::create_directories(Folder_);
        std::string script = "script Wide('wide.msg');\r\nfunction Node; forward;\r\n"
                             "function Node;\r\nbegin\r\n  Say(Self, 1, 100);\r\n";
        std::string messages = "{100}{}{Choose.}\r\n";
        for (std::int64_t i = 0; i < answers; ++i) {
            const std::string number = std::to_string(101 + i);
            script += "  Answer(1, " + number + ", @Node);\r\n";
            messages += "{" + number + "}{v" + number + "}{Answer " + number + ".}\r\n";
        }
        script += "end;\r\nfunction Talk;\r\nbegin\r\n  OpenDialog(GetObjectID(0));\r\n"
                  "  Node;\r\nend;\r\nend.\r\n";
        Write("wide.ipp", script);
        Write("wide.msg", messages);
        Write("scripts.lst", "wide.int 1\r\n");
    }
    ~TWideNode() {
        std::error_code ignored;
        std::filesystem::remove_all(Folder_, ignored);
    }
    TWideNode(const TWideNode&) = delete;
    TWideNode& operator=(const TWideNode&) = delete;

    const std::string& Folder() const { return Folder_; }

private:
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Folder_ + "/" + name, std::ios::binary) << bytes;
    }

    std::string Folder_;
};

TExportRequest RequestFor(const std::string& folder, const std::string& script) {
    TExportRequest request;
    request.Scripts = {{folder + "/" + script + ".ipp", script}};
    request.ScriptsLst = folder + "/scripts.lst";
    return request;
}

void ExportWideNode(benchmark::State& state) {
    const TWideNode node(state.range(0));
    const TExportRequest request = RequestFor(node.Folder(), "wide");
    const TTextCodePage codePage;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = CollectExportRows(request, codePage).Rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetComplexityN(state.range(0));
}

void ExportWorkload(benchmark::State& state, const std::string& options) {
    const TExportRequest request = RequestFor(bench::GeneratedWorkload(options), "talk");
    const TTextCodePage codePage;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = CollectExportRows(request, codePage).Rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(ExportWideNode)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportWorkload, target_mb_10, std::string("--target-mb 10"))
    ->Unit(benchmark::kMillisecond);

} // namespace

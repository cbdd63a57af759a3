// The dialog graph of any script, through every export that needs no layout, each read back:
// DOT by cgraph (every vertex and edge again), JSON by nlohmann/json (the same graph again),
// Mermaid by its structure. One input is the script, its message file and scripts.lst, split at
// the lines "%%msg%%" and "%%lst%%" as the pipeline target splits them. The layout is left out:
// it runs Graphviz in a child process, which would cost more than everything else here.

#include "fuzz_support.h"
#include "graph/mermaid_shape.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "graph/dot_export.h"
#include "graph/graph_json.h"
#include "graph/graph_scope.h"
#include "graph/mermaid_export.h"

#include <graphviz/cgraph.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace dialoscope::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view MsgSeparator = "\n%%msg%%\n";
constexpr std::string_view LstSeparator = "\n%%lst%%\n";

// The bytes of input before separator (all of them when there is none); input keeps the rest.
std::string TakeUntil(std::string_view& input, std::string_view separator) {
    const std::size_t at = input.find(separator);
    const std::string part(input.substr(0, at));
    input = at == std::string_view::npos ? std::string_view() : input.substr(at + separator.size());
    return part;
}

const fs::path& WorkFolder() {
    static const fs::path folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        std::string pattern = (base / "dialoscope-fuzz-graph-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            Fail("a temporary folder can be made", pattern);
        }
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(WorkFolder(), ignored);
        });
        return fs::path(pattern);
    }();
    return folder;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Analysed as far as it goes; a script that does not load gives no graph.
bool LoadAndAnalyze(TWorkspace& ws, std::string_view input) {
    const fs::path script = WorkFolder() / "talk.ipp";
    WriteFile(script, TakeUntil(input, MsgSeparator));
    WriteFile(WorkFolder() / "talk.msg", TakeUntil(input, LstSeparator));
    WriteFile(WorkFolder() / "scripts.lst", input);
    ws.ScriptsLstPath = (WorkFolder() / "scripts.lst").string();
    try {
        mnLoadClick(ws, script.string());
    } catch (const std::exception&) {
        return false;
    }
    try {
        sbRestartClick(ws);
    } catch (const std::exception&) {
        // A stopped Analyze keeps the records it made: they make a graph too.
    }
    return true;
}

void CheckDot(const TDialogGraph& graph) {
    const std::string dot = WriteDot(graph);
    const std::unique_ptr<Agraph_t, int (*)(Agraph_t*)> read(agmemread(dot.c_str()), agclose);
    FUZZ_EXPECT(read != nullptr, "cgraph reads the DOT back", dot);
    FUZZ_EXPECT(agnnodes(read.get()) == graph.VertexCount(), "DOT keeps every vertex", dot);
    FUZZ_EXPECT(agnedges(read.get()) == static_cast<int>(graph.Edges.size()),
                "DOT keeps every edge", dot);
    const std::vector<std::string> names = DotNodeNames(graph);
    for (const std::string& name : names) {
        FUZZ_EXPECT(agnode(read.get(), const_cast<char*>(name.c_str()), 0) != nullptr,
                    "DOT keeps each vertex's name", name);
    }
}

void CheckJson(const TDialogGraph& graph) {
    const std::string json = WriteGraphJson(graph);
    FUZZ_EXPECT(nlohmann::json::accept(json), "the JSON parses", json);
    const TDialogGraph read = ReadGraphJson(json);
    FUZZ_EXPECT(read.Vertices == graph.Vertices && read.Edges == graph.Edges &&
                    read.Notes == graph.Notes,
                "the JSON reads back to the same graph", json);
}

void CheckMermaid(const TDialogGraph& graph) {
    const std::string chart = WriteMermaid(graph);
    const std::string problem = test::MermaidProblem(chart);
    FUZZ_EXPECT(problem.empty(), "the Mermaid chart holds together", problem + "\n" + chart);
}

void CheckExports(const TDialogGraph& graph) {
    CheckDot(graph);
    CheckJson(graph);
    CheckMermaid(graph);
}

// Every edge's ends are vertices; a node vertex names its record.
void CheckShape(const TDialogGraph& graph, const TWorkspace& ws) {
    for (const TGraphEdge& edge : graph.Edges) {
        FUZZ_EXPECT(edge.From >= 0 && edge.From < graph.VertexCount() && edge.To >= 0 &&
                        edge.To < graph.VertexCount(),
                    "edges join vertices", "");
    }
    for (const TGraphVertex& vertex : graph.Vertices) {
        FUZZ_EXPECT((vertex.Kind == TVertexKind::Node) ==
                        (vertex.Node >= 0 && vertex.Node < ws.NodeCount()),
                    "node vertices, and only they, name a record", vertex.Id);
    }
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dialoscope;
    static const int quiet = agseterr(AGMAX); // cgraph's complaints are the checks' to make
    (void)quiet;
    TNullPort port;
    TWorkspace ws(port);
    if (!fuzz::LoadAndAnalyze(ws, {reinterpret_cast<const char*>(data), size})) {
        return 0;
    }
    TGraphBuildOptions options;
    options.Texts = size % 2 == 0; // both ways, without a byte of the input spent on it
    const TDialogGraph whole = BuildDialogGraph(ws, options);
    fuzz::CheckShape(whole, ws);
    fuzz::CheckExports(whole);
    if (whole.VertexCount() > 0) {
        const std::int32_t root = static_cast<std::int32_t>(size % whole.Vertices.size());
        fuzz::CheckExports(SelectScope(whole, {TScopeKind::Dialog, root, 0}));
        fuzz::CheckExports(SelectScope(whole, {TScopeKind::Around, root, 1}));
    }
    return 0;
}

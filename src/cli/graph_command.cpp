#include "graph_command.h"

#include "code_page_name.h"
#include "error_lines.h"
#include "standard_output.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "dialogtree/node_index.h"
#include "graph/dot_export.h"
#include "graph/graph_json.h"
#include "graph/graph_scope.h"
#include "graph/mermaid_export.h"
#include "graph/svg_export.h"
#include "pipeline/script_pipeline.h"

#include <cstdio>

namespace dialoscope {

namespace {

// Only the message boxes are wanted; they go where the other commands put them.
class TGraphPort : public TNullPort {
public:
    void ShowMessage(std::string_view text) override { WriteErrorLine(text); }

    static void WriteErrorLine(std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
};

// A node named on the command line that the script does not have.
class EGraphNodeError : public EDialoscopeError {
public:
    EGraphNodeError(const std::string& name, const std::string& script)
        : EDialoscopeError("Node '" + name + "' is not in " + script), Name(name) {}
    std::string Name;
};

// Drawing the graph failed; what() is Graphviz's note.
class EGraphDrawError : public EDialoscopeError {
public:
    using EDialoscopeError::EDialoscopeError;
};

// Drawing a whole big script from the command line may take a while; a window would rather pick
// a dialog, a script's build would rather wait.
constexpr std::chrono::minutes SvgTimeout{10};

TGraphScope ScopeOf(const TGraphCommandOptions& options, const TWorkspace& ws,
                    const TDialogGraph& whole) {
    const std::optional<std::string>& name = options.From ? options.From : options.Around;
    if (!name) {
        return {};
    }
    const std::int32_t node = TNodeIndex(ws.Nodes).Find(*name);
    if (node < 0) {
        throw EGraphNodeError(*name, options.Script);
    }
    return {options.From ? TScopeKind::Dialog : TScopeKind::Around, whole.VertexOfNode(node),
            options.Steps};
}

std::string GraphText(const TDialogGraph& graph, const std::string& format) {
    if (format == "json") {
        return WriteGraphJson(graph);
    }
    if (format == "mermaid") {
        if (const auto note = MermaidSizeNote(graph)) {
            TGraphPort::WriteErrorLine(*note);
        }
        return WriteMermaid(graph);
    }
    if (format == "svg") {
        TLayoutOptions layout;
        layout.Timeout = SvgTimeout;
        TSvgResult svg = RenderSvg(graph, layout);
        if (svg.Status != TLayoutStatus::Done) {
            throw EGraphDrawError(svg.Note);
        }
        if (!svg.Note.empty()) {
            TGraphPort::WriteErrorLine(svg.Note);
        }
        return std::move(svg.Svg);
    }
    return WriteDot(graph);
}

TDialogGraph ScriptGraph(const TGraphCommandOptions& options) {
    TGraphPort port;
    TWorkspace ws(port);
    ws.ScriptsLstPath = options.ScriptsLst;
    LoadScript(ws, options.Script, TablesRequest);
    AnalyzeScript(ws, TablesRequest);
    const TTextDecoder decoder(options.CodePage);
    TGraphBuildOptions build;
    build.ToUtf8 = [&decoder](std::string_view bytes) { return decoder.ToUtf8(bytes); };
    build.Texts = options.Texts;
    const TDialogGraph whole = BuildDialogGraph(ws, build);
    return SelectScope(whole, ScopeOf(options, ws, whole));
}

} // namespace

int RunGraphCommand(const TGraphCommandOptions& options) {
    try {
        const TDialogGraph graph = ScriptGraph(options);
        const std::string text = GraphText(graph, options.Format);
        if (options.Format != "json") {
            for (const std::string& note : graph.Notes) {
                TGraphPort::WriteErrorLine(note);
            }
        }
        WriteStandardOutput(text);
    } catch (const std::exception& error) {
        std::fputs(ErrorLines(error, "drawing the graph").c_str(), stderr);
        return 1;
    }
    return 0;
}

} // namespace dialoscope

#include "graph_command.h"

#include "cli_port.h"
#include "error_lines.h"
#include "standard_output.h"

#include "analysis/errors.h"
#include "dialogtree/node_index.h"
#include "graph/dot_export.h"
#include "graph/graph_json.h"
#include "graph/graph_scope.h"
#include "graph/mermaid_export.h"
#include "graph/svg_export.h"
#include "pipeline/quiet_session.h"
#include "project/code_page_choice.h"

#include <cstdio>

namespace dialoscope {

namespace {

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

TGraphScope ScopeOf(const TCliCall& call, const TWorkspace& ws, const TDialogGraph& whole) {
    const std::optional<std::string>& name = call.From ? call.From : call.Around;
    if (!name) {
        return {};
    }
    const std::int32_t node = TNodeIndex(ws.Nodes).Find(*name);
    if (node < 0) {
        throw EGraphNodeError(*name, call.Script);
    }
    return {call.From ? TScopeKind::Dialog : TScopeKind::Around, whole.VertexOfNode(node),
            call.Steps};
}

std::string GraphText(const TDialogGraph& graph, const std::string& format) {
    if (format == "json") {
        return WriteGraphJson(graph);
    }
    if (format == "mermaid") {
        if (const auto note = MermaidSizeNote(graph)) {
            WriteErrorLine(*note);
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
            WriteErrorLine(svg.Note);
        }
        return std::move(svg.Svg);
    }
    return WriteDot(graph);
}

TDialogGraph ScriptGraph(const TCliCall& call) {
    TStandardErrorSink messages;
    const TSharedScript script =
        OpenScript(call.Script, ScriptsLstOf(call), TablesRequest, messages);
    const TWorkspace& ws = script->Workspace();
    TCodePageChoice codePages(call.CodePage);
    TGraphBuildOptions build;
    build.ToUtf8 = [&codePages](std::string_view bytes) {
        return codePages.For(bytes).ToUtf8(bytes);
    };
    build.Texts = call.Texts;
    const TDialogGraph whole = BuildDialogGraph(ws, build);
    return SelectScope(whole, ScopeOf(call, ws, whole));
}

} // namespace

int RunGraphCommand(const TCliCall& call) {
    try {
        const TDialogGraph graph = ScriptGraph(call);
        const std::string text = GraphText(graph, call.GraphFormat);
        if (call.GraphFormat != "json") {
            for (const std::string& note : graph.Notes) {
                WriteErrorLine(note);
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

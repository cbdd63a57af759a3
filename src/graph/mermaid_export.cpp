#include "mermaid_export.h"

#include "detail/cgraph_graph.h"
#include "drawn_text.h"

#include <algorithm>
#include <utility>

namespace dialoscope {

namespace {

std::string IdOf(std::int32_t vertex) {
    std::string id(1, 'v');
    id += std::to_string(vertex);
    return id;
}

// A line break in a label; the only markup the chart writes into one.
constexpr std::string_view LabelBreak = "<br/>";

// The characters Mermaid would read as syntax inside a quoted text, and the entity for each.
using TMermaidEntity = std::pair<char, std::string_view>;
constexpr TMermaidEntity MermaidEntities[] = {
    {'"', "#quot;"}, {'#', "#35;"},  {'<', "#lt;"}, {'>', "#gt;"},
    {'&', "#amp;"},  {'|', "#124;"}, {'`', "#96;"},
};

void WriteVertex(std::string& out, std::int32_t index, const TGraphVertex& vertex) {
    const bool start = vertex.Kind == TVertexKind::Start;
    out += "    ";
    out += IdOf(index);
    out += start ? "([\"" : "[\"";
    out += graph_detail::BoxLabel(vertex, EscapeMermaidText, LabelBreak);
    out += start ? "\"])\n" : "\"]\n";
}

std::string_view Arrow(TEdgeKind kind) {
    switch (kind) {
    case TEdgeKind::Answer:
        return "-->";
    case TEdgeKind::Call:
        return "-.->";
    case TEdgeKind::Start:
        return "==>";
    }
    return "-->";
}

void WriteEdge(std::string& out, const TGraphEdge& edge) {
    out += "    ";
    out += IdOf(edge.From);
    out += ' ';
    out += Arrow(edge.Kind);
    if (!edge.Label.empty()) {
        out += "|\"";
        out += EscapeMermaidText(edge.Label);
        out += "\"|";
    }
    out += ' ';
    out += IdOf(edge.To);
    out += '\n';
}

struct TFlagClass {
    TVertexFlag Flag;
    std::string_view Name;
    std::string_view Style;
};

// Later classes win where a vertex has several flags, as in the window.
constexpr TFlagClass FlagClasses[] = {
    {VertexUnreachable, "unreachable", "fill:#eeeeee,stroke:#999999,color:#777777"},
    {VertexDeadEnd, "deadEnd", "stroke:#ff8c00,stroke-width:2px"},
    {VertexStart, "start", "stroke:#006400,stroke-width:3px"},
    {VertexMissing, "missing", "stroke:#ff0000,stroke-dasharray:5 5,color:#ff0000"},
};

void WriteClasses(std::string& out, const TDialogGraph& graph) {
    for (const TFlagClass& flagClass : FlagClasses) {
        std::string members;
        for (std::int32_t v = 0; v < graph.VertexCount(); ++v) {
            if (graph.Vertices[static_cast<std::size_t>(v)].Flags & flagClass.Flag) {
                members += members.empty() ? "" : ",";
                members += IdOf(v);
            }
        }
        if (members.empty()) {
            continue;
        }
        out += "    classDef ";
        out += flagClass.Name;
        out += " ";
        out += flagClass.Style;
        out += "\n    class ";
        out += members;
        out += ' ';
        out += flagClass.Name;
        out += "\n";
    }
}

} // namespace

std::string EscapeMermaidText(std::string_view text) {
    const std::string drawn = DrawnText(text);
    std::string escaped;
    escaped.reserve(drawn.size());
    for (const char c : drawn) {
        const auto* entity = std::ranges::find(MermaidEntities, c, &TMermaidEntity::first);
        if (entity != std::ranges::end(MermaidEntities)) {
            escaped += entity->second;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> MermaidSizeNote(const TDialogGraph& graph) {
    if (graph.Edges.size() <= MermaidDefaultMaxEdges) {
        return std::nullopt;
    }
    return "The chart has " + std::to_string(graph.Edges.size()) +
           " edges; Mermaid draws at most " + std::to_string(MermaidDefaultMaxEdges) +
           " unless the page raises maxEdges in mermaid.initialize (a chart cannot raise it "
           "itself). --around NODE --steps N or --from NODE charts a part.";
}

std::string WriteMermaid(const TDialogGraph& graph) {
    std::string out = "flowchart TD\n";
    for (std::int32_t v = 0; v < graph.VertexCount(); ++v) {
        WriteVertex(out, v, graph.Vertices[static_cast<std::size_t>(v)]);
    }
    for (const TGraphEdge& edge : graph.Edges) {
        WriteEdge(out, edge);
    }
    WriteClasses(out, graph);
    return out;
}

} // namespace dialoscope

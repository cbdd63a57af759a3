#include "cgraph_graph.h"

#include "graph/dot_export.h"
#include "graph/drawn_text.h"

namespace dialoscope::graph_detail {

namespace {

int PutString(void* channel, const char* text) {
    static_cast<std::string*>(channel)->append(text);
    return 0;
}

int FlushNothing(void*) {
    return 0;
}

// cgraph's interface takes char* for names it only reads.
char* Chars(const std::string& text) {
    return const_cast<char*>(text.c_str());
}
char* Chars(const char* text) {
    return const_cast<char*>(text);
}

constexpr std::size_t BoxLineCharacters = 40;
constexpr std::size_t EdgeLabelCharacters = 30;

// The cgraph graph writes through this discipline: agwrite hands it to the std::string the
// channel points at.
Agdisc_t* StringWriteDiscipline() {
    static Agiodisc_t io{AgIoDisc.afread, PutString, FlushNothing};
    static Agdisc_t discipline{&AgMemDisc, &AgIdDisc, &io};
    return &discipline;
}

// A text as the value of a "label" attribute: its drawn characters (drawn_text.h), each
// backslash doubled, since Graphviz reads escape sequences there ("\\N" is the node's name), and
// each "&" written "&amp;", since Graphviz reads entities there too ("&amp;" would draw "&").
std::string EscapeLabel(std::string_view text) {
    const std::string drawn = DrawnText(text);
    std::string escaped;
    escaped.reserve(drawn.size());
    for (const char c : drawn) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '&') {
            escaped += "&amp;";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// The first maxCharacters characters of a UTF-8 text, "..." after a cut one.
std::string ShortText(std::string_view text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A byte that does not continue a UTF-8 sequence starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == maxCharacters) {
            return std::string(text.substr(0, i)) + "...";
        }
    }
    return std::string(text);
}

// How dot is asked to lay out a graph of so many vertices. dot's crossing minimisation and
// network simplex, and answer labels made into ranks of their own, cost far more than anything
// else on a dialog of a few hundred nodes (a generated 300-node dialog on a busy two-core machine:
// 25 s untuned, under 1 s tuned), so bigger graphs get their labels beside the edges (Graphviz
// places them after the layout), fewer iterations and, bigger still, straight pieces instead of
// curves. A picture of more than a few hundred nodes is read by zooming in, where crossings matter
// less than being there at all.
struct TDotTuning {
    bool LabelsBesideEdges; // "xlabel" instead of "label"
    const char* NsLimit;    // null: Graphviz's default
    const char* McLimit;
    const char* Splines;
};
constexpr std::int32_t FullDotVertices = 150;
constexpr std::int32_t PolylineDotVertices = 600;

TDotTuning DotTuningFor(std::int32_t vertices) {
    if (vertices <= FullDotVertices) {
        return {false, nullptr, nullptr, nullptr};
    }
    if (vertices <= PolylineDotVertices) {
        return {true, "1", "0.1", nullptr};
    }
    return {true, "0.5", "0.05", "polyline"};
}

struct TStyle {
    const char* Color;
    const char* Style;
    const char* FontColor;
};

// The strongest flag decides the look: a missing name, then a start, a dead end, unreachable.
TStyle VertexStyle(TVertexFlags flags) {
    if (flags & VertexMissing) {
        return {"red", "dashed", "red"};
    }
    if (flags & VertexStart) {
        return {"darkgreen", "bold", "black"};
    }
    if (flags & VertexDeadEnd) {
        return {"darkorange", "solid", "black"};
    }
    if (flags & VertexUnreachable) {
        return {"grey60", "solid", "grey45"};
    }
    return {"black", "solid", "black"};
}

std::string EdgeLabel(const TGraphEdge& edge) {
    return EscapeLabel(ShortText(edge.Label, EdgeLabelCharacters));
}

void SetTuning(Agraph_t* g, const TDotTuning& tuning) {
    const std::pair<const char*, const char*> attributes[] = {
        {"nslimit", tuning.NsLimit}, {"mclimit", tuning.McLimit}, {"splines", tuning.Splines}};
    for (const auto& [name, value] : attributes) {
        if (value != nullptr) {
            agattr(g, AGRAPH, Chars(name), Chars(value));
        }
    }
}

} // namespace

std::mutex& CgraphLock() {
    static std::mutex lock;
    return lock;
}

std::string BoxLabel(const TGraphVertex& vertex, std::string (*escape)(std::string_view),
                     std::string_view lineBreak) {
    std::string label = escape(vertex.Name);
    if (!vertex.Lines.empty()) {
        const TGraphLine& first = vertex.Lines.front();
        const bool hasText = first.Message && first.Message->Text;
        label += lineBreak;
        label +=
            escape(ShortText(hasText ? *first.Message->Text : first.Caption, BoxLineCharacters));
    }
    return label;
}

TCgraph MakeCgraph(const TDialogGraph& graph) {
    TCgraph made;
    made.Graph.reset(agopen(Chars("dialog"), Agdirected, StringWriteDiscipline()));
    Agraph_t* g = made.Graph.get();
    agattr(g, AGRAPH, Chars("rankdir"), Chars("TB"));
    const TDotTuning tuning = DotTuningFor(graph.VertexCount());
    SetTuning(g, tuning);
    Agsym_t* nodeLabel = agattr(g, AGNODE, Chars("label"), Chars(""));
    Agsym_t* shape = agattr(g, AGNODE, Chars("shape"), Chars("box"));
    Agsym_t* color = agattr(g, AGNODE, Chars("color"), Chars("black"));
    Agsym_t* style = agattr(g, AGNODE, Chars("style"), Chars("solid"));
    Agsym_t* fontColor = agattr(g, AGNODE, Chars("fontcolor"), Chars("black"));
    Agsym_t* edgeLabel =
        agattr(g, AGEDGE, Chars(tuning.LabelsBesideEdges ? "xlabel" : "label"), Chars(""));
    Agsym_t* edgeStyle = agattr(g, AGEDGE, Chars("style"), Chars("solid"));
    made.Nodes.reserve(graph.Vertices.size());
    const std::vector<std::string> names = DotNodeNames(graph);
    for (std::size_t v = 0; v < graph.Vertices.size(); ++v) {
        const TGraphVertex& vertex = graph.Vertices[v];
        Agnode_t* node = agnode(g, Chars(names[v]), 1);
        agxset(node, nodeLabel, Chars(BoxLabel(vertex, EscapeLabel, "\\n")));
        const TStyle look = VertexStyle(vertex.Flags);
        agxset(node, color, Chars(look.Color));
        agxset(node, style, Chars(look.Style));
        agxset(node, fontColor, Chars(look.FontColor));
        if (vertex.Kind == TVertexKind::Start) {
            agxset(node, shape, Chars("oval"));
        }
        made.Nodes.push_back(node);
    }
    made.Edges.reserve(graph.Edges.size());
    for (const TGraphEdge& edge : graph.Edges) {
        // No name: each answer is an edge of its own, even to a node another answer leads to.
        Agedge_t* e = agedge(g, made.Nodes[static_cast<std::size_t>(edge.From)],
                             made.Nodes[static_cast<std::size_t>(edge.To)], nullptr, 1);
        if (!edge.Label.empty()) {
            agxset(e, edgeLabel, Chars(EdgeLabel(edge)));
        }
        if (edge.Kind == TEdgeKind::Call) {
            agxset(e, edgeStyle, Chars("dashed"));
        }
        made.Edges.push_back(e);
    }
    return made;
}

} // namespace dialoscope::graph_detail

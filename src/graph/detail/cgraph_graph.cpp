#include "cgraph_graph.h"

#include "graph/drawn_text.h"

#include <algorithm>
#include <unordered_set>

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

} // namespace

std::mutex& CgraphLock() {
    static std::mutex lock;
    return lock;
}

Agdisc_t* StringWriteDiscipline() {
    static Agiodisc_t io{AgIoDisc.afread, PutString, FlushNothing};
    static Agdisc_t discipline{&AgMemDisc, &AgIdDisc, &io};
    return &discipline;
}

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

std::vector<std::string> DotNodeNames(const TDialogGraph& graph) {
    std::vector<std::string> names;
    names.reserve(graph.Vertices.size());
    std::unordered_set<std::string> taken;
    for (const TGraphVertex& vertex : graph.Vertices) {
        // A name is drawn as a title in SVG, where control bytes are not allowed.
        std::string base = DrawnText(vertex.Id);
        std::replace(base.begin(), base.end(), '\\', '/');
        if (base.starts_with('%')) {
            base.insert(0, 1, '_'); // cgraph keeps "%..." for names of its own making
        }
        std::string name = base;
        for (int n = 2; taken.contains(name); ++n) {
            name = base + " #" + std::to_string(n);
        }
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

TDotTuning DotTuningFor(std::int32_t vertices) {
    if (vertices <= FullDotVertices) {
        return {false, nullptr, nullptr, nullptr};
    }
    if (vertices <= PolylineDotVertices) {
        return {true, "1", "0.1", nullptr};
    }
    return {true, "0.5", "0.05", "polyline"};
}

namespace {

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

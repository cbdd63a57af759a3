#include "dialog_graph.h"

#include <algorithm>

namespace dialoscope {

std::int32_t TDialogGraph::FindVertex(std::string_view id) const {
    const auto found = std::ranges::find(Vertices, id, &TGraphVertex::Id);
    return found == Vertices.end() ? -1 : static_cast<std::int32_t>(found - Vertices.begin());
}

std::int32_t TDialogGraph::VertexOfNode(std::int32_t node) const {
    if (node < 0) {
        return -1;
    }
    // A whole script's graph keeps node i as vertex i.
    const auto at = static_cast<std::size_t>(node);
    if (at < Vertices.size() && Vertices[at].Node == node) {
        return node;
    }
    const auto found = std::ranges::find(Vertices, node, &TGraphVertex::Node);
    return found == Vertices.end() ? -1 : static_cast<std::int32_t>(found - Vertices.begin());
}

std::string_view KindWord(TVertexKind kind) {
    switch (kind) {
    case TVertexKind::Node:
        return "node";
    case TVertexKind::Missing:
        return "missing";
    case TVertexKind::Start:
        return "start";
    }
    return "node";
}

std::string_view KindWord(TEdgeKind kind) {
    switch (kind) {
    case TEdgeKind::Answer:
        return "answer";
    case TEdgeKind::Call:
        return "call";
    case TEdgeKind::Start:
        return "start";
    }
    return "answer";
}

std::vector<std::string_view> FlagWords(TVertexFlags flags) {
    static constexpr std::pair<TVertexFlag, std::string_view> Words[] = {
        {VertexStart, "start"},
        {VertexUnreachable, "unreachable"},
        {VertexDeadEnd, "dead-end"},
        {VertexMissing, "missing"},
    };
    std::vector<std::string_view> words;
    for (const auto& [flag, word] : Words) {
        if (flags & flag) {
            words.push_back(word);
        }
    }
    return words;
}

std::string RefText(const TMsgRef& ref) {
    switch (ref.Kind) {
    case TMsgRefKind::Single:
        return std::to_string(ref.Number);
    case TMsgRefKind::Range:
        return std::to_string(ref.First()) + "-" + std::to_string(ref.Last());
    case TMsgRefKind::OtherScript:
        return std::to_string(ref.Script) + ":" + std::to_string(ref.Number);
    case TMsgRefKind::Literal:
        return {};
    }
    return {};
}

} // namespace dialoscope

#include "graph_json.h"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <unordered_map>

namespace dialoscope {

namespace {

// Ordered: the keys keep the order written, so a reader sees "id" and "name" first.
using json = nlohmann::ordered_json;

json MessageJson(const std::optional<TGraphMessage>& message) {
    if (!message) {
        return nullptr;
    }
    if (message->Ref.Kind == TMsgRefKind::Single) {
        return message->Ref.Number;
    }
    return RefText(message->Ref);
}

void AddMessage(json& object, const std::optional<TGraphMessage>& message) {
    object["message"] = MessageJson(message);
    if (message && message->Text) {
        object["text"] = *message->Text;
    }
}

json VertexJson(const TGraphVertex& vertex) {
    json lines = json::array();
    for (const TGraphLine& line : vertex.Lines) {
        json item = {{"caption", line.Caption}};
        AddMessage(item, line.Message);
        lines.push_back(std::move(item));
    }
    return {{"id", vertex.Id},
            {"name", vertex.Name},
            {"kind", KindWord(vertex.Kind)},
            {"node", vertex.Node >= 0 ? json(vertex.Node) : json(nullptr)},
            {"line", vertex.Line},
            {"flags", FlagWords(vertex.Flags)},
            {"lines", std::move(lines)}};
}

json EdgeJson(const TDialogGraph& graph, const TGraphEdge& edge) {
    json object = {{"from", graph.Vertices[static_cast<std::size_t>(edge.From)].Id},
                   {"to", graph.Vertices[static_cast<std::size_t>(edge.To)].Id},
                   {"kind", KindWord(edge.Kind)},
                   {"label", edge.Label}};
    AddMessage(object, edge.Message);
    object["line"] = edge.Line;
    return object;
}

std::optional<TGraphMessage> ReadMessage(const json& object) {
    const json& message = object.at("message");
    if (message.is_null()) {
        return std::nullopt;
    }
    TGraphMessage read;
    read.Ref = message.is_number() ? TMsgRef{TMsgRefKind::Single, message.get<std::int32_t>(), 0, 0}
                                   : ReadMsgRef(message.get<std::string>());
    if (object.contains("text")) {
        read.Text = object.at("text").get<std::string>();
    }
    return read;
}

template <typename TEnum> TEnum ReadWord(const json& word, std::initializer_list<TEnum> choices) {
    for (const TEnum choice : choices) {
        if (KindWord(choice) == word.get<std::string>()) {
            return choice;
        }
    }
    throw std::invalid_argument("unknown kind " + word.dump());
}

TVertexFlags ReadFlags(const json& words) {
    TVertexFlags flags = 0;
    for (const TVertexFlag flag : {VertexStart, VertexUnreachable, VertexDeadEnd, VertexMissing}) {
        for (const json& word : words) {
            if (FlagWords(flag).front() == word.get<std::string>()) {
                flags |= flag;
            }
        }
    }
    return flags;
}

TGraphVertex ReadVertex(const json& object) {
    TGraphVertex vertex;
    vertex.Id = object.at("id").get<std::string>();
    vertex.Name = object.at("name").get<std::string>();
    vertex.Kind =
        ReadWord(object.at("kind"), {TVertexKind::Node, TVertexKind::Missing, TVertexKind::Start});
    vertex.Node = object.at("node").is_null() ? -1 : object.at("node").get<std::int32_t>();
    vertex.Line = object.at("line").get<std::int32_t>();
    vertex.Flags = ReadFlags(object.at("flags"));
    for (const json& line : object.at("lines")) {
        vertex.Lines.push_back(
            TGraphLine{line.at("caption").get<std::string>(), ReadMessage(line)});
    }
    return vertex;
}

} // namespace

std::string WriteGraphJson(const TDialogGraph& graph) {
    json vertices = json::array();
    for (const TGraphVertex& vertex : graph.Vertices) {
        vertices.push_back(VertexJson(vertex));
    }
    json edges = json::array();
    for (const TGraphEdge& edge : graph.Edges) {
        edges.push_back(EdgeJson(graph, edge));
    }
    const json document = {
        {"notes", graph.Notes}, {"vertices", std::move(vertices)}, {"edges", std::move(edges)}};
    // The texts are UTF-8 already; a decoder that let a bad byte through gives U+FFFD, not a
    // failed export.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

TDialogGraph ReadGraphJson(std::string_view text) {
    const json document = json::parse(text);
    TDialogGraph graph;
    graph.Notes = document.at("notes").get<std::vector<std::string>>();
    std::unordered_map<std::string, std::int32_t> byId;
    for (const json& vertex : document.at("vertices")) {
        graph.Vertices.push_back(ReadVertex(vertex));
        byId.emplace(graph.Vertices.back().Id, graph.VertexCount() - 1);
    }
    const auto vertexOf = [&](const json& id) {
        const auto found = byId.find(id.get<std::string>());
        if (found == byId.end()) {
            throw std::invalid_argument("an edge names no vertex: " + id.dump());
        }
        return found->second;
    };
    for (const json& edge : document.at("edges")) {
        graph.Edges.push_back(TGraphEdge{
            vertexOf(edge.at("from")), vertexOf(edge.at("to")),
            ReadWord(edge.at("kind"), {TEdgeKind::Answer, TEdgeKind::Call, TEdgeKind::Start}),
            edge.at("label").get<std::string>(), ReadMessage(edge),
            edge.at("line").get<std::int32_t>()});
    }
    return graph;
}

} // namespace dialoscope

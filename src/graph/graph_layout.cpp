#include "graph_layout.h"

#include "detail/child_process.h"
#include "detail/graphviz_run.h"

#include <nlohmann/json.hpp>

namespace dialoscope {

namespace {

using graph_detail::TChildResult;
using graph_detail::TChildStatus;
using nlohmann::json;

constexpr double PointsPerInch = 72;

// Graphviz's y grows upwards from the bounding box's lower left corner.
class TFlip {
public:
    explicit TFlip(const boxf& box) : Box_(box) {}
    json operator()(const pointf& p) const { return {p.x - Box_.LL.x, Box_.UR.y - p.y}; }

private:
    boxf Box_;
};

json BoxJson(Agnode_t* node, const TFlip& flip) {
    json box = flip(ND_coord(node));
    box.push_back(ND_width(node) * PointsPerInch);
    box.push_back(ND_height(node) * PointsPerInch);
    return box;
}

json CurveJson(Agedge_t* edge, const TFlip& flip) {
    json curve = {{"p", json::array()}, {"tip", nullptr}, {"label", nullptr}};
    if (const splines* spline = ED_spl(edge); spline != nullptr && spline->size > 0) {
        const bezier& piece = spline->list[0];
        for (int i = 0; i < piece.size; ++i) {
            curve["p"].push_back(flip(piece.list[i]));
        }
        if (piece.eflag) {
            curve["tip"] = flip(piece.ep);
        }
    }
    // A big graph's labels lie beside its edges (see TDotTuning in detail/cgraph_graph.cpp).
    const textlabel_t* label = ED_label(edge) != nullptr ? ED_label(edge) : ED_xlabel(edge);
    if (label != nullptr && label->set) {
        json place = flip(label->pos);
        place.push_back(label->dimen.x);
        place.push_back(label->dimen.y);
        curve["label"] = std::move(place);
    }
    return curve;
}

// In the child: the layout as MessagePack, the compact form of the JSON the parent reads.
std::string LayOutInChild(const TDialogGraph& graph, const std::string& engine) {
    const graph_detail::TGraphvizRun run(graph, engine);
    Agraph_t* g = run.Graph().Graph.get();
    const TFlip flip(GD_bb(g));
    json layout = {{"w", GD_bb(g).UR.x - GD_bb(g).LL.x},
                   {"h", GD_bb(g).UR.y - GD_bb(g).LL.y},
                   {"boxes", json::array()},
                   {"edges", json::array()}};
    for (Agnode_t* node : run.Graph().Nodes) {
        layout["boxes"].push_back(BoxJson(node, flip));
    }
    for (Agedge_t* edge : run.Graph().Edges) {
        layout["edges"].push_back(CurveJson(edge, flip));
    }
    const std::vector<std::uint8_t> bytes = json::to_msgpack(layout);
    return std::string(bytes.begin(), bytes.end());
}

TLayoutPoint PointOf(const json& pair) {
    return {pair.at(0).get<double>(), pair.at(1).get<double>()};
}

TEdgeCurve ReadCurve(const json& object) {
    TEdgeCurve curve;
    for (const json& point : object.at("p")) {
        curve.Points.push_back(PointOf(point));
    }
    if (!object.at("tip").is_null()) {
        curve.ArrowTip = PointOf(object.at("tip"));
    }
    if (const json& label = object.at("label"); !label.is_null()) {
        curve.LabelCenter = PointOf(label);
        curve.LabelWidth = label.at(2).get<double>();
        curve.LabelHeight = label.at(3).get<double>();
    }
    return curve;
}

TGraphLayout ReadLayout(const std::string& bytes, const TDialogGraph& graph) {
    const json layout = json::from_msgpack(bytes);
    TGraphLayout read;
    read.Width = layout.at("w").get<double>();
    read.Height = layout.at("h").get<double>();
    for (const json& box : layout.at("boxes")) {
        read.Boxes.push_back(
            TVertexBox{PointOf(box), box.at(2).get<double>(), box.at(3).get<double>()});
    }
    for (const json& edge : layout.at("edges")) {
        read.Edges.push_back(ReadCurve(edge));
    }
    if (read.Boxes.size() != graph.Vertices.size() || read.Edges.size() != graph.Edges.size()) {
        throw std::runtime_error("the layout does not match the graph");
    }
    return read;
}

std::string Seconds(std::chrono::milliseconds time) {
    return std::to_string(time.count() / 1000) + " s";
}

// The note of a layout that ended without a map.
std::string EndNote(const TChildResult& child, std::chrono::milliseconds timeout) {
    switch (child.Status) {
    case TChildStatus::Done:
        return {};
    case TChildStatus::Failed:
        return "Graphviz could not lay out this graph (" + child.Why +
               "); pick a dialog or a smaller neighbourhood.";
    case TChildStatus::TimedOut:
        return "The layout took longer than " + Seconds(timeout) +
               " and was stopped; pick a dialog or a smaller neighbourhood.";
    case TChildStatus::Cancelled:
        return "The layout was cancelled.";
    }
    return {};
}

TLayoutStatus StatusOf(TChildStatus status) {
    switch (status) {
    case TChildStatus::Done:
        return TLayoutStatus::Done;
    case TChildStatus::Failed:
        return TLayoutStatus::Failed;
    case TChildStatus::TimedOut:
        return TLayoutStatus::TimedOut;
    case TChildStatus::Cancelled:
        return TLayoutStatus::Cancelled;
    }
    return TLayoutStatus::Failed;
}

void AddNote(std::string& notes, const std::string& note) {
    if (!note.empty()) {
        notes += (notes.empty() ? "" : " ") + note;
    }
}

} // namespace

std::string_view EngineName(TLayoutEngine engine) {
    return engine == TLayoutEngine::Sfdp ? "sfdp" : "dot";
}

TLayoutEngine ChooseEngine(const TDialogGraph& graph, TLayoutEngine wanted, std::string& note) {
    note.clear();
    if (wanted != TLayoutEngine::Auto) {
        return wanted;
    }
    if (graph.VertexCount() <= DotVertexLimit) {
        return TLayoutEngine::Dot;
    }
    note = "The map has " + std::to_string(graph.VertexCount()) +
           " boxes, more than the top-to-bottom layout draws in good time: it is laid out "
           "without ranks. Pick a dialog for the top-to-bottom map.";
    return TLayoutEngine::Sfdp;
}

TLayoutResult LayOutDialogGraph(const TDialogGraph& graph, const TLayoutOptions& options,
                                std::stop_token stop) {
    TLayoutResult result;
    const TLayoutEngine engine = ChooseEngine(graph, options.Engine, result.Note);
    const std::string engineName(EngineName(engine));
    const TChildResult child = graph_detail::RunInChildProcess(
        [&] { return LayOutInChild(graph, engineName); }, options.Timeout, stop);
    result.Status = StatusOf(child.Status);
    AddNote(result.Note, EndNote(child, options.Timeout));
    if (child.Status != TChildStatus::Done) {
        return result;
    }
    try {
        result.Layout = ReadLayout(child.Output, graph);
        result.Layout.Engine = engineName;
    } catch (const std::exception& error) {
        result.Status = TLayoutStatus::Failed;
        AddNote(result.Note, std::string("The layout could not be read: ") + error.what());
    }
    return result;
}

} // namespace dialoscope

// BuildDialogGraph: the node records, the dialog starts and the dialog-health findings of an
// analysed script made into one TDialogGraph.

#include "dialog_graph.h"

#include "detail/graph_texts.h"

#include "analysis/use_runs.h"
#include "checks/dialog_health.h"
#include "checks/script_places.h"
#include "dialogtree/node_index.h"
#include "text/code_page.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace dialoscope {

namespace {

using graph_detail::TGraphTexts;

const TUtf8Decoder& DefaultDecoder() {
    static const TTextCodePage codePage;
    static const TUtf8Decoder decoder = [](std::string_view bytes) {
        return codePage.ToUtf8(bytes);
    };
    return decoder;
}

std::string LinePlace(std::int32_t line) {
    return " (line " + std::to_string(line) + ")";
}

class TGraphBuilder {
public:
    TGraphBuilder(const TWorkspace& ws, const TGraphBuildOptions& options)
        : Ws_(ws), ToUtf8_(options.ToUtf8 ? options.ToUtf8 : DefaultDecoder()), Names_(ws.Nodes) {
        if (options.Texts) {
            Texts_.emplace(ws.MsgRich, ToUtf8_);
        }
    }

    TDialogGraph Build() {
        AddNodeVertices();
        AddStarts();
        for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
            AddNodeEdges(static_cast<std::int32_t>(i));
        }
        MarkHealth();
        MakeIdsUnique();
        return std::move(Graph_);
    }

private:
    std::int32_t AddVertex(TGraphVertex vertex) {
        Graph_.Vertices.push_back(std::move(vertex));
        return Graph_.VertexCount() - 1;
    }

    // The graph keeps a reversed range in number order, as every format draws it, so that a
    // graph read back from its JSON is the graph that was written.
    static TMsgRef InNumberOrder(TMsgRef ref) {
        if (ref.IsReversed()) {
            std::swap(ref.Number, ref.High);
        }
        return ref;
    }

    // A line's or an answer's message: its first part as a value, and with texts the texts of
    // all its parts, joined with a blank, as a concatenation says them one after another.
    std::optional<TGraphMessage> MessageOf(const TNodeKeep& node, const TUseRun& run) const {
        if (run.First < 0) {
            return std::nullopt;
        }
        const TMsgUse first = node.Lists.MsgUse(run.First);
        if (first.Value.Kind == TMsgRefKind::Literal) {
            return std::nullopt;
        }
        TGraphMessage message{InNumberOrder(first.Value), std::nullopt};
        if (Texts_) {
            message.Text = JoinedText(node, run, IsAnswerUse(first));
        }
        return message;
    }

    std::optional<std::string> JoinedText(const TNodeKeep& node, const TUseRun& run,
                                          bool answer) const {
        std::optional<std::string> joined;
        for (std::int32_t j = run.First; j < run.End; ++j) {
            const TMsgUse use = node.Lists.MsgUse(j);
            if (IsAnswerUse(use) != answer) {
                continue;
            }
            if (const std::optional<std::string> text = Texts_->TextOf(use.Value)) {
                joined = joined ? *joined + " " + *text : *text;
            }
        }
        return joined;
    }

    // Node i is vertex i: the node vertices come first, in record order.
    void AddNodeVertices() {
        Graph_.Vertices.reserve(Ws_.Nodes.size());
        for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
            const TNodeKeep& node = Ws_.Nodes[i];
            TGraphVertex vertex;
            vertex.Name = ToUtf8_(node.Name);
            vertex.Id = vertex.Name;
            if (Names_.Find(node.Name) != static_cast<std::int32_t>(i)) {
                vertex.Id += LinePlace(node.Line); // an earlier record of a name used again
            }
            vertex.Node = static_cast<std::int32_t>(i);
            vertex.Line = node.Line;
            const std::vector<TUseRun> runs = UseRunsOfLines(node.Lists);
            for (std::int32_t j = 0; j < node.LineCount(); ++j) {
                vertex.Lines.push_back(TGraphLine{ToUtf8_(node.Lists.Line(j)),
                                                  MessageOf(node, runs[static_cast<size_t>(j)])});
            }
            AddVertex(std::move(vertex));
        }
    }

    // The vertex a name leads to: the node it stands for, else its missing vertex.
    std::int32_t TargetVertex(std::string_view name) {
        const std::int32_t node = Names_.Find(name);
        if (node >= 0) {
            return node;
        }
        const auto known = Missing_.find(name);
        if (known != Missing_.end()) {
            return known->second;
        }
        TGraphVertex vertex;
        vertex.Kind = TVertexKind::Missing;
        vertex.Name = ToUtf8_(name);
        vertex.Id = vertex.Name;
        vertex.Flags = VertexMissing;
        const std::int32_t index = AddVertex(std::move(vertex));
        Missing_.emplace(name, index);
        return index;
    }

    void AddEdge(TGraphEdge edge) { Graph_.Edges.push_back(std::move(edge)); }

    void AddStarts() {
        const std::vector<TDialogStart> starts = FindDialogStarts(Ws_.Scanner);
        if (starts.empty()) {
            Graph_.Notes.emplace_back(NoDialogStartNote);
        }
        for (const TDialogStart& start : starts) {
            TGraphVertex vertex;
            vertex.Kind = TVertexKind::Start;
            vertex.Name = "OpenDialog";
            vertex.Id = vertex.Name + LinePlace(start.OpenDialogLine);
            vertex.Line = start.OpenDialogLine;
            vertex.Flags = VertexStart;
            const std::int32_t from = AddVertex(std::move(vertex));
            const std::int32_t to = TargetVertex(start.Name);
            Graph_.Vertices[static_cast<std::size_t>(to)].Flags |= VertexStart;
            AddEdge(TGraphEdge{from, to, TEdgeKind::Start, {}, std::nullopt, start.OpenDialogLine});
        }
    }

    void AddNodeEdges(std::int32_t from) {
        const TNodeKeep& node = Ws_.Nodes[static_cast<std::size_t>(from)];
        const std::vector<TUseRun> runs = UseRunsOfAnswers(node.Lists);
        for (std::int32_t j = 0; j < node.AnswerCount(); ++j) {
            const TAnswer answer = node.Lists.Answer(j);
            TGraphEdge edge{from,
                            TargetVertex(answer.Target),
                            TEdgeKind::Answer,
                            ToUtf8_(answer.Caption),
                            MessageOf(node, runs[static_cast<size_t>(j)]),
                            answer.Line};
            if (edge.Message && edge.Message->Text) {
                edge.Label = *edge.Message->Text;
            }
            AddEdge(std::move(edge));
        }
        for (std::int32_t j = 0; j < node.JumpCount(); ++j) {
            AddEdge(TGraphEdge{from,
                               TargetVertex(node.Lists.Jump(j)),
                               TEdgeKind::Call,
                               {},
                               std::nullopt,
                               node.Lists.JumpLine(j)});
        }
    }

    // The flags are the dialog-health findings themselves, so the map and "check" never
    // disagree about a node.
    void MarkHealth() {
        std::vector<TFinding> findings;
        CheckDialogHealth(Ws_, {}, findings);
        for (const TFinding& finding : findings) {
            if (finding.Node < 0) {
                continue;
            }
            TGraphVertex& vertex = Graph_.Vertices[static_cast<std::size_t>(finding.Node)];
            if (finding.Kind == TFindingKind::UnreachableNode) {
                vertex.Flags |= VertexUnreachable;
            } else if (finding.Kind == TFindingKind::DeadEnd) {
                vertex.Flags |= VertexDeadEnd;
            }
        }
    }

    // Decoding may give two different byte names one text (bytes the code page leaves
    // undefined all become U+FFFD), so a later vertex whose id is taken gets a number.
    void MakeIdsUnique() {
        std::unordered_set<std::string> taken;
        taken.reserve(Graph_.Vertices.size());
        for (TGraphVertex& vertex : Graph_.Vertices) {
            std::string id = vertex.Id;
            for (int n = 2; taken.contains(id); ++n) {
                id = vertex.Id + " #" + std::to_string(n);
            }
            vertex.Id = id;
            taken.insert(std::move(id));
        }
    }

    const TWorkspace& Ws_;
    const TUtf8Decoder& ToUtf8_;
    TNodeIndex Names_;
    std::optional<TGraphTexts> Texts_;
    std::unordered_map<std::string_view, std::int32_t> Missing_; // raw name -> vertex
    TDialogGraph Graph_;
};

} // namespace

TDialogGraph BuildDialogGraph(const TWorkspace& ws, const TGraphBuildOptions& options) {
    return TGraphBuilder(ws, options).Build();
}

} // namespace dialoscope

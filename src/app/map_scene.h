#pragma once
// The Dialog Map's drawing: a laid-out dialog graph as QGraphicsScene items. A box per vertex
// with the node's name and its first line, framed and filled by what the dialog-health checks
// say of it (a start's frame green, unreachable grey, a dead end orange, a missing target a red
// dashed box); an edge per answer, call (dashed) and dialog start along Graphviz's spline, with
// its arrowhead and its label. Scene units are Graphviz's points, y growing downwards.

#include "graph/dialog_graph.h"
#include "graph/graph_layout.h"

#include <QGraphicsItem>

#include <cstdint>
#include <vector>

class QGraphicsScene;

namespace dialoscope {

// The colours the boxes and the legend share.
enum class TMapLook : std::uint8_t { Plain, Start, Unreachable, DeadEnd, Missing };
QColor LookColor(TMapLook look);
// The one look a box takes: the strongest of its flags.
TMapLook LookOf(TVertexFlags flags);

class TMapBox : public QGraphicsItem {
public:
    TMapBox(const TGraphVertex& vertex, std::int32_t index, const TVertexBox& box);

    std::int32_t Vertex() const { return Index_; }
    std::int32_t Node() const { return Node_; }
    // What a search looks through: the name and every line's text or caption.
    const QString& SearchText() const { return SearchText_; }
    void SetMatched(bool matched);
    bool IsMatched() const { return Matched_; }
    // The node selected in the General View: a second frame around the box.
    void SetSelected(bool selected);
    bool IsSelected() const { return Selected_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QRectF Rect_;
    std::int32_t Index_;
    std::int32_t Node_;
    TMapLook Look_;
    bool IsStartVertex_;
    QString Name_;
    QString FirstLine_;
    QString SearchText_;
    bool Matched_ = false;
    bool Selected_ = false;
};

// Clears the scene and draws the graph as laid out; the boxes come back in vertex order.
std::vector<TMapBox*> DrawDialogMap(QGraphicsScene& scene, const TDialogGraph& graph,
                                    const TGraphLayout& layout);

} // namespace dialoscope

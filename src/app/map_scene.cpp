#include "map_scene.h"

#include "byte_strings.h"
#include "graph/drawn_text.h"

#include <QFontMetricsF>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <array>
#include <cmath>

namespace dialoscope {

namespace {

constexpr double ArrowHalfWidth = 3.5;
constexpr double BoxPadding = 4;
// Graphviz sized the boxes for its own 14 pt font; a smaller one leaves room for the frame.
constexpr double BoxFontPixels = 11;
constexpr double LabelFontPixels = 10;
constexpr int LabelCharacters = 30;

// What the exports draw of a text, so the map and a chart made from the same graph agree.
QString Drawn(const std::string& text) {
    return Utf8(DrawnText(text));
}

QPointF PointOf(const TLayoutPoint& point) {
    return {point.X, point.Y};
}

QFont FontOfPixels(double pixels, bool bold) {
    QFont font;
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    return font;
}

// The first said line as the box shows it: its message text when texts are shown and found,
// its caption otherwise ("say =101").
QString FirstLineOf(const TGraphVertex& vertex) {
    if (vertex.Lines.empty()) {
        return {};
    }
    const TGraphLine& line = vertex.Lines.front();
    if (line.Message && line.Message->Text) {
        return Drawn(*line.Message->Text);
    }
    return Drawn(line.Caption);
}

QString SearchTextOf(const TGraphVertex& vertex) {
    QString text = Utf8(vertex.Name);
    for (const TGraphLine& line : vertex.Lines) {
        text += u'\n' + Utf8(line.Caption);
        if (line.Message && line.Message->Text) {
            text += u'\n' + Utf8(*line.Message->Text);
        }
    }
    return text;
}

QPainterPath SplineOf(const TEdgeCurve& curve) {
    QPainterPath path;
    if (curve.Points.empty()) {
        return path;
    }
    path.moveTo(PointOf(curve.Points.front()));
    // A start point, then three points per cubic piece.
    for (std::size_t i = 1; i + 2 < curve.Points.size(); i += 3) {
        path.cubicTo(PointOf(curve.Points[i]), PointOf(curve.Points[i + 1]),
                     PointOf(curve.Points[i + 2]));
    }
    return path;
}

QPolygonF ArrowHead(const QPointF& base, const QPointF& tip) {
    const QPointF along = tip - base;
    const double length = std::hypot(along.x(), along.y());
    if (length <= 0) {
        return {};
    }
    const QPointF across(-along.y() / length * ArrowHalfWidth, along.x() / length * ArrowHalfWidth);
    return QPolygonF({tip, base + across, base - across});
}

QPen EdgePen(TEdgeKind kind) {
    QPen pen(kind == TEdgeKind::Start ? LookColor(TMapLook::Start) : QColor(0x44, 0x44, 0x44));
    pen.setWidthF(1.0);
    if (kind == TEdgeKind::Call) {
        pen.setStyle(Qt::DashLine);
    }
    return pen;
}

void DrawEdge(QGraphicsScene& scene, const TGraphEdge& edge, const TEdgeCurve& curve) {
    const QPen pen = EdgePen(edge.Kind);
    scene.addPath(SplineOf(curve), pen)->setZValue(-1);
    if (curve.ArrowTip && !curve.Points.empty()) {
        QPen headPen = pen;
        headPen.setStyle(Qt::SolidLine);
        scene
            .addPolygon(ArrowHead(PointOf(curve.Points.back()), PointOf(*curve.ArrowTip)), headPen,
                        pen.color())
            ->setZValue(-1);
    }
    if (curve.LabelCenter && !edge.Label.empty()) {
        const QString full = Drawn(edge.Label);
        const QString shown =
            full.size() > LabelCharacters ? full.left(LabelCharacters - 1) + u'…' : full;
        auto* label = scene.addSimpleText(shown, FontOfPixels(LabelFontPixels, false));
        label->setBrush(QColor(0x33, 0x33, 0x66));
        label->setToolTip(full);
        const QRectF size = label->boundingRect();
        label->setPos(PointOf(*curve.LabelCenter) - size.center());
    }
}

} // namespace

QColor LookColor(TMapLook look) {
    // In TMapLook's order: plain, start, unreachable, dead end, missing.
    static const std::array<QColor, 5> colours = {
        QColor(Qt::white), QColor(0x1e, 0x8c, 0x2e), QColor(0xc8, 0xc8, 0xc8),
        QColor(0xff, 0xb0, 0x4a), QColor(0xd0, 0x20, 0x20)};
    return colours.at(static_cast<std::size_t>(look));
}

TMapLook LookOf(TVertexFlags flags) {
    if (flags & VertexMissing) {
        return TMapLook::Missing;
    }
    if (flags & VertexStart) {
        return TMapLook::Start;
    }
    if (flags & VertexDeadEnd) {
        return TMapLook::DeadEnd;
    }
    if (flags & VertexUnreachable) {
        return TMapLook::Unreachable;
    }
    return TMapLook::Plain;
}

TMapBox::TMapBox(const TGraphVertex& vertex, std::int32_t index, const TVertexBox& box)
    : Rect_(box.Center.X - box.Width / 2, box.Center.Y - box.Height / 2, box.Width, box.Height),
      Index_(index), Node_(vertex.Node), Look_(LookOf(vertex.Flags)),
      IsStartVertex_(vertex.Kind == TVertexKind::Start), Name_(Drawn(vertex.Name)),
      FirstLine_(FirstLineOf(vertex)), SearchText_(SearchTextOf(vertex)) {
    setToolTip(vertex.Line > 0 ? QStringLiteral("%1, line %2").arg(Name_).arg(vertex.Line) : Name_);
    setCursor(Qt::PointingHandCursor);
}

void TMapBox::SetMatched(bool matched) {
    if (matched != Matched_) {
        Matched_ = matched;
        update();
    }
}

void TMapBox::SetSelected(bool selected) {
    if (selected != Selected_) {
        Selected_ = selected;
        update();
    }
}

QRectF TMapBox::boundingRect() const {
    return Rect_.adjusted(-3, -3, 3, 3);
}

void TMapBox::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    QPen frame(Look_ == TMapLook::Start || Look_ == TMapLook::Missing ? LookColor(Look_)
                                                                      : QColor(Qt::black));
    frame.setWidthF(Look_ == TMapLook::Start ? 2.5 : 1.0);
    if (Look_ == TMapLook::Missing) {
        frame.setStyle(Qt::DashLine);
    }
    QColor fill = Look_ == TMapLook::Unreachable || Look_ == TMapLook::DeadEnd ? LookColor(Look_)
                                                                               : QColor(Qt::white);
    if (Matched_) {
        fill = QColor(0xff, 0xf1, 0x76);
        frame.setColor(QColor(0x15, 0x65, 0xc0));
        frame.setWidthF(3);
    }
    painter->setPen(frame);
    painter->setBrush(fill);
    if (IsStartVertex_) {
        painter->drawEllipse(Rect_);
    } else {
        painter->drawRect(Rect_);
    }
    if (Selected_) {
        QPen mark(QColor(0xe6, 0x51, 0x00));
        mark.setWidthF(2);
        painter->setPen(mark);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(Rect_.adjusted(-2.5, -2.5, 2.5, 2.5));
    }

    const QRectF inner = Rect_.adjusted(BoxPadding, 2, -BoxPadding, -2);
    painter->setPen(Look_ == TMapLook::Missing ? LookColor(Look_) : QColor(Qt::black));
    const QFont nameFont = FontOfPixels(BoxFontPixels, true);
    const QFont lineFont = FontOfPixels(BoxFontPixels, false);
    const QString name = QFontMetricsF(nameFont).elidedText(Name_, Qt::ElideRight, inner.width());
    if (FirstLine_.isEmpty()) {
        painter->setFont(nameFont);
        painter->drawText(inner, Qt::AlignCenter, name);
        return;
    }
    const QRectF top(inner.left(), inner.top(), inner.width(), inner.height() / 2);
    const QRectF bottom(inner.left(), inner.center().y(), inner.width(), inner.height() / 2);
    painter->setFont(nameFont);
    painter->drawText(top, Qt::AlignHCenter | Qt::AlignBottom, name);
    painter->setFont(lineFont);
    painter->drawText(
        bottom, Qt::AlignHCenter | Qt::AlignTop,
        QFontMetricsF(lineFont).elidedText(FirstLine_, Qt::ElideRight, inner.width()));
}

std::vector<TMapBox*> DrawDialogMap(QGraphicsScene& scene, const TDialogGraph& graph,
                                    const TGraphLayout& layout) {
    scene.clear();
    std::vector<TMapBox*> boxes;
    if (layout.Boxes.size() != graph.Vertices.size() || layout.Edges.size() != graph.Edges.size()) {
        return boxes; // not this graph's layout
    }
    for (std::size_t e = 0; e < graph.Edges.size(); ++e) {
        DrawEdge(scene, graph.Edges[e], layout.Edges[e]);
    }
    boxes.reserve(graph.Vertices.size());
    for (std::size_t v = 0; v < graph.Vertices.size(); ++v) {
        auto* box = new TMapBox(graph.Vertices[v], static_cast<std::int32_t>(v), layout.Boxes[v]);
        scene.addItem(box);
        boxes.push_back(box);
    }
    scene.setSceneRect(QRectF(0, 0, layout.Width, layout.Height).adjusted(-10, -10, 10, 10));
    return boxes;
}

} // namespace dialoscope

#include "map_view.h"

#include "map_scene.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace dialoscope {

namespace {

constexpr double MinZoom = 0.02;
constexpr double MaxZoom = 8;
// A wheel notch (120) zooms by about a fifth.
constexpr double ZoomPerDelta = 1.0015;
// Farther than this between press and release is a drag, not a click.
constexpr int ClickSlop = 4;

} // namespace

TMapView::TMapView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setObjectName(QStringLiteral("DialogMapView"));
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    // Only the changed part is repainted while panning a big map.
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setBackgroundBrush(QColor(0xfb, 0xfb, 0xf8));
}

void TMapView::Fit() {
    if (scene() == nullptr) {
        return;
    }
    fitInView(sceneRect(), Qt::KeepAspectRatio);
    if (Zoom() > 1) {
        resetTransform();
    }
    centerOn(sceneRect().center());
    Fitted_ = true;
}

void TMapView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    if (Fitted_) {
        Fit();
    }
}

void TMapView::wheelEvent(QWheelEvent* event) {
    const double wanted = std::pow(ZoomPerDelta, event->angleDelta().y());
    const double factor = std::clamp(Zoom() * wanted, MinZoom, MaxZoom) / Zoom();
    scale(factor, factor);
    Fitted_ = false;
    event->accept();
}

void TMapView::mousePressEvent(QMouseEvent* event) {
    PressedAt_ = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

void TMapView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if ((at - PressedAt_).manhattanLength() > ClickSlop) {
        Fitted_ = false; // panned
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    for (QGraphicsItem* item : items(at)) {
        if (const auto* box = dynamic_cast<const TMapBox*>(item)) {
            emit BoxClicked(box->Vertex());
            return;
        }
    }
}

} // namespace dialoscope

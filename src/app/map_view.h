#pragma once
// TMapView: the Dialog Map's view: the wheel zooms around the cursor, a drag pans, and a click
// (a press and release without a drag between) on a box reports its vertex.

#include <QGraphicsView>

#include <cstdint>

namespace dialoscope {

class TMapView : public QGraphicsView {
    Q_OBJECT
public:
    explicit TMapView(QGraphicsScene* scene, QWidget* parent = nullptr);

    // The whole drawing in view, never magnified beyond its natural size; fitted again when the
    // view is resized, until the user zooms or pans.
    void Fit();
    double Zoom() const { return transform().m11(); }

signals:
    void BoxClicked(std::int32_t vertex);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPoint PressedAt_;
    bool Fitted_ = false;
};

} // namespace dialoscope

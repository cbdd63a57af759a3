#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace dialoscope {

namespace {

// One palette for every picture, so the set looks like one family.
const QColor Ink(40, 48, 64);
const QColor Blue(52, 101, 164);
const QColor Green(78, 154, 6);
const QColor Orange(206, 92, 0);
const QColor Purple(117, 80, 123);
const QColor Paper(250, 250, 246);
const QColor Yellow(237, 212, 0);

// Draws on a square canvas of 32 units whatever the pixel size, so every picture is written
// once and stays sharp at 16, 17 and 32 pixels.
QPixmap Draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paint(p);
    return pixmap;
}

QIcon IconOf(const std::function<void(QPainter&)>& paint, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes) {
        icon.addPixmap(Draw(size, paint));
    }
    return icon;
}

QPen Outline(const QColor& color, double width = 2.0) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void SpeechBubble(QPainter& p, const QRectF& box, const QColor& fill) {
    QPainterPath path;
    path.addRoundedRect(box, 5, 5);
    QPolygonF tail;
    tail << QPointF(box.left() + 6, box.bottom() - 1) << QPointF(box.left() + 4, box.bottom() + 6)
         << QPointF(box.left() + 12, box.bottom() - 1);
    path.addPolygon(tail);
    path = path.simplified();
    p.setPen(Outline(Ink));
    p.setBrush(fill);
    p.drawPath(path);
}

void Document(QPainter& p) {
    p.setPen(Outline(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 3, 18, 26));
    p.setPen(Outline(Blue, 2));
    for (int y = 10; y <= 22; y += 4) {
        p.drawLine(QPointF(11, y), QPointF(21, y));
    }
}

void Floppy(QPainter& p) {
    p.setPen(Outline(Ink));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void SmallTree(QPainter& p, const QPointF& at, double unit, const QColor& leaf) {
    p.setPen(Outline(Ink, 1.6));
    const QPointF root = at;
    const QPointF a(at.x() + unit, at.y() + unit);
    const QPointF b(at.x() + unit, at.y() + 2 * unit);
    p.drawLine(root, QPointF(root.x(), b.y()));
    p.drawLine(QPointF(root.x(), a.y()), a);
    p.drawLine(QPointF(root.x(), b.y()), b);
    p.setBrush(leaf);
    const double r = unit / 3;
    p.drawEllipse(root, r, r);
    p.drawEllipse(a, r, r);
    p.drawEllipse(b, r, r);
}

void Magnifier(QPainter& p, const QPointF& centre, double radius) {
    p.setPen(Outline(Ink, 3));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centre, radius, radius);
    const double d = radius * 0.72;
    p.drawLine(QPointF(centre.x() + d, centre.y() + d),
               QPointF(centre.x() + d + radius * 0.9, centre.y() + d + radius * 0.9));
}

void Arrow(QPainter& p, const QColor& color) {
    p.setPen(Outline(color, 3));
    p.setBrush(color);
    p.drawLine(QPointF(5, 16), QPointF(22, 16));
    QPolygonF head;
    head << QPointF(19, 9) << QPointF(27, 16) << QPointF(19, 23);
    p.drawPolygon(head);
}

void PlusMinusBox(QPainter& p, bool plus) {
    p.setPen(Outline(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(6, 6, 20, 20));
    p.setPen(Outline(Blue, 3));
    p.drawLine(QPointF(11, 16), QPointF(21, 16));
    if (plus) {
        p.drawLine(QPointF(16, 11), QPointF(16, 21));
    }
}

void PaintProgram(QPainter& p) {
    SpeechBubble(p, QRectF(2, 3, 26, 18), Yellow);
    Magnifier(p, QPointF(18, 17), 7);
}

void PaintTool(QPainter& p, TToolPicture picture) {
    switch (picture) {
    case TToolPicture::Load: {
        p.setPen(Outline(Ink));
        p.setBrush(Yellow);
        QPolygonF folder;
        folder << QPointF(3, 8) << QPointF(12, 8) << QPointF(15, 11) << QPointF(28, 11)
               << QPointF(28, 26) << QPointF(3, 26);
        p.drawPolygon(folder);
        break;
    }
    case TToolPicture::Save:
        Floppy(p);
        break;
    case TToolPicture::TreeSave:
        Floppy(p);
        SmallTree(p, QPointF(18, 14), 7, Green);
        break;
    case TToolPicture::Analyze: {
        Document(p);
        p.setPen(Outline(Green));
        p.setBrush(Green);
        QPolygonF play;
        play << QPointF(16, 15) << QPointF(29, 22) << QPointF(16, 29);
        p.drawPolygon(play);
        break;
    }
    case TToolPicture::BuildTree:
        SmallTree(p, QPointF(8, 5), 10, Green);
        break;
    case TToolPicture::SearchMsg:
        SpeechBubble(p, QRectF(2, 3, 22, 15), Paper);
        Magnifier(p, QPointF(19, 19), 6);
        break;
    case TToolPicture::ScriptProperties:
        Document(p);
        Magnifier(p, QPointF(20, 19), 6);
        break;
    case TToolPicture::ExpandAll:
        PlusMinusBox(p, true);
        break;
    case TToolPicture::CollapseAll:
        PlusMinusBox(p, false);
        break;
    case TToolPicture::About:
        p.setPen(Outline(Blue));
        p.setBrush(Blue);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(Outline(Paper, 3.5));
        p.drawPoint(QPointF(16, 9.5));
        p.drawLine(QPointF(16, 14.5), QPointF(16, 23.5));
        break;
    }
}

enum TTreePicture { Node, Line, Answer, Repeat, Jump };

void PaintTreeImage(QPainter& p, int image) {
    switch (image) {
    case Node:
        p.setPen(Outline(Ink));
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(5, 5, 22, 22), 4, 4);
        break;
    case Line:
        SpeechBubble(p, QRectF(3, 4, 26, 18), Paper);
        break;
    case Answer:
        Arrow(p, Green);
        break;
    case Repeat: {
        p.setPen(Outline(Orange, 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 6, 20, 20), 90 * 16, 270 * 16);
        p.setBrush(Orange);
        p.setPen(Outline(Orange, 1.5));
        QPolygonF head;
        head << QPointF(13, 1) << QPointF(21, 6) << QPointF(13, 11);
        p.drawPolygon(head);
        break;
    }
    case Jump:
        Arrow(p, Purple);
        break;
    default:
        break;
    }
}

} // namespace

QIcon ProgramIcon() {
    static const QIcon icon = IconOf(PaintProgram, {16, 32, 48, 64});
    return icon;
}

QIcon ToolPicture(TToolPicture picture) {
    return IconOf([picture](QPainter& p) { PaintTool(p, picture); }, {16, 24, 32});
}

const std::array<QIcon, 5>& TreeImages() {
    static const std::array<QIcon, 5> images = [] {
        std::array<QIcon, 5> all;
        for (int i = 0; i < 5; ++i) {
            all[static_cast<std::size_t>(i)] =
                IconOf([i](QPainter& p) { PaintTreeImage(p, i); }, {17, 34});
        }
        return all;
    }();
    return images;
}

} // namespace dialoscope

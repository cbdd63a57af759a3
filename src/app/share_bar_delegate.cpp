#include "share_bar_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace dialoscope {

namespace {
constexpr int BarMargin = 2;
}

void TShareBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QVariant share = index.data(ShareRole_);
    if (!share.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Background and selection as every other cell, then the bar, then the number over it.
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString text = plain.text;
    plain.text.clear();
    const QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    const double fraction = std::clamp(share.toDouble() / 100.0, 0.0, 1.0);
    QRect bar = option.rect.adjusted(BarMargin, BarMargin, -BarMargin, -BarMargin);
    bar.setWidth(static_cast<int>(bar.width() * fraction));
    QColor fill = option.palette.color(QPalette::Highlight);
    fill.setAlpha(110);
    painter->save();
    painter->fillRect(bar, fill);
    painter->setPen(option.palette.color(
        (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(BarMargin + 2, 0, -BarMargin - 2, 0),
                      Qt::AlignRight | Qt::AlignVCenter, text);
    painter->restore();
}

} // namespace dialoscope

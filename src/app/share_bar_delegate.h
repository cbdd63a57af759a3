#pragma once
// TShareBarDelegate: draws a share in percent (a double under a role of the model) as a bar
// across its cell with the number on it, so that how far each script's translation is can be
// seen down a column at a glance. A cell without a share is drawn as usual.

#include <QStyledItemDelegate>

namespace dialoscope {

class TShareBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TShareBarDelegate(int shareRole, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), ShareRole_(shareRole) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int ShareRole_;
};

} // namespace dialoscope

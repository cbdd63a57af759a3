#pragma once
// TOutlineModel: one of the core's trees (General View, Dialogs Tree) shown through Qt's
// model/view, so that a tree of hundreds of thousands of items costs no widget per item.
//
// The core appends to and clears the tree without telling anyone; the model shows the tree as
// it stood at the last Refresh. The window refreshes before every turn of the event loop while a
// command runs and once at its end. A view may still paint in between (a progress bar repaints
// at once): items added since are harmless, but after a Clear the view's items are gone, so
// until the next Refresh the model answers as an empty tree.

#include "analysis/outline_tree.h"

#include <QAbstractItemModel>

#include <cstdint>

namespace dialoscope {

class TCaptionDisplay;

class TOutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // display decides how captions and tool tips are shown; it must outlive the model.
    TOutlineModel(const TOutlineTree& tree, TCaptionDisplay& display, QObject* parent = nullptr);

    // Resets the model when the tree changed since the last refresh; cheap otherwise.
    void Refresh();
    // Captions are shown differently now (code page, message texts): the views repaint, their
    // expanded items and selection stay.
    void DisplayChanged();

    // The tree item behind an index, TOutlineTree::NoParent for the invisible root.
    static std::int32_t ItemOf(const QModelIndex& index);
    QModelIndex IndexOf(std::int32_t item) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Whether the view's items still exist: no Clear since the last refresh, and in the table.
    bool Cleared() const { return Tree_.Generation() != ShownGeneration_; }
    bool Known(std::int32_t item) const;

    const TOutlineTree& Tree_;
    TCaptionDisplay& Display_;
    std::uint64_t ShownVersion_;
    std::uint64_t ShownGeneration_;
};

} // namespace dialoscope

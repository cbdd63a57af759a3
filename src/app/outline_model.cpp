#include "outline_model.h"

#include "caption_display.h"
#include "icons.h"

namespace dialoscope {

namespace {

// Qt hashes a model index as (row << 4) + column + internalId. Small consecutive item numbers
// would make that sum collide for most items of a big tree, and every expanded item is kept in
// such hashes (persistent indexes), turning Expand All into seconds. Multiplying by an odd
// constant spreads the numbers over all 64 bits and is undone by its inverse.
constexpr quint64 Spread = 0x9E3779B97F4A7C15ULL;

constexpr quint64 InverseOf(quint64 odd) {
    quint64 inverse = odd; // correct to 3 bits; each Newton step doubles that
    for (int i = 0; i < 5; ++i) {
        inverse *= 2 - odd * inverse;
    }
    return inverse;
}
constexpr quint64 Unspread = InverseOf(Spread);
static_assert(Spread * Unspread == 1);

quintptr IdOf(std::int32_t item) {
    return static_cast<quintptr>(static_cast<quint64>(item) * Spread);
}

} // namespace

TOutlineModel::TOutlineModel(const TOutlineTree& tree, TCaptionDisplay& display, QObject* parent)
    : QAbstractItemModel(parent), Tree_(tree), Display_(display), ShownVersion_(tree.Version()),
      ShownGeneration_(tree.Generation()) {}

bool TOutlineModel::Known(std::int32_t item) const {
    return !Cleared() && item >= 0 && item < Tree_.Count();
}

void TOutlineModel::Refresh() {
    if (Tree_.Version() == ShownVersion_) {
        return;
    }
    // The core only reports that something changed, not what; a reset costs the views one
    // lazy relayout of what is visible.
    beginResetModel();
    ShownVersion_ = Tree_.Version();
    ShownGeneration_ = Tree_.Generation();
    endResetModel();
}

void TOutlineModel::DisplayChanged() {
    // Nothing moves: a layout change makes the views lay out and paint their rows afresh.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

std::int32_t TOutlineModel::ItemOf(const QModelIndex& index) {
    if (!index.isValid()) {
        return TOutlineTree::NoParent;
    }
    return static_cast<std::int32_t>(static_cast<quint64>(index.internalId()) * Unspread);
}

QModelIndex TOutlineModel::IndexOf(std::int32_t item) const {
    if (!Known(item)) {
        return {};
    }
    return createIndex(Tree_.Item(item).Row, 0, IdOf(item));
}

QModelIndex TOutlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    const std::int32_t item = Tree_.ChildAt(ItemOf(parent), row);
    return createIndex(row, column, IdOf(item));
}

QModelIndex TOutlineModel::parent(const QModelIndex& child) const {
    const std::int32_t item = ItemOf(child);
    if (!Known(item)) {
        return {};
    }
    return IndexOf(Tree_.Item(item).Parent);
}

int TOutlineModel::rowCount(const QModelIndex& parent) const {
    const std::int32_t item = ItemOf(parent);
    if (parent.column() > 0 || Cleared() || (item != TOutlineTree::NoParent && !Known(item))) {
        return 0;
    }
    return Tree_.ChildCount(item);
}

int TOutlineModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TOutlineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !Known(ItemOf(index))) {
        return {};
    }
    const TTreeItem& item = Tree_.Item(ItemOf(index));
    switch (role) {
    case Qt::DisplayRole:
        return Display_.Caption(item.Caption);
    case Qt::ToolTipRole: {
        // No tip at all, rather than an empty one, for a caption without message numbers.
        QString tip = Display_.ToolTip(item.Caption);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::DecorationRole:
        if (item.Image < TreeImages().size()) {
            return TreeImages()[item.Image];
        }
        return {};
    default:
        return {};
    }
}

} // namespace dialoscope

#include "outline_tree.h"

namespace dialoscope {

void TOutlineTree::Clear() {
    Items_.clear();
    ChildCounts_.clear();
    TopLevelCount_ = 0;
    ++Version_;
}

std::int32_t TOutlineTree::Add(std::int32_t parent, std::string caption, std::uint8_t image,
                               std::int32_t node) {
    TTreeItem item;
    item.Caption = std::move(caption);
    item.Parent = parent;
    item.Image = image;
    item.Node = node;
    if (parent == NoParent) {
        item.Row = TopLevelCount_++;
        item.Depth = 0;
    } else {
        item.Row = ChildCounts_[static_cast<std::size_t>(parent)]++;
        item.Depth = Items_[static_cast<std::size_t>(parent)].Depth + 1;
    }
    Items_.push_back(std::move(item));
    ChildCounts_.push_back(0);
    ++Version_;
    return Count() - 1;
}

std::int32_t TOutlineTree::ChildCount(std::int32_t item) const {
    if (item == NoParent) {
        return TopLevelCount_;
    }
    return ChildCounts_[static_cast<std::size_t>(item)];
}

std::int32_t TOutlineTree::ChildAt(std::int32_t item, std::int32_t row) const {
    if (IndexedVersion_ != Version_) {
        RebuildChildIndex();
    }
    if (item == NoParent) {
        return TopLevel_[static_cast<std::size_t>(row)];
    }
    return ChildIndex_[static_cast<std::size_t>(ChildStart_[static_cast<std::size_t>(item)] + row)];
}

void TOutlineTree::RebuildChildIndex() const {
    // A counting sort by parent: children of one parent are contiguous, in row order, because
    // items are appended in pre-order.
    const std::size_t n = Items_.size();
    ChildStart_.assign(n, 0);
    std::int32_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ChildStart_[i] = next;
        next += ChildCounts_[i];
    }
    ChildIndex_.assign(static_cast<std::size_t>(next), 0);
    TopLevel_.assign(static_cast<std::size_t>(TopLevelCount_), 0);
    for (std::size_t i = 0; i < n; ++i) {
        const TTreeItem& it = Items_[i];
        const auto index = static_cast<std::int32_t>(i);
        if (it.Parent == NoParent) {
            TopLevel_[static_cast<std::size_t>(it.Row)] = index;
        } else {
            ChildIndex_[static_cast<std::size_t>(ChildStart_[static_cast<std::size_t>(it.Parent)] +
                                                 it.Row)] = index;
        }
    }
    IndexedVersion_ = Version_;
}

} // namespace dialoscope

#include "outline_tree.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace dialoscope {

namespace {

[[noreturn]] void ThrowNotOnOpenPath() {
    throw std::logic_error("a tree item's parent must be the last item or an ancestor of it");
}

} // namespace

TOutlineTree::TOutlineTree(const TOutlineTree& other)
    : Items_(other.Items_), ChildCounts_(other.ChildCounts_), TopLevel_(other.TopLevel_),
      ChildStart_(other.ChildStart_), ChildIndex_(other.ChildIndex_), OpenPath_(other.OpenPath_),
      OpenChildren_(other.OpenChildren_), Version_(other.Version_), Generation_(other.Generation_) {
    for (TTreeItem& item : Items_) {
        item.Caption = Captions_.Keep(item.Caption);
    }
}

TOutlineTree& TOutlineTree::operator=(const TOutlineTree& other) {
    if (this != &other) {
        *this = TOutlineTree(other);
    }
    return *this;
}

void TOutlineTree::Clear() {
    Items_.clear();
    Captions_.Clear();
    ChildCounts_.clear();
    TopLevel_.clear();
    ChildStart_.clear();
    ChildIndex_.clear();
    OpenPath_.clear();
    OpenChildren_.clear();
    StreamPath_.clear();
    StreamedCount_ = 0;
    ++Version_;
    ++Generation_;
}

void TOutlineTree::StreamTo(TItemSink sink) {
    Clear();
    Sink_ = std::move(sink);
}

std::int32_t TOutlineTree::AddStreamed(std::int32_t parent, std::string_view caption) {
    // The path runs from a top-level item down to the last item, so once it is cut back to the
    // parent its length is the new item's depth.
    const auto open = std::find(StreamPath_.rbegin(), StreamPath_.rend(), parent);
    if (parent != NoParent && open == StreamPath_.rend()) {
        ThrowNotOnOpenPath();
    }
    StreamPath_.erase(open.base(), StreamPath_.end());
    const std::int32_t index = StreamedCount_++;
    Sink_(static_cast<std::int32_t>(StreamPath_.size()), caption);
    StreamPath_.push_back(index);
    ++Version_;
    return index;
}

std::int32_t TOutlineTree::Add(std::int32_t parent, std::string_view caption, std::uint8_t image,
                               std::int32_t node) {
    if (Sink_) {
        return AddStreamed(parent, caption);
    }
    if (parent != NoParent &&
        (parent < 0 || parent >= Count() || ChildStart_[static_cast<std::size_t>(parent)] >= 0)) {
        ThrowNotOnOpenPath();
    }
    while (!OpenPath_.empty() && OpenPath_.back().Item != parent) {
        CloseLast();
    }
    const std::int32_t index = Count();
    TTreeItem item;
    item.Caption = Captions_.Keep(caption);
    item.Parent = parent;
    item.Image = image;
    item.Node = node;
    if (parent == NoParent) {
        item.Row = TopLevelCount();
        TopLevel_.push_back(index);
    } else {
        item.Row = ChildCounts_[static_cast<std::size_t>(parent)]++;
        item.Depth = Items_[static_cast<std::size_t>(parent)].Depth + 1;
        OpenChildren_.push_back(index); // the parent is the last open item
    }
    Items_.push_back(item);
    ChildCounts_.push_back(0);
    ChildStart_.push_back(-1 - static_cast<std::int32_t>(OpenPath_.size()));
    OpenPath_.push_back({index, static_cast<std::int32_t>(OpenChildren_.size())});
    ++Version_;
    return index;
}

void TOutlineTree::CloseLast() {
    const TOpenItem last = OpenPath_.back();
    const auto first = OpenChildren_.begin() + last.FirstChild;
    ChildStart_[static_cast<std::size_t>(last.Item)] =
        static_cast<std::int32_t>(ChildIndex_.size());
    ChildIndex_.insert(ChildIndex_.end(), first, OpenChildren_.end());
    OpenChildren_.erase(first, OpenChildren_.end());
    OpenPath_.pop_back();
}

std::int32_t TOutlineTree::ChildCount(std::int32_t item) const {
    if (item == NoParent) {
        return TopLevelCount();
    }
    return ChildCounts_[static_cast<std::size_t>(item)];
}

std::int32_t TOutlineTree::ChildAt(std::int32_t item, std::int32_t row) const {
    const auto at = static_cast<std::size_t>(row);
    if (item == NoParent) {
        return TopLevel_[at];
    }
    const std::int32_t start = ChildStart_[static_cast<std::size_t>(item)];
    if (start >= 0) {
        return ChildIndex_[static_cast<std::size_t>(start) + at];
    }
    const TOpenItem& open = OpenPath_[static_cast<std::size_t>(-1 - start)];
    return OpenChildren_[static_cast<std::size_t>(open.FirstChild) + at];
}

} // namespace dialoscope

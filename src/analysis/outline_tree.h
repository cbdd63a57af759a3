#pragma once
// TOutlineTree: the General View and the Dialogs Tree as plain data. Items are appended in
// pre-order (an item, then its whole subtree), which is the order both trees are built in, so
// the item table itself is the pre-order the tree file is written in.

#include "caption_arena.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

namespace dialoscope {

// Image indexes of tree items.
enum TImage : std::uint8_t {
    imgNode = 0,   // General View node item, "Dialog" root
    imgLine = 1,   // said line, Dialogs Tree node item
    imgAnswer = 2, // answer item
    imgRepeat = 3, // repeat leaf "@"+name
    imgJump = 4,   // "answers" item, jump item
};

struct TTreeItem {
    std::string_view Caption; // kept by the tree: valid until its Clear, or its end
    std::int32_t Parent = -1; // item index, -1 for a top-level item
    std::int32_t Row = 0;     // position among its parent's children
    std::int32_t Depth = 0;   // 0 for a top-level item
    std::int32_t Node = -1;   // index into the workspace's Nodes, -1 when none
    std::uint8_t Image = imgNode;
};

class TOutlineTree {
public:
    static constexpr std::int32_t NoParent = -1;

    TOutlineTree() = default;
    // A copy keeps its own captions, so it outlives the tree it was copied from.
    TOutlineTree(const TOutlineTree& other);
    TOutlineTree& operator=(const TOutlineTree& other);
    // Captions stay where they are, so the items' views move with them.
    TOutlineTree(TOutlineTree&& other) = default;
    TOutlineTree& operator=(TOutlineTree&& other) = default;
    ~TOutlineTree() = default;

    void Clear();
    // Appends an item as the last child of parent (NoParent: last top-level item). The parent
    // must be the last item or one of its ancestors, so that the table stays in pre-order;
    // any other parent throws std::logic_error.
    std::int32_t Add(std::int32_t parent, std::string_view caption, std::uint8_t image = imgNode,
                     std::int32_t node = -1);
    void SetImage(std::int32_t item, std::uint8_t image) {
        if (!Sink_) {
            Items_[item].Image = image;
        }
    }

    // A tree that is written, not kept: from now on each item goes to sink (its depth and
    // caption) as it is added, and is not kept, so the tree stays empty. Add still checks each
    // parent and returns the number the item would have had; Clear keeps the sink. For a
    // command that only writes the tree: a big script's tree then costs no memory.
    using TItemSink = std::function<void(std::int32_t depth, std::string_view caption)>;
    void StreamTo(TItemSink sink);

    std::int32_t Count() const { return static_cast<std::int32_t>(Items_.size()); }
    const TTreeItem& Item(std::int32_t index) const { return Items_[index]; }
    const std::deque<TTreeItem>& Items() const { return Items_; }

    std::int32_t TopLevelCount() const { return static_cast<std::int32_t>(TopLevel_.size()); }
    std::int32_t ChildCount(std::int32_t item) const; // item NoParent: top-level count
    // The row-th child of item (NoParent: of the top level), in O(1).
    std::int32_t ChildAt(std::int32_t item, std::int32_t row) const;

    // Grows with every change, so that views know when to refresh.
    std::uint64_t Version() const { return Version_; }
    // Grows with every Clear: item numbers from before it name other items, or none.
    std::uint64_t Generation() const { return Generation_; }

private:
    // An item on the open path: the last item or one of its ancestors, the only items that can
    // still get children. Its children so far are OpenChildren_ from FirstChild up to the next
    // open item's (the end for the last one): items close last first, so each open item's
    // children stay one run at the end of the ones before.
    struct TOpenItem {
        std::int32_t Item;
        std::int32_t FirstChild;
    };
    void CloseLast();
    std::int32_t AddStreamed(std::int32_t parent, std::string_view caption);

    // The items' captions point in here. A member added below goes into the copy constructor.
    TCaptionArena Captions_;
    // A deque: a tree of a million items grows without moving them or holding two copies.
    std::deque<TTreeItem> Items_;
    std::vector<std::int32_t> ChildCounts_;
    std::vector<std::int32_t> TopLevel_;
    // The child index grows with the tree, so a view asking for children while the tree grows
    // never waits for it to be rebuilt. Items append in pre-order, so once an item leaves the
    // open path its children are final and go to ChildIndex_ as one block starting at
    // ChildStart_[item]; an open item's ChildStart_ is -1 - its place on OpenPath_.
    std::vector<std::int32_t> ChildStart_;
    std::vector<std::int32_t> ChildIndex_;
    std::vector<TOpenItem> OpenPath_;
    std::vector<std::int32_t> OpenChildren_;
    std::uint64_t Version_ = 0;
    std::uint64_t Generation_ = 0;
    // A streamed tree's: the sink, the last item and its ancestors, and how many items went.
    TItemSink Sink_;
    std::vector<std::int32_t> StreamPath_;
    std::int32_t StreamedCount_ = 0;
};

} // namespace dialoscope

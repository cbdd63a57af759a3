#pragma once
// TSharedNodes: Analyze's node records, shared by the copies made of them, so that a snapshot of
// an analysed script holds them without copying them. A new analysis starts a list of its own
// (clear) and leaves a shared one as it is, so a copy may be read on another thread meanwhile.

#include "tables.h"

#include <cstddef>
#include <deque>
#include <memory>

namespace dialoscope {

class TSharedNodes {
public:
    // A deque: growing it never moves the records nor holds an old and a new copy at once.
    using TList = std::deque<TNodeKeep>;

    TSharedNodes() : List_(std::make_shared<TList>()) {}

    std::size_t size() const { return List_->size(); }
    bool empty() const { return List_->empty(); }
    const TNodeKeep& operator[](std::size_t index) const { return (*List_)[index]; }
    TList::const_iterator begin() const { return List_->cbegin(); }
    TList::const_iterator end() const { return List_->cend(); }
    operator const TList&() const { return *List_; }

    void clear() { List_ = std::make_shared<TList>(); }
    // The list to change: one a copy shares is copied first, so that the copy never changes.
    TList& Edit() {
        if (List_.use_count() > 1) {
            List_ = std::make_shared<TList>(*List_);
        }
        return *List_;
    }

private:
    std::shared_ptr<TList> List_; // never null
};

} // namespace dialoscope

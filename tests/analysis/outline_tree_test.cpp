// The tree's child index, kept up to date as items are added, against the parent links.

#include "analysis/outline_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

// Children of item in table order, read from the parent links alone.
std::vector<std::int32_t> ChildrenByParent(const TOutlineTree& tree, std::int32_t item) {
    std::vector<std::int32_t> children;
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        if (tree.Item(i).Parent == item) {
            children.push_back(i);
        }
    }
    return children;
}

std::vector<std::int32_t> ChildrenByIndex(const TOutlineTree& tree, std::int32_t item) {
    std::vector<std::int32_t> children;
    for (std::int32_t row = 0; row < tree.ChildCount(item); ++row) {
        children.push_back(tree.ChildAt(item, row));
    }
    return children;
}

void ExpectIndexMatchesParents(const TOutlineTree& tree) {
    for (std::int32_t item = TOutlineTree::NoParent; item < tree.Count(); ++item) {
        ASSERT_EQ(ChildrenByIndex(tree, item), ChildrenByParent(tree, item)) << "item " << item;
    }
}

TEST(OutlineTree, ChildIndexFollowsEveryAddOfARandomPreOrderTree) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        TOutlineTree tree;
        std::vector<std::int32_t> openPath; // the last item and its ancestors
        for (int added = 0; added < 60; ++added) {
            // Any item on the open path, or the top level, may take the next item.
            const auto depth = static_cast<std::size_t>(random() % (openPath.size() + 1));
            openPath.resize(depth);
            const std::int32_t parent = depth == 0 ? TOutlineTree::NoParent : openPath.back();
            openPath.push_back(tree.Add(parent, "item"));
            if (random() % 4 == 0) {
                ExpectIndexMatchesParents(tree); // asked while the tree still grows
            }
        }
        ExpectIndexMatchesParents(tree);
        tree.Clear();
        EXPECT_EQ(tree.TopLevelCount(), 0);
    }
}

TEST(OutlineTree, AParentOffTheOpenPathIsRefused) {
    TOutlineTree tree;
    const std::int32_t first = tree.Add(TOutlineTree::NoParent, "first");
    tree.Add(first, "child");
    tree.Add(TOutlineTree::NoParent, "second");
    for (const std::int32_t parent : {first, 7, -2}) {
        SCOPED_TRACE(parent);
        EXPECT_THROW(tree.Add(parent, "late"), std::logic_error);
    }
    EXPECT_EQ(tree.Count(), 3);
    ExpectIndexMatchesParents(tree);
}

// A tree that is only written: the same numbers from Add, the same parents refused, and each
// item's depth and caption as the kept tree holds them, in order.
TEST(OutlineTree, AStreamedTreeWritesWhatAKeptTreeHolds) {
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        TOutlineTree kept;
        TOutlineTree streamed;
        std::vector<std::pair<std::int32_t, std::string>> written;
        streamed.StreamTo([&written](std::int32_t depth, std::string_view caption) {
            written.emplace_back(depth, std::string(caption));
        });
        std::vector<std::int32_t> openPath;
        for (int added = 0; added < 60; ++added) {
            const auto depth = static_cast<std::size_t>(random() % (openPath.size() + 1));
            openPath.resize(depth);
            const std::int32_t parent = depth == 0 ? TOutlineTree::NoParent : openPath.back();
            const std::string caption = "item" + std::to_string(random() % 100);
            openPath.push_back(kept.Add(parent, caption));
            ASSERT_EQ(streamed.Add(parent, caption), openPath.back());
            if (added > 2 && random() % 8 == 0) {
                const auto late = static_cast<std::int32_t>(random() % kept.Count());
                if (std::count(openPath.begin(), openPath.end(), late) == 0) {
                    EXPECT_THROW(kept.Add(late, "x"), std::logic_error);
                    EXPECT_THROW(streamed.Add(late, "x"), std::logic_error);
                }
            }
        }
        EXPECT_EQ(streamed.Count(), 0);
        ASSERT_EQ(written.size(), static_cast<std::size_t>(kept.Count()));
        for (std::int32_t i = 0; i < kept.Count(); ++i) {
            const auto& [depth, caption] = written[static_cast<std::size_t>(i)];
            EXPECT_EQ(depth, kept.Item(i).Depth) << "item " << i;
            EXPECT_EQ(caption, kept.Item(i).Caption) << "item " << i;
        }
    }
}

// Captions of every length class: empty, short, a block's worth spread over many, over a block.
std::vector<std::string> MixedCaptions() {
    std::vector<std::string> captions{"", "Dialog", "",
                                      std::string(TCaptionArena::BlockSize + 1, 'L')};
    for (int i = 0; captions.size() < 1000; ++i) {
        captions.push_back("Node" + std::to_string(i) +
                           std::string(static_cast<std::size_t>(i % 1000), '-'));
    }
    captions.push_back(std::string(1, '\0') + "\xff\r\n\t");
    captions.push_back("");
    return captions;
}

// Each caption under the one before, breaking back to the top level now and then.
TOutlineTree TreeOf(const std::vector<std::string>& captions) {
    TOutlineTree tree;
    std::int32_t parent = TOutlineTree::NoParent;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        parent = tree.Add(i % 7 == 0 ? TOutlineTree::NoParent : parent, captions[i]);
    }
    return tree;
}

void ExpectCaptions(const TOutlineTree& tree, const std::vector<std::string>& captions) {
    ASSERT_EQ(tree.Count(), static_cast<std::int32_t>(captions.size()));
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        ASSERT_EQ(tree.Item(i).Caption, captions[static_cast<std::size_t>(i)]) << "item " << i;
    }
}

TEST(OutlineTree, CaptionsReadBackAsAdded) {
    const std::vector<std::string> captions = MixedCaptions();
    TOutlineTree tree = TreeOf(captions);
    ExpectCaptions(tree, captions);
    tree.Clear();
    tree.Add(TOutlineTree::NoParent, std::string("after Clear"));
    ExpectCaptions(tree, {"after Clear"});
}

// Each row ends by destroying or clearing the source, so a tree still reading the source's
// bytes reads freed memory.
TEST(OutlineTree, CopiesAndMovesKeepTheirCaptions) {
    using TTree = std::unique_ptr<TOutlineTree>;
    const auto oldTree = [] {
        return std::make_unique<TOutlineTree>(TreeOf({"old", "o-o-o-o-o-o-o-o-o"}));
    };
    struct TRow {
        const char* Name;
        std::function<TTree(TTree& source)> Make;
    };
    const TRow rows[] = {
        {"copied, source cleared",
         [](TTree& source) {
             auto target = std::make_unique<TOutlineTree>(*source);
             source->Clear();
             return target;
         }},
        {"copied, source destroyed",
         [](TTree& source) {
             auto target = std::make_unique<TOutlineTree>(*source);
             source.reset();
             return target;
         }},
        {"copy assigned over a tree, source destroyed",
         [&](TTree& source) {
             TTree target = oldTree();
             *target = *source;
             source.reset();
             return target;
         }},
        {"copy assigned to itself",
         [](TTree& source) {
             TOutlineTree& self = *source;
             *source = self;
             return std::move(source);
         }},
        {"moved, source destroyed",
         [](TTree& source) {
             auto target = std::make_unique<TOutlineTree>(std::move(*source));
             source.reset();
             return target;
         }},
        {"move assigned over a tree, source reused",
         [&](TTree& source) {
             TTree target = oldTree();
             *target = std::move(*source);
             source->Clear();
             source->Add(TOutlineTree::NoParent, std::string(5000, 'S'));
             source->Add(TOutlineTree::NoParent, "S");
             return target;
         }},
    };
    const std::vector<std::string> captions = MixedCaptions();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TTree source = std::make_unique<TOutlineTree>(TreeOf(captions));
        const TTree target = row.Make(source);
        ExpectCaptions(*target, captions);
        ExpectIndexMatchesParents(*target);
        // The target grows in space of its own.
        target->Add(TOutlineTree::NoParent, "added");
        EXPECT_EQ(target->Item(target->Count() - 1).Caption, "added");
        EXPECT_EQ(target->Item(1).Caption, "Dialog");
    }
}

} // namespace
} // namespace dialoscope::test

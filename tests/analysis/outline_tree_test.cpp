// The tree's child index, kept up to date as items are added, against the parent links.

#include "analysis/outline_tree.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
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

} // namespace
} // namespace dialoscope::test

#include "core/tree/TreeControl.h"

#include <gtest/gtest.h>

#include <random>

using namespace kardel;

// Rows are renumbered lazily; whatever mix of insertions, removals and queries,
// every row read must be the item's position among its siblings.
TEST(TreeRows, LazyRowsAlwaysMatchThePositions) {
    TreeControl tree;
    TreeItem* root = tree.InsertItem("root", 0, 0, nullptr, TreeControl::Where::First);
    std::mt19937 random(3);
    std::vector<TreeItem*> items{root};
    for (int step = 0; step < 4000; ++step) {
        unsigned action = random() % 10;
        TreeItem* parent = items[random() % items.size()];
        if (action < 5 || parent->childCount() == 0) {
            TreeControl::Where where = action % 3 == 0   ? TreeControl::Where::First
                                       : action % 3 == 1 ? TreeControl::Where::Last
                                                         : TreeControl::Where::After;
            TreeItem* after = parent->childCount() ? parent->child(random() % parent->childCount()) : nullptr;
            items.push_back(tree.InsertItem("x", 4, step, parent, where, after));
        } else if (action < 7) {
            TreeItem* victim = parent->child(random() % parent->childCount());
            std::erase_if(items, [&](TreeItem* item) { return tree.IsAncestorOrSelf(victim, item); });
            tree.DeleteItem(victim);
        } else {
            int row = static_cast<int>(random() % parent->childCount());
            TreeItem* child = parent->child(row);
            ASSERT_EQ(child->row(), row);
            if (TreeItem* next = tree.GetNextSibling(child)) {
                ASSERT_EQ(next, parent->child(row + 1));
            }
            if (TreeItem* previous = tree.GetPrevSibling(child)) {
                ASSERT_EQ(previous, parent->child(row - 1));
            }
        }
    }
    for (TreeItem* item : items)
        if (TreeItem* parent = item->parent()) {
            ASSERT_EQ(parent->child(item->row()), item);
        }
}

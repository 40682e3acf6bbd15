#include "core/tree/TreeControl.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {
struct RecordingNotify : ITreeControlNotify {
    std::vector<std::pair<TreeItem*, TreeItem*>> selections;
    std::vector<TreeItem*> expansions;
    void OnSelChanged(TreeItem* o, TreeItem* n) override { selections.emplace_back(o, n); }
    void OnItemExpanded(TreeItem* item) override { expansions.push_back(item); }
};
} // namespace

TEST(TreeControl, InsertPositionsAndRows) {
    TreeControl tree;
    TreeItem* root = tree.InsertItem("root", 0, 0, nullptr, TreeControl::Where::First);
    TreeItem* b = tree.InsertItem("b", 4, 1, root, TreeControl::Where::Last);
    TreeItem* a = tree.InsertItem("a", 4, 2, root, TreeControl::Where::First);
    TreeItem* c = tree.InsertItem("c", 4, 3, root, TreeControl::Where::After, a);
    EXPECT_EQ(tree.GetChild(root), a);
    EXPECT_EQ(tree.GetNextSibling(a), c);
    EXPECT_EQ(tree.GetNextSibling(c), b);
    EXPECT_EQ(b->row(), 2);
    EXPECT_EQ(tree.GetPrevSibling(a), nullptr);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetParent(root), nullptr);
    EXPECT_EQ(tree.GetParent(b), root);
}

TEST(TreeControl, SelectingRevealsCollapsedAncestorsAsUserExpansions) {
    TreeControl tree;
    RecordingNotify notify;
    tree.SetNotify(&notify);
    TreeItem* root = tree.InsertItem("root", 1, 0, nullptr, TreeControl::Where::First);
    TreeItem* folder = tree.InsertItem("f", 1, 1, root, TreeControl::Where::Last);
    TreeItem* leaf = tree.InsertItem("l", 4, 2, folder, TreeControl::Where::Last);
    tree.Select(leaf);
    ASSERT_EQ(notify.expansions.size(), 2u);
    EXPECT_EQ(notify.expansions[0], root);
    EXPECT_EQ(notify.expansions[1], folder);
    ASSERT_EQ(notify.selections.size(), 1u);
    EXPECT_EQ(notify.selections[0].second, leaf);
    tree.Select(leaf);
    EXPECT_EQ(notify.selections.size(), 1u);
    tree.Expand(folder, false); // by the program: not reported
    EXPECT_EQ(notify.expansions.size(), 2u);
}

TEST(TreeControl, DeletingTheCaretMovesItToANeighbour) {
    TreeControl tree;
    RecordingNotify notify;
    tree.SetNotify(&notify);
    TreeItem* root = tree.InsertItem("root", 0, 0, nullptr, TreeControl::Where::First);
    TreeItem* a = tree.InsertItem("a", 4, 1, root, TreeControl::Where::Last);
    TreeItem* b = tree.InsertItem("b", 4, 2, root, TreeControl::Where::Last);
    tree.Select(a);
    tree.DeleteItem(a);
    EXPECT_EQ(tree.GetCaret(), b);
    EXPECT_EQ(notify.selections.back().first, nullptr);
    tree.DeleteItem(b);
    EXPECT_EQ(tree.GetCaret(), root);
    EXPECT_EQ(tree.GetCount(), 1u);
}

TEST(TreeControl, VisibleOrderAndDeepTreesAreSafe) {
    TreeControl tree;
    TreeItem* root = tree.InsertItem("root", 0, 0, nullptr, TreeControl::Where::First);
    TreeItem* parent = root;
    for (int i = 1; i <= 200000; ++i)
        parent = tree.InsertItem("x", 4, i, parent, TreeControl::Where::Last);
    size_t visited = 0;
    tree.ForEachItem([&visited](TreeItem*) { ++visited; });
    EXPECT_EQ(visited, 200001u);
    TreeItem* first = tree.GetChild(root);
    EXPECT_EQ(tree.GetNextVisible(root), nullptr); // collapsed
    tree.Expand(root, true);
    EXPECT_EQ(tree.GetNextVisible(root), first);
    EXPECT_EQ(tree.GetPrevVisible(first), root);
    tree.DeleteItem(first); // 200,000 levels deep: must not overflow the stack
    EXPECT_EQ(tree.GetCount(), 1u);
}

TEST(TreeControl, LabelsFollowTheSourceUnlessTheItemWasGivenOtherText) {
    struct Titles : ITreeLabelSource {
        std::vector<std::string> text{"root", "a", "b"};
        std::optional<std::string_view> LabelOf(std::int32_t value) const override {
            if (value < 0 || static_cast<size_t>(value) >= text.size())
                return std::nullopt;
            return text[value];
        }
    } titles;
    TreeControl tree;
    tree.SetLabelSource(&titles);
    TreeItem* root = tree.InsertItem("root", 0, 0, nullptr, TreeControl::Where::First);
    TreeItem* a = tree.InsertItem("a", 4, 1, root, TreeControl::Where::Last);
    TreeItem* other = tree.InsertItem("not b", 4, 2, root, TreeControl::Where::Last);
    TreeItem* loose = tree.InsertItem("loose", 4, -1, root, TreeControl::Where::Last);

    titles.text[1] = "a renamed";
    titles.text[2] = "b renamed";
    EXPECT_EQ(tree.GetItemText(a), "a renamed");
    EXPECT_EQ(tree.GetItemText(other), "not b");
    EXPECT_EQ(tree.GetItemText(loose), "loose");

    tree.SetLabel(other, "b renamed"); // the source's text again: the item follows it from now on
    titles.text[2] = "b again";
    EXPECT_EQ(tree.GetItemText(other), "b again");
    tree.SetLabel(a, "typed");
    EXPECT_EQ(tree.GetItemText(a), "typed");

    // The owner's array moved: renumbered values keep every label.
    titles.text = {"root", "b again"};
    tree.SetValue(other, 1);
    EXPECT_EQ(tree.GetItemText(other), "b again");
    EXPECT_EQ(tree.GetItemText(root), "root");
}

#include "DocumentInvariants.h"

#include "core/base/OutputSink.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kardel::fuzz {

std::string CheckDocumentInvariants(HeadlessSession& session) {
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    TreeControl& tree = view.Tree();
    size_t count = doc.Memos().size();
    if (count < 2)
        return "fewer than two memos";
    if (tree.TopLevelCount() != 1)
        return "not exactly one top-level item";
    TreeItem* root = tree.GetRoot();
    if (root->value() != 0)
        return "the root item is not memo 0";
    if (tree.GetCount() != count)
        return "tree items and memos differ in number";
    TreeItem* trash = doc.Memos()[1]->m_hTreeItem;
    // A merge below the root puts memos after the trash: it need not be the last child.
    if (!trash || trash != view.m_hTrash || trash->parent() != root || !IsTrashKind(trash->image()))
        return "the trash is not memo 1 as a child of the root";

    std::vector<bool> seen(count, false);
    std::string broken;
    tree.ForEachItem([&](TreeItem* item) {
        std::int32_t value = item->value();
        if (value < 0 || static_cast<size_t>(value) >= count || seen[value]) {
            broken = "an item value outside the memo array or used twice";
            return;
        }
        seen[value] = true;
        CMemoItem& memo = *doc.Memos()[value];
        if (memo.m_hTreeItem != item)
            broken = "a memo does not point at its item";
        // Every lookup by kind must stay inside its table whatever the file held.
        doc.m_options.DefinitionName(memo.m_nKind);
        CDocOptions::CycleFlagIndex(memo.m_nKind);
        memo.ToDialog();
        memo.DueStatus();
        doc.m_options.DefinitionName(item->image());
    });
    if (!broken.empty())
        return broken;
    for (size_t i = 0; i < count; ++i)
        if (!seen[i])
            return "a memo without a tree item";
    if (doc.ClipLinks().size() != doc.Clip().size())
        return "the clipboard's links do not match its entries";
    for (size_t i = 0; i < doc.ClipLinks().size(); ++i)
        if (std::int32_t parent = doc.ClipLinks()[i].m_nParent; parent >= static_cast<std::int32_t>(i) || parent < -1)
            return "a clipboard entry's parent is not an entry before it";
    CMemoItem* current = doc.CurrentMemo();
    if (!current || tree.GetCaret() != current->m_hTreeItem)
        return "the current memo is not the caret item";
    if (session.memoView().ShownMemo() != current)
        return "MemoView does not show the current memo";
    return {};
}

void Fail(const char* stage, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", stage, what.c_str());
    std::abort();
}

void CheckSavesAndReloads(HeadlessSession& session) {
    MemoryOutput saved;
    if (!session.doc().StoreTo(saved))
        Fail("saved", "saving failed");
    HeadlessSession reloaded;
    if (!reloaded.doc().LoadFromBytes(saved.bytes()).ok)
        Fail("reloaded", "the saved bytes do not load");
    if (std::string broken = CheckDocumentInvariants(reloaded); !broken.empty())
        Fail("reloaded", broken);
    if (reloaded.doc().Memos().size() != session.doc().Memos().size())
        Fail("reloaded", "memo count changed");
    MemoryOutput again;
    if (!reloaded.doc().StoreTo(again) || again.bytes() != saved.bytes())
        Fail("reloaded", "saving the reloaded document gives other bytes");
}

} // namespace kardel::fuzz

#pragma once
// A document session for tree tests: builds outlines through the public
// operations, prints them compactly and checks the binding of items to memos.
#include "core/base/Texts.h"
#include "core/shell/CommandRouter.h"
#include "core/shell/DocumentSession.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

class OutlineFixture : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        doc().OnNewDocument();
    }

    kardel::CKardelDoc& doc() { return s.doc(); }
    kardel::CKdTreeView& view() { return s.treeView(); }
    kardel::TreeControl& tree() { return s.treeView().Tree(); }
    kardel::TreeItem* root() { return tree().GetRoot(); }
    kardel::TreeItem* trash() { return view().m_hTrash; }
    kardel::CMemoItem* memo(kardel::TreeItem* item) { return view().MemoOf(item); }

    // A new memo titled `title` as the first child of `parent` (an untitled memo, renamed).
    kardel::TreeItem* Add(kardel::TreeItem* parent, const std::string& title) {
        tree().Select(parent);
        doc().CreateUntitledMemo();
        kardel::TreeItem* item = tree().GetCaret();
        view().OnEndLabelEdit(item, title);
        return item;
    }
    // Children in the order given (each added first, so added in reverse).
    void AddChildren(kardel::TreeItem* parent, std::initializer_list<const char*> titles) {
        for (auto it = std::rbegin(titles); it != std::rend(titles); ++it)
            Add(parent, *it);
    }
    // The item labelled `title` (first in pre-order).
    kardel::TreeItem* Find(const std::string& title) {
        kardel::TreeItem* found = nullptr;
        tree().ForEachItem([&](kardel::TreeItem* item) {
            if (!found && tree().GetItemText(item) == title)
                found = item;
        });
        return found;
    }

    // "Data(A(A1),B,#)": labels with children in parentheses, the trash as '#'.
    std::string Outline(kardel::TreeItem* item = nullptr) {
        if (!item)
            item = root();
        std::string text = item == trash() ? "#" : std::string(tree().GetItemText(item));
        if (item->childCount() > 0) {
            text += "(";
            for (int i = 0; i < item->childCount(); ++i)
                text += (i ? "," : "") + Outline(item->child(i));
            text += ")";
        }
        return text;
    }
    // Kinds in pre-order, e.g. "0 4 1 4 2".
    std::string Kinds() {
        std::string text;
        tree().ForEachItem(
            [&](kardel::TreeItem* item) { text += (text.empty() ? "" : " ") + std::to_string(memo(item)->m_nKind); });
        return text;
    }

    // Every item's value is its memo's index, every memo has its item, parents
    // precede children in the array, and the current memo is the caret's.
    void CheckBinding() {
        auto memos = doc().Memos();
        ASSERT_EQ(memos.size(), tree().GetCount());
        for (size_t i = 0; i < memos.size(); ++i) {
            kardel::TreeItem* item = memos[i]->m_hTreeItem;
            ASSERT_NE(item, nullptr) << i;
            EXPECT_EQ(item->value(), static_cast<std::int32_t>(i));
            std::int32_t parent = item->parent() ? item->parent()->value() : -1;
            EXPECT_LT(parent, static_cast<std::int32_t>(i));
        }
        ASSERT_NE(tree().GetCaret(), nullptr);
        EXPECT_EQ(doc().CurMemo(), tree().GetCaret()->value());
        EXPECT_EQ(s.memoView().ShownMemo(), doc().CurrentMemo());
        EXPECT_EQ(trash()->parent(), root()); // anywhere among the root's children
        EXPECT_TRUE(kardel::IsTrashKind(memo(trash())->m_nKind));
        EXPECT_EQ(trash()->value(), 1);
    }

    bool Enabled(kardel::CommandId id) { return router.Update(id).enabled; }
    bool Run(kardel::CommandId id) { return router.Execute(id); }

    kardel::HeadlessSession s;
    kardel::CommandRouter router{s.doc()};
};

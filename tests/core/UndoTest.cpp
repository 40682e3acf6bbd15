// Undo and redo of outline edits, judged by the bytes saving writes.
#include "OutlineFixture.h"

#include "core/base/Archive.h"
#include "core/shell/OptionsSheetModel.h"

#include <random>

using namespace kardel;

class UndoTest : public OutlineFixture {
protected:
    std::string Bytes() {
        MemoryOutput out;
        EXPECT_TRUE(doc().StoreTo(out));
        return out.take();
    }
    // Items the user can click without opening a folder.
    std::vector<TreeItem*> Visible() {
        std::vector<TreeItem*> items;
        for (TreeItem* item = root(); item; item = tree().GetNextVisible(item))
            items.push_back(item);
        return items;
    }
    TreeItem* Pick(std::mt19937& rng, const std::vector<TreeItem*>& items) {
        return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng)];
    }
    UndoHistory& history() { return doc().History(); }
    std::string m_importFile = testing::TempDir() + "undo_import.kdl";

    // One random user action after a random click; `before` is taken when only the
    // step itself is left to do.
    void RandomAction(std::mt19937& rng, std::string& before) {
        std::vector<TreeItem*> visible = Visible();
        tree().Select(Pick(rng, visible));
        before = Bytes();
        static const CommandId kMenu[] = {ID_MEMO_CREATE_UNTITLED, ID_MEMO_DUPLICATE,  ID_MEMO_UP,         ID_MEMO_DOWN,
                                          ID_MEMO_LEVEL_UP,        ID_MEMO_LEVEL_DOWN, ID_MEMO_TO_TRASH,   ID_MEMO_CUT,
                                          ID_MEMO_PASTE,           ID_MEMO_COPY,       ID_MEMO_EMPTY_TRASH};
        int choice = std::uniform_int_distribution<int>(0, 17)(rng);
        if (choice < 11) {
            Run(kMenu[choice]);
        } else if (choice == 11) {
            view().OnEndLabelEdit(tree().GetCaret(), "t" + std::to_string(rng() % 5));
        } else if (choice == 12) {
            view().OnDblClk(tree().GetCaret());
        } else if (choice == 13) {
            s.m_dialogs.onMemoProperties = [&](MemoPropValues& v, const CDocOptions&) {
                v.m_strTitle = "p" + std::to_string(rng() % 3);
                v.m_nKindIndex = static_cast<std::int32_t>(rng() % 7);
                v.m_bHasDue = static_cast<std::int32_t>(rng() % 2);
                v.m_timeDue = 958000000 + static_cast<time32>(rng() % 3) * 86400;
                v.m_strSelItem = "s" + std::to_string(rng() % 3);
                return true;
            };
            Run(rng() % 2 ? ID_MEMO_PROPERTY : ID_MEMO_CREATE);
        } else if (choice == 16) {
            s.m_fileDialogs.m_answers = {m_importFile};
            ASSERT_TRUE(Run(ID_IMPORT));
            ASSERT_TRUE(s.m_messages.m_shown.empty());
        } else if (choice == 17) {
            OptionsSheetModel sheet(doc());
            sheet.MarkShown(OptionsSheetModel::MemoViewPage);
            sheet.MarkShown(OptionsSheetModel::FreePage);
            sheet.m_nTabChoice = static_cast<std::int32_t>(rng() % 3);
            if (rng() % 2)
                sheet.FreeAdd("f" + std::to_string(rng() % 3));
            sheet.Apply();
        } else if (choice > 15) {
            return;
        } else {
            // A drag; hovering over a closed folder opens it, which is view state.
            std::vector<TreeItem*> targets;
            for (TreeItem* item : visible)
                if (item->image() != KindClosedFolder)
                    targets.push_back(item);
            if (view().Drag().Begin(tree().GetCaret())) {
                view().Drag().Hover(Pick(rng, targets));
                view().Drag().Drop(choice == 15);
            }
        }
    }
};

// After any sequence of commands, undoing each step gives the bytes from before it,
// and redoing each gives the bytes from after it.
TEST_F(UndoTest, RandomSequencesUndoAndRedoToTheSavedBytes) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        doc().OnNewDocument();
        std::mt19937 rng(seed);
        AddChildren(root(), {"A", "B", "C"});
        AddChildren(Find("B"), {"B1", "B2"});
        tree().Select(Find("C"));
        Run(ID_MEMO_TO_TRASH);
        if (seed == 1) {
            ASSERT_TRUE(doc().OnSaveDocument(m_importFile).ok); // a file with a full trash to import
        }
        history().Clear();
        std::vector<std::string> before, after;
        for (int i = 0; i < 80; ++i) {
            std::string was;
            size_t steps = history().UndoCount();
            RandomAction(rng, was);
            if (history().UndoCount() == steps)
                continue;
            ASSERT_EQ(history().UndoCount(), steps + 1);
            before.push_back(was);
            after.push_back(Bytes());
        }
        ASSERT_GT(before.size(), 10u);
        for (size_t k = before.size(); k-- > 0;) {
            ASSERT_TRUE(Run(ID_MEMO_UNDO));
            ASSERT_EQ(Bytes(), before[k]) << "undo " << k;
            CheckBinding();
        }
        EXPECT_FALSE(Enabled(ID_MEMO_UNDO));
        for (size_t k = 0; k < after.size(); ++k) {
            ASSERT_TRUE(Run(ID_MEMO_REDO));
            ASSERT_EQ(Bytes(), after[k]) << "redo " << k;
            CheckBinding();
        }
        EXPECT_FALSE(Enabled(ID_MEMO_REDO));
    }
}

// Commands that change nothing make no step; a new step drops what could be redone.
// An import below the root moves what lay in the imported trash into this trash. Undone
// and redone again and again, every memo still names the item that shows it.
TEST_F(UndoTest, AnImportWithAFullTrashUndoesAndRedoesAgainAndAgain) {
    doc().OnNewDocument();
    AddChildren(root(), {"T"});
    tree().Select(Find("T"));
    Run(ID_MEMO_TO_TRASH);
    ASSERT_TRUE(doc().OnSaveDocument(m_importFile).ok);
    doc().OnNewDocument();
    AddChildren(root(), {"A"});
    tree().Select(root());
    history().Clear();
    s.m_fileDialogs.m_answers = {m_importFile};
    ASSERT_TRUE(Run(ID_IMPORT));
    const std::string imported = Bytes();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Run(ID_MEMO_UNDO));
        ASSERT_TRUE(Run(ID_MEMO_REDO));
        EXPECT_EQ(Bytes(), imported);
        CheckBinding();
        tree().ForEachItem([&](TreeItem* item) { ASSERT_EQ(doc().Memo(item->value())->m_hTreeItem, item); });
    }
}

TEST_F(UndoTest, OnlyChangesAreSteps) {
    TreeItem* a = Add(root(), "A");
    history().Clear();
    struct Case {
        const char* what;
        std::function<void()> act;
        size_t steps;
    } cases[] = {
        {"copy", [&] { Run(ID_MEMO_COPY); }, 0},
        {"same title", [&] { view().OnEndLabelEdit(a, "A"); }, 0},
        {"expand all", [&] { Run(ID_EXPAND_ALL); }, 0},
        {"refused drop", [&] { view().Drag().Begin(a), view().Drag().Hover(a), view().Drag().Drop(false); }, 0},
        {"rename", [&] { view().OnEndLabelEdit(a, "B"); }, 1},
    };
    for (const Case& c : cases) {
        tree().Select(a);
        c.act();
        EXPECT_EQ(history().UndoCount(), c.steps) << c.what;
    }
    Run(ID_MEMO_UNDO);
    EXPECT_TRUE(Enabled(ID_MEMO_REDO));
    view().OnEndLabelEdit(a, "C");
    EXPECT_FALSE(Enabled(ID_MEMO_REDO));
}

// The modified flag follows the history, unless something outside it changed the document.
TEST_F(UndoTest, UndoingBackToTheSavedStateClearsTheModifiedFlag) {
    TreeItem* a = Add(root(), "A");
    doc().SetModifiedFlag(false); // as saving does
    view().OnEndLabelEdit(a, "B");
    EXPECT_TRUE(doc().IsModified());
    Run(ID_MEMO_UNDO);
    EXPECT_FALSE(doc().IsModified());
    Run(ID_MEMO_REDO);
    EXPECT_TRUE(doc().IsModified());
    s.m_edit.LoadText("typed"); // text typed in MemoView is no step and is kept
    Run(ID_MEMO_UNDO);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(memo(a)->m_strBody, "typed");
    EXPECT_EQ(memo(a)->m_strTitle, "A");
}

// Undo shows the step's name, a cleared clipboard comes back with the memo it was
// taken from, an options change is one step, and undoing keeps what a cut left in the
// clipboard.
TEST_F(UndoTest, NamesClipboardAndOptions) {
    TreeItem* a = Add(root(), "A");
    history().Clear();
    tree().Select(a);
    Run(ID_MEMO_COPY);
    Run(ID_MEMO_TO_TRASH);
    EXPECT_EQ(router.Update(ID_MEMO_UNDO).text, Sjis("元に戻す: ごみ箱へ移動"));
    tree().Select(root());
    EXPECT_FALSE(Enabled(ID_MEMO_PASTE));
    Run(ID_MEMO_UNDO);
    EXPECT_EQ(router.Update(ID_MEMO_REDO).text, Sjis("やり直し: ごみ箱へ移動"));
    EXPECT_TRUE(Enabled(ID_MEMO_PASTE));
    EXPECT_EQ(tree().GetCaret(), Find("A"));
    Run(ID_MEMO_TO_TRASH); // the copy's source is gone again
    tree().Select(root());
    EXPECT_FALSE(Enabled(ID_MEMO_PASTE));

    std::string bytes = Bytes();
    OptionsSheetModel sheet(doc());
    sheet.MarkShown(OptionsSheetModel::MemoViewPage);
    sheet.m_nTabChoice = 2;
    sheet.Apply();
    EXPECT_EQ(router.Update(ID_MEMO_UNDO).text, Sjis("元に戻す: 設定"));
    Run(ID_MEMO_UNDO);
    EXPECT_EQ(Bytes(), bytes);

    // Cut memos live only in the clipboard: undoing the copy of another subtree keeps them.
    tree().Select(Add(root(), "C"));
    Run(ID_MEMO_CUT);
    AddChildren(Add(root(), "D"), {"D1", "D2"});
    tree().Select(Find("D"));
    Run(ID_MEMO_DUPLICATE);
    Run(ID_MEMO_UNDO);
    tree().Select(root());
    EXPECT_TRUE(Enabled(ID_MEMO_PASTE));
}

// The history is bounded: the oldest steps go first.
TEST_F(UndoTest, TheOldestStepsGoFirst) {
    TreeItem* a = Add(root(), "A");
    for (size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i)
        view().OnEndLabelEdit(a, std::to_string(i));
    EXPECT_EQ(history().UndoCount(), UndoHistory::kMaxSteps);
    doc().OnNewDocument();
    EXPECT_FALSE(Enabled(ID_MEMO_UNDO));
}

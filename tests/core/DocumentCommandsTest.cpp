#include "OutlineFixture.h"

#include "core/base/SafeFile.h"
#include "core/base/SettingsStore.h"

#include <cstdio>

using namespace kardel;

namespace {

class DocumentCommands : public OutlineFixture {
protected:
    void Build() {
        AddChildren(root(), {"A", "B"});
        Add(Find("A"), "A1");
        tree().Select(Find("B"));
    }
    int m_dialogs = 0;
    void Answer(bool ok, const std::function<void(MemoPropValues&)>& edit = {}) {
        s.m_dialogs.onMemoProperties = [this, ok, edit](MemoPropValues& values, const CDocOptions&) {
            ++m_dialogs;
            if (edit)
                edit(values);
            return ok;
        };
    }
};

TEST_F(DocumentCommands, CreateWithTheDialogCancelledLeavesNoTrace) {
    Build();
    doc().SetModifiedFlag(false);
    size_t count = doc().Memos().size();
    Answer(false);
    ASSERT_TRUE(Run(ID_MEMO_CREATE));
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(doc().Memos().size(), count);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(tree().GetCaret(), Find("B"));
}

TEST_F(DocumentCommands, CreateWithTheDialogAppliesItsValuesAndInsertsFirst) {
    Build();
    Add(Find("B"), "older");
    tree().Select(Find("B"));
    Answer(true, [](MemoPropValues& v) {
        v.m_strTitle = "new";
        v.m_nKindIndex = 2;
        v.m_bHasDue = 1;
        v.m_timeDue = 958100000;
        v.m_strSelItem = "typed";
    });
    ASSERT_TRUE(Run(ID_MEMO_CREATE));
    EXPECT_EQ(Outline(), "Data(A(A1),B(new,older),#)");
    TreeItem* created = tree().GetCaret();
    EXPECT_EQ(tree().GetItemText(created), "new");
    EXPECT_EQ(memo(created)->m_nKind, 6);
    EXPECT_EQ(created->image(), 6);
    EXPECT_EQ(memo(created)->m_timeDue, 958100000);
    EXPECT_EQ(memo(created)->m_strSelItem, "typed");
    EXPECT_TRUE(doc().m_options.m_arrSelItems.empty()); // only the properties command adds it
    CheckBinding();
}

TEST_F(DocumentCommands, CreateUntitledBelowTheSelectedMemo) {
    Build();
    tree().Select(trash());
    EXPECT_FALSE(Enabled(ID_MEMO_CREATE_UNTITLED));
    tree().Select(Find("A1"));
    ASSERT_TRUE(Run(ID_MEMO_CREATE_UNTITLED));
    EXPECT_EQ(Outline(), "Data(A(A1(" + texts::NewMemoTitle() + ")),B,#)");
    EXPECT_EQ(memo(Find("A1"))->m_nKind, KindOpenFolder);
    CheckBinding();
}

TEST_F(DocumentCommands, PropertiesOfRootAndTrashDoNothing) {
    Build();
    Answer(true, [](MemoPropValues& v) { v.m_strTitle = "changed"; });
    for (TreeItem* item : {root(), trash()}) {
        tree().Select(item);
        doc().EditCurrentMemoProperties(); // as the title strip's double click, without the rule
        EXPECT_FALSE(Enabled(ID_MEMO_PROPERTY));
    }
    EXPECT_EQ(m_dialogs, 0);
    EXPECT_EQ(tree().GetItemText(root()), "Data");
}

TEST_F(DocumentCommands, PropertiesApplyValuesAndKeepAFolderAFolder) {
    Build();
    Answer(true, [](MemoPropValues& v) {
        v.m_strTitle = "Folder";
        v.m_nKindIndex = 3; // a careless dialog: folders keep their kind anyway
        v.m_strSelItem = "green";
    });
    tree().Select(Find("A"));
    doc().SetModifiedFlag(false);
    ASSERT_TRUE(Run(ID_MEMO_PROPERTY));
    EXPECT_EQ(memo(Find("Folder"))->m_nKind, KindOpenFolder);
    EXPECT_EQ(Find("Folder")->image(), KindOpenFolder);
    EXPECT_TRUE(doc().IsModified());
    Answer(true, [](MemoPropValues& v) {
        v.m_nKindIndex = 6;
        v.m_strSelItem = "green";
    });
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_MEMO_PROPERTY));
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindDone);
    EXPECT_EQ(Find("B")->image(), KindDone);
    EXPECT_EQ(doc().m_options.m_arrSelItems, std::vector<std::string>{"green"});
    Answer(false, [](MemoPropValues& v) { v.m_strTitle = "cancelled"; });
    ASSERT_TRUE(Run(ID_MEMO_PROPERTY));
    EXPECT_EQ(memo(Find("B"))->m_strTitle, "B");
}

TEST_F(DocumentCommands, NewStartsAnotherInstance) {
    ASSERT_TRUE(Run(ID_FILE_NEW));
    EXPECT_EQ(s.m_shell.m_started, 1);
    EXPECT_EQ(doc().Memos().size(), 2u);
}

TEST_F(DocumentCommands, SaveModifiedDecisions) {
    std::string path = ::testing::TempDir() + "save-modified.kdl";
    std::remove(path.c_str());
    struct Case {
        bool named;
        int autoSave;
        bool modified;
        IMessageBox::Answer answer;
        bool asked;
        bool saved;
        bool result;
    };
    using A = IMessageBox::Answer;
    const Case cases[] = {
        {true, 1, true, A::Cancel, false, true, true}, {true, 1, false, A::Cancel, false, false, true},
        {false, 1, true, A::No, true, false, true},    {true, 0, true, A::Yes, true, true, true},
        {true, 0, true, A::No, true, false, true},     {true, 0, true, A::Cancel, true, false, false},
        {false, 0, true, A::Yes, true, false, false}, // the save-as dialog is cancelled
    };
    for (const Case& c : cases) {
        HeadlessSession t;
        t.doc().OnNewDocument();
        if (c.named) {
            ASSERT_TRUE(t.doc().OnSaveDocument(path).ok);
        }
        std::remove(path.c_str());
        AppSettings(t.m_settings).Set(AppSettings::kAutoSave, c.autoSave);
        t.m_messages.m_answer = c.answer;
        t.doc().SetModifiedFlag(c.modified);
        EXPECT_EQ(t.doc().SaveModified(), c.result);
        EXPECT_EQ(!t.m_messages.m_asked.empty(), c.asked);
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(path, bytes).ok, c.saved);
        if (c.asked) {
            std::string question = Sjis("%1 への変更を保存しますか?");
            question.replace(question.find("%1"), 2, t.doc().m_strTitle);
            EXPECT_EQ(t.m_messages.m_asked[0], question);
        }
    }
}

TEST_F(DocumentCommands, SaveModifiedStoresTheMemoViewTextFirst) {
    Build();
    s.m_edit.m_text = "last words";
    s.m_messages.m_answer = IMessageBox::Answer::No;
    EXPECT_TRUE(doc().SaveModified());
    EXPECT_EQ(memo(Find("B"))->m_strBody, "last words");
}

} // namespace

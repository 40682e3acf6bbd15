#include "core/shell/OptionsSheetModel.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/search/CKdListView.h"
#include "core/shell/AboutVersion.h"
#include "core/shell/AppCommands.h"
#include "core/shell/CKdEditView.h"
#include "core/shell/DocumentSession.h"
#include "core/shell/OptionsCommand.h"
#include "core/tree/CKdTreeView.h"
#include "core/tree/CTitleView.h"
#include "core/tree/MemoPropRules.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {

// FindView's place in the view list, recording every hint it receives.
class HintSpy : public CKdListView {
public:
    using CKdListView::CKdListView;
    void OnUpdate(CView*, int hint, CMemoItem* memo) override { m_hints.emplace_back(hint, memo); }
    std::vector<std::pair<int, CMemoItem*>> m_hints;
    std::vector<int> Hints() const {
        std::vector<int> h;
        for (auto& [hint, memo] : m_hints)
            h.push_back(hint);
        return h;
    }
};

class OptionsSheet : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        DocumentSession& views = m_session.session();
        m_doc.AttachViews(&m_spy, &views.m_titleView, &views.m_memoView, &views.m_treeView);
        m_doc.OnNewDocument();
        m_spy.m_hints.clear();
    }
    HeadlessSession m_session;
    CKardelDoc& m_doc = m_session.doc();
    HintSpy m_spy{m_doc};
    AppSettings settings{m_session.m_settings};
};

} // namespace

TEST_F(OptionsSheet, OnlyTheApplicationPageWhenOnlyItWasShown) {
    m_session.m_settings.SetInt("Settings", AppSettings::kAutoSave, 1);
    m_session.m_settings.SetInt("Settings", AppSettings::kCloseOtherFolders, 1);
    m_doc.m_options.m_nTabChoice = 2;
    OptionsSheetModel sheet(m_doc);
    // The store is the source of the four flags, also for the record's copies.
    EXPECT_EQ(sheet.m_bAutoSave, 1);
    EXPECT_EQ(m_doc.m_options.m_bAutoSave, 1);
    EXPECT_EQ(sheet.m_bCloseOtherFolders, 1);
    EXPECT_EQ(sheet.m_bSelectModifies, 0);
    sheet.MarkShown(OptionsSheetModel::AppliPage); // the sheet opens on it
    sheet.m_bSelectModifies = 1;
    sheet.m_nTabChoice = 0; // never shown: must not arrive
    ASSERT_FALSE(m_doc.IsModified());
    sheet.Apply();
    EXPECT_FALSE(m_doc.IsModified()); // applying alone does not mark it
    EXPECT_EQ(settings.Get(AppSettings::kSelectModifies), 1);
    EXPECT_EQ(settings.Get(AppSettings::kAutoSave), 1);
    EXPECT_EQ(settings.Get(AppSettings::kShowFirstFound), 0);
    EXPECT_EQ(m_doc.m_options.m_nTabChoice, 2);
    EXPECT_TRUE(m_spy.m_hints.empty());
    EXPECT_TRUE(m_session.m_frame.m_definitionIcons.empty());
}

TEST_F(OptionsSheet, TheCommandMarksModifiedOnOkOnly) {
    OptionsCommand command(m_doc);
    CCmdUI ui;
    EXPECT_TRUE(command.OnUpdateCmd(ID_OPTIONS, ui));
    EXPECT_TRUE(ui.enabled);
    EXPECT_FALSE(command.OnUpdateCmd(ID_FIND, ui));
    int shown = 0;
    m_session.m_dialogs.onOptionsSheet = [&](CKardelDoc& doc) {
        EXPECT_EQ(&doc, &m_doc);
        ++shown;
        return false;
    };
    EXPECT_TRUE(command.OnCmdMsg(ID_OPTIONS));
    EXPECT_FALSE(m_doc.IsModified());
    m_session.m_dialogs.onOptionsSheet = [&](CKardelDoc&) { return ++shown > 0; }; // OK at once
    EXPECT_TRUE(command.OnCmdMsg(ID_OPTIONS));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(shown, 2);
}

TEST_F(OptionsSheet, EachShownPageSendsItsHint) {
    OptionsSheetModel sheet(m_doc);
    CMemoItem* current = m_doc.CurrentMemo();
    sheet.MarkShown(OptionsSheetModel::IconPage);
    sheet.MarkShown(OptionsSheetModel::MemoViewPage);
    sheet.MarkShown(OptionsSheetModel::FreePage);
    sheet.m_strIconFile[2] = "/tmp/x.ico";
    sheet.m_strIconFile[3].clear(); // an emptied path leaves the icon as it is
    sheet.m_strDefName[0] = "Renamed";
    sheet.m_bCycle[6] = 0;
    sheet.m_nTabChoice = 2;
    sheet.FreeAdd("one");
    sheet.m_strSelTitle = "Title";
    sheet.m_bSelEnabled = 1;
    sheet.Apply();
    EXPECT_EQ(m_spy.Hints(), (std::vector<int>{HintIconsReloaded, HintStoreText, HintTabChanged, HintSelItemsChanged}));
    EXPECT_EQ(m_spy.m_hints[0].second, current);
    EXPECT_EQ(m_spy.m_hints[2].second, current);
    EXPECT_EQ(m_spy.m_hints[3].second, nullptr);
    // "未定義" is stored as shown and still goes to the frame, which falls back to the built-in icon.
    std::vector<std::pair<int, std::string>> reloads = {
        {1, texts::Undefined()}, {2, texts::Undefined()}, {3, "/tmp/x.ico"}, {5, texts::Undefined()}};
    EXPECT_EQ(m_session.m_frame.m_definitionIcons, reloads);
    const CDocOptions& o = m_doc.m_options;
    EXPECT_EQ(o.m_strIconFile[2], "/tmp/x.ico");
    EXPECT_EQ(o.m_strIconFile[3], "");
    EXPECT_EQ(o.m_strDefName[0], "Renamed");
    EXPECT_EQ(o.m_bCycle[6], 0);
    EXPECT_EQ(o.m_nTabChoice, 2);
    EXPECT_EQ(o.m_arrSelItems, std::vector<std::string>{"one"});
    EXPECT_EQ(o.m_strSelTitle, "Title");
    EXPECT_EQ(o.m_bSelEnabled, 1);
    EXPECT_FALSE(m_doc.IsModified()); // Apply alone does not mark the document
}

TEST_F(OptionsSheet, MemoViewPageStoresTypedTextBeforeReloading) {
    CMemoItem* current = m_doc.CurrentMemo();
    m_session.memoView().LoadMemo(*current);
    m_session.m_edit.m_text = "typed";
    OptionsSheetModel sheet(m_doc);
    sheet.MarkShown(OptionsSheetModel::MemoViewPage);
    sheet.m_nTabChoice = 0;
    sheet.Apply();
    EXPECT_EQ(current->m_strBody, "typed");
    EXPECT_EQ(m_session.m_edit.m_text, "typed");
}

TEST_F(OptionsSheet, EmptyIconFileIsShownAsUndefined) {
    m_doc.m_options.m_strIconFile[1].clear();
    OptionsSheetModel sheet(m_doc);
    EXPECT_EQ(sheet.m_strIconFile[1], texts::Undefined());
}

TEST_F(OptionsSheet, Validations) {
    OptionsSheetModel sheet(m_doc);
    EXPECT_FALSE(sheet.Validate(OptionsSheetModel::IconPage));
    for (auto& flag : sheet.m_bCycle)
        flag = 0;
    EXPECT_EQ(sheet.Validate(OptionsSheetModel::IconPage),
              Sjis("ダブルクリック時に遷移する定義を１つ以上選択する必要があります。"));
    sheet.m_bCycle[3] = 1;
    EXPECT_FALSE(sheet.Validate(OptionsSheetModel::IconPage));

    EXPECT_FALSE(sheet.Validate(OptionsSheetModel::FreePage)); // disabled: an empty title is fine
    sheet.m_bSelEnabled = 1;
    EXPECT_EQ(sheet.Validate(OptionsSheetModel::FreePage), Sjis("タイトルを入力してください。"));
    EXPECT_EQ(sheet.FreeTabText(), "");
    sheet.m_strSelTitle = "Tag";
    EXPECT_FALSE(sheet.Validate(OptionsSheetModel::FreePage));
    EXPECT_EQ(sheet.FreeTabText(), "Tag");
    sheet.m_bSelEnabled = 0;
    EXPECT_EQ(sheet.FreeTabText(), Sjis("選択項目"));
    EXPECT_FALSE(sheet.Validate(OptionsSheetModel::AppliPage));
}

TEST_F(OptionsSheet, SelectionListSteps) {
    OptionsSheetModel sheet(m_doc);
    EXPECT_EQ(sheet.m_selSelected, -1);
    EXPECT_FALSE(sheet.FreeMoveUp());
    EXPECT_FALSE(sheet.FreeDelete());
    EXPECT_FALSE(sheet.FreeChange("x"));
    EXPECT_TRUE(sheet.FreeAdd("a"));
    EXPECT_TRUE(sheet.FreeAdd("b"));
    EXPECT_TRUE(sheet.FreeAdd("b")); // duplicates and empty texts are accepted
    EXPECT_TRUE(sheet.FreeAdd(""));
    EXPECT_EQ(sheet.m_selSelected, 3);
    EXPECT_FALSE(sheet.FreeMoveDown()); // the last one
    EXPECT_TRUE(sheet.FreeMoveUp());
    EXPECT_EQ(sheet.m_selSelected, 2);
    EXPECT_EQ(sheet.m_arrSelItems, (std::vector<std::string>{"a", "b", "", "b"}));
    sheet.m_selSelected = 0;
    EXPECT_FALSE(sheet.FreeMoveUp()); // the first one
    EXPECT_TRUE(sheet.FreeChange("z"));
    EXPECT_EQ(sheet.m_selSelected, 0);
    sheet.m_selSelected = 3;
    EXPECT_TRUE(sheet.FreeDelete());
    EXPECT_EQ(sheet.m_selSelected, 2);
    EXPECT_EQ(sheet.m_arrSelItems, (std::vector<std::string>{"z", "b", ""}));
}

TEST_F(OptionsSheet, StandardSearchEditingAndTransfer) {
    m_doc.m_options.m_stdFind[1].m_selOn = 1;
    m_doc.m_options.m_stdFind[1].m_arrSelItems = {"s"};
    m_doc.m_options.m_nInitialFind = 3;
    OptionsSheetModel sheet(m_doc);
    EXPECT_EQ(sheet.m_nInitialFind, 3);
    FindSheetModel find = sheet.BeginStdFindEdit(1);
    EXPECT_FALSE(find.IsScopeChoiceEnabled(1));
    EXPECT_FALSE(find.HasFreePage());
    find.MarkShown(FindSheetModel::KindPage);
    find.m_work.m_stringOn = 1;
    find.m_work.m_search = "q";
    m_doc.m_findCond.m_scope = 2;
    // The shown pages reach the current search; the string page was never shown.
    sheet.ApplyStdFindSheet(find);
    EXPECT_EQ(m_doc.m_findCond.m_scope, 0);
    EXPECT_EQ(m_doc.m_findCond.m_stringOn, 0);
    sheet.EndStdFindEdit(1, find);
    EXPECT_EQ(sheet.m_stdFind[1].m_stringOn, 1);
    EXPECT_EQ(sheet.m_stdFind[1].m_selOn, 0); // selection items are off: the test goes off
    EXPECT_EQ(sheet.m_stdFind[1].m_arrSelItems, std::vector<std::string>{"s"});
    sheet.m_strStdFindName[1] = "Second";
    sheet.m_nInitialFind = 6;
    sheet.Apply(); // the page was never shown
    EXPECT_EQ(m_doc.m_options.m_stdFind[1].m_stringOn, 0);
    EXPECT_EQ(m_doc.m_options.m_nInitialFind, 3);
    sheet.MarkShown(OptionsSheetModel::StdFindPage);
    sheet.Apply();
    EXPECT_EQ(m_doc.m_options.m_stdFind[1], sheet.m_stdFind[1]);
    EXPECT_EQ(m_doc.m_options.m_strStdFindName[1], "Second");
    EXPECT_EQ(m_doc.m_options.m_nInitialFind, 6);
}

TEST(MemoPropRules, StartStateOfTheControls) {
    CDocOptions options;
    options.m_strSelTitle = "Tag";
    struct Case {
        int kindIndex, hasDue, selEnabled;
        bool kinds, duePicker, donePicker, sel;
    } cases[] = {
        {0, 1, 1, true, true, false, true},     {6, 0, 0, true, false, true, false},
        {6, 1, 1, true, true, true, true},      {-1, 1, 1, false, false, false, false},
        {-2, 0, 1, false, false, false, false}, {3, 2, 0, true, false, false, false},
    };
    for (const Case& c : cases) {
        MemoPropValues values;
        values.m_nKindIndex = c.kindIndex;
        values.m_bHasDue = c.hasDue;
        options.m_bSelEnabled = c.selEnabled;
        MemoPropControlState s = MemoPropStartState(values, options);
        EXPECT_EQ(s.kindsEnabled, c.kinds) << c.kindIndex;
        EXPECT_EQ(s.datesEnabled, c.kinds);
        EXPECT_EQ(s.duePickerEnabled, c.duePicker) << c.kindIndex;
        EXPECT_EQ(s.donePickerEnabled, c.donePicker) << c.kindIndex;
        EXPECT_EQ(s.selItemEnabled, c.sel) << c.kindIndex;
        EXPECT_EQ(s.selItemCaption, c.selEnabled ? "Tag" : Sjis("選択項目"));
    }
}

TEST(AboutVersion, TextFromTheProductVersion) {
    struct Case {
        const char* version;
        std::string text;
    } cases[] = {
        {"1.1.5.0", "1.15"},   {"1.1.5.2", "1.15" + Sjis("β") + "2"},
        {"2.0.13.0", "2.013"}, {"1.258.5.0", "1.25"}, // only the low 8 bits of the minor number count
        {"1", "1.00"},         {"", "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AboutVersionText(c.version), c.text) << c.version;
    EXPECT_EQ(AboutVersionLabel("1.1.5.0"), "Kardel Version 1.15");
}

TEST(AppCommands, AboutAndHelp) {
    HeadlessDialogs dialogs;
    HeadlessShell shell;
    AppCommands commands(dialogs, shell, "file:///help/index.html");
    CCmdUI ui;
    EXPECT_TRUE(commands.OnUpdateCmd(ID_HELP_FINDER, ui));
    EXPECT_TRUE(ui.enabled);
    EXPECT_FALSE(commands.OnUpdateCmd(ID_FIND, ui));
    EXPECT_TRUE(commands.OnCmdMsg(ID_APP_ABOUT));
    EXPECT_TRUE(commands.OnCmdMsg(ID_HELP_FINDER));
    EXPECT_EQ(dialogs.m_aboutShown, 1);
    EXPECT_EQ(shell.m_opened, std::vector<std::string>{"file:///help/index.html"});
    AppCommands noHelp(dialogs, shell, "");
    EXPECT_TRUE(noHelp.OnUpdateCmd(ID_HELP_FINDER, ui));
    EXPECT_FALSE(ui.enabled);
}

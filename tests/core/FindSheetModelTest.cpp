#include "model/CDocOptions.h"
#include "model/Texts.h"
#include "search/CFindSheetModel.h"
#include "search/CStdFindChoice.h"
#include "shell/FileFilter.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {
CFindCondition Filled() {
    CFindCondition c;
    c.m_nScope = 1;
    c.m_bKindDef[2] = 1;
    c.m_bKindMemo = 1;
    c.m_bKindsOn = 1;
    c.m_timeGiven = 900000000;
    c.m_nDateField = 2;
    c.m_bDateOn = 1;
    c.m_nDateRelation = 1;
    c.m_nDateSource = 1;
    c.m_bSearchBody = 1;
    c.m_strSearch = "abc";
    c.m_bStringOn = 1;
    c.m_arrSelItems = {"x", "y"};
    c.m_bSelOn = 1;
    return c;
}
CDocOptions WithSelItems(bool enabled) {
    CDocOptions o;
    o.m_bSelEnabled = enabled;
    o.m_strSelTitle = "T";
    o.m_arrSelItems = {"a", "b", "c"};
    return o;
}
} // namespace

using FindSheetModel = FixedNowTest;

TEST_F(FindSheetModel, OnlyShownPagesWriteTheirSlice) {
    const CFindCondition before; // every test off
    struct Case {
        std::vector<CFindSheetModel::Page> shown;
        bool scope, kinds, date, string, sel;
    } cases[] = {
        {{}, false, false, false, false, false},
        {{CFindSheetModel::KindPage}, true, false, false, false, false},
        {{CFindSheetModel::TeigiPage}, false, true, false, false, false},
        {{CFindSheetModel::DatePage}, false, false, true, false, false},
        {{CFindSheetModel::StringPage}, false, false, false, true, false},
        {{CFindSheetModel::FreePage}, false, false, false, false, true},
        {{CFindSheetModel::KindPage, CFindSheetModel::StringPage}, true, false, false, true, false},
    };
    CDocOptions options = WithSelItems(true);
    for (const Case& c : cases) {
        CFindSheetModel sheet(Filled(), options, false);
        for (auto page : c.shown)
            sheet.MarkShown(page);
        CFindCondition target = before;
        sheet.ApplyShown(target);
        EXPECT_EQ(target.m_nScope, c.scope ? 1 : 0);
        EXPECT_EQ(target.m_bKindsOn == 1 && target.m_bKindDef[2] == 1 && target.m_bKindMemo == 1, c.kinds);
        EXPECT_EQ(target.m_bDateOn == 1 && target.m_timeGiven == 900000000 && target.m_nDateField == 2 &&
                      target.m_nDateRelation == 1 && target.m_nDateSource == 1,
                  c.date);
        EXPECT_EQ(target.m_bStringOn == 1 && target.m_strSearch == "abc" && target.m_bSearchBody == 1, c.string);
        EXPECT_EQ(target.m_bSelOn == 1 && target.m_arrSelItems.size() == 2, c.sel);
    }
}

TEST_F(FindSheetModel, SelectionFlagReachesThePageOnlyWhileSelectionItemsAreEnabled) {
    CFindSheetModel enabled(Filled(), WithSelItems(true), false);
    EXPECT_TRUE(enabled.HasFreePage());
    EXPECT_EQ(enabled.m_work.m_bSelOn, 1);

    CFindSheetModel disabled(Filled(), WithSelItems(false), false);
    EXPECT_FALSE(disabled.HasFreePage());
    EXPECT_EQ(disabled.ShownPageCount(), 4);
    EXPECT_EQ(disabled.m_work.m_bSelOn, 0);
    EXPECT_EQ(disabled.m_work.m_arrSelItems, (std::vector<std::string>{"x", "y"}));
}

TEST_F(FindSheetModel, RestrictedScopeAllowsOnlyEveryMemo) {
    CFindSheetModel free(Filled(), CDocOptions(), false);
    CFindSheetModel restricted(Filled(), CDocOptions(), true);
    for (int scope = 0; scope < 3; ++scope) {
        EXPECT_TRUE(free.IsScopeChoiceEnabled(scope));
        EXPECT_EQ(restricted.IsScopeChoiceEnabled(scope), scope == 0);
    }
}

TEST_F(FindSheetModel, AddAppendsOnlyNewEntriesAndDeleteReselects) {
    CFindCondition source;
    CFindSheetModel sheet(source, WithSelItems(true), false);
    EXPECT_FALSE(sheet.AddSelItem(-1)); // no selection on the left
    EXPECT_FALSE(sheet.AddSelItem(3));
    EXPECT_TRUE(sheet.AddSelItem(0));
    EXPECT_FALSE(sheet.AddSelItem(0)); // already there
    EXPECT_TRUE(sheet.AddSelItem(2));
    EXPECT_TRUE(sheet.AddSelItem(1));
    EXPECT_EQ(sheet.m_work.m_arrSelItems, (std::vector<std::string>{"a", "c", "b"}));

    struct Case {
        int selected;
        bool removed;
        int after;
        std::vector<std::string> left;
    } steps[] = {
        {5, false, 5, {"a", "c", "b"}},
        {2, true, 1, {"a", "c"}}, // the last of three: the new last is selected
        {0, true, 0, {"c"}},
        {0, true, -1, {}}, // the only entry: no selection
        {-1, false, -1, {}},
    };
    for (const Case& step : steps) {
        int selected = step.selected;
        EXPECT_EQ(sheet.DeleteSelItem(selected), step.removed);
        EXPECT_EQ(selected, step.after);
        EXPECT_EQ(sheet.m_work.m_arrSelItems, step.left);
    }
}

TEST(StdFindChoice, RowsKeysAndResult) {
    CDocOptions options;
    options.m_strStdFindName[2] = "three";
    EXPECT_EQ(CStdFindChoice::NumberText(0), "1");
    EXPECT_EQ(CStdFindChoice::NumberText(4), "5");
    EXPECT_EQ(CStdFindChoice::NameText(options, 2), "three");
    EXPECT_EQ(CStdFindChoice::NameText(options, 0), texts::Undefined());
    EXPECT_EQ(CStdFindChoice::NameText(options, 7), "");
    int lastToRow[][2] = {{0, -1}, {1, 0}, {3, 2}, {5, 4}, {6, -1}, {-1, -1}};
    for (auto& c : lastToRow)
        EXPECT_EQ(CStdFindChoice::PreselectedRow(c[0]), c[1]) << c[0];
    int rowToNumber[][2] = {{-1, 0}, {0, 1}, {4, 5}, {5, 0}};
    for (auto& c : rowToNumber)
        EXPECT_EQ(CStdFindChoice::ChosenNumber(c[0]), c[1]) << c[0];
    EXPECT_EQ(CStdFindChoice::RowForKey('3'), 2);
    EXPECT_EQ(CStdFindChoice::RowForKey('1'), 0);
    EXPECT_EQ(CStdFindChoice::RowForKey('5'), 4);
    EXPECT_FALSE(CStdFindChoice::RowForKey('0'));
    EXPECT_FALSE(CStdFindChoice::RowForKey('6'));
    EXPECT_FALSE(CStdFindChoice::RowForKey('a'));
}

TEST(FileFilter, PairsOfNamesAndPatterns) {
    auto entries = ParseFileFilter("Kardel Files (*.kdl)|*.kdl|All Files (*.*)|*.*||");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Kardel Files (*.kdl)");
    EXPECT_EQ(entries[0].patterns, std::vector<std::string>{"*.kdl"});
    EXPECT_EQ(entries[1].patterns, std::vector<std::string>{"*.*"});
    auto several = ParseFileFilter("Pictures|*.png;*.ico;|Broken|");
    ASSERT_EQ(several.size(), 1u);
    EXPECT_EQ(several[0].patterns, (std::vector<std::string>{"*.png", "*.ico"}));
    EXPECT_TRUE(ParseFileFilter("").empty());
    EXPECT_TRUE(ParseFileFilter("|||").empty());
}

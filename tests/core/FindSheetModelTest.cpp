#include "core/search/FindSheetModel.h"
#include "core/base/Texts.h"
#include "core/model/CDocOptions.h"
#include "core/search/StdFindChoice.h"
#include "core/shell/FileFilter.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {
CFindCondition Filled() {
    CFindCondition c;
    c.m_scope = 1;
    c.m_kindDef[2] = 1;
    c.m_kindMemo = 1;
    c.m_kindsOn = 1;
    c.m_givenTime = 900000000;
    c.m_dateField = 2;
    c.m_dateOn = 1;
    c.m_dateRelation = 1;
    c.m_dateSource = 1;
    c.m_searchBody = 1;
    c.m_search = "abc";
    c.m_stringOn = 1;
    c.m_arrSelItems = {"x", "y"};
    c.m_selOn = 1;
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

using FindSheetModelTest = FixedNowTest;

TEST_F(FindSheetModelTest, OnlyShownPagesWriteTheirSlice) {
    const CFindCondition before; // every test off
    struct Case {
        std::vector<FindSheetModel::Page> shown;
        bool scope, kinds, date, string, sel;
    } cases[] = {
        {{}, false, false, false, false, false},
        {{FindSheetModel::KindPage}, true, false, false, false, false},
        {{FindSheetModel::TeigiPage}, false, true, false, false, false},
        {{FindSheetModel::DatePage}, false, false, true, false, false},
        {{FindSheetModel::StringPage}, false, false, false, true, false},
        {{FindSheetModel::FreePage}, false, false, false, false, true},
        {{FindSheetModel::KindPage, FindSheetModel::StringPage}, true, false, false, true, false},
    };
    CDocOptions options = WithSelItems(true);
    for (const Case& c : cases) {
        FindSheetModel sheet(Filled(), options, false);
        for (auto page : c.shown)
            sheet.MarkShown(page);
        CFindCondition target = before;
        sheet.ApplyShown(target);
        EXPECT_EQ(target.m_scope, c.scope ? 1 : 0);
        EXPECT_EQ(target.m_kindsOn == 1 && target.m_kindDef[2] == 1 && target.m_kindMemo == 1, c.kinds);
        EXPECT_EQ(target.m_dateOn == 1 && target.m_givenTime == 900000000 && target.m_dateField == 2 &&
                      target.m_dateRelation == 1 && target.m_dateSource == 1,
                  c.date);
        EXPECT_EQ(target.m_stringOn == 1 && target.m_search == "abc" && target.m_searchBody == 1, c.string);
        EXPECT_EQ(target.m_selOn == 1 && target.m_arrSelItems.size() == 2, c.sel);
    }
}

TEST_F(FindSheetModelTest, SelectionFlagReachesThePageOnlyWhileSelectionItemsAreEnabled) {
    FindSheetModel enabled(Filled(), WithSelItems(true), false);
    EXPECT_TRUE(enabled.HasFreePage());
    EXPECT_EQ(enabled.m_work.m_selOn, 1);

    FindSheetModel disabled(Filled(), WithSelItems(false), false);
    EXPECT_FALSE(disabled.HasFreePage());
    EXPECT_EQ(disabled.ShownPageCount(), 4);
    EXPECT_EQ(disabled.m_work.m_selOn, 0);
    EXPECT_EQ(disabled.m_work.m_arrSelItems, (std::vector<std::string>{"x", "y"}));
}

TEST_F(FindSheetModelTest, RestrictedScopeAllowsOnlyEveryMemo) {
    FindSheetModel free(Filled(), CDocOptions(), false);
    FindSheetModel restricted(Filled(), CDocOptions(), true);
    for (int scope = 0; scope < 3; ++scope) {
        EXPECT_TRUE(free.IsScopeChoiceEnabled(scope));
        EXPECT_EQ(restricted.IsScopeChoiceEnabled(scope), scope == 0);
    }
}

TEST_F(FindSheetModelTest, AddAppendsOnlyNewEntriesAndDeleteReselects) {
    CFindCondition source;
    FindSheetModel sheet(source, WithSelItems(true), false);
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
    EXPECT_EQ(StdFindChoice::NumberText(0), "1");
    EXPECT_EQ(StdFindChoice::NumberText(4), "5");
    EXPECT_EQ(StdFindChoice::NameText(options, 2), "three");
    EXPECT_EQ(StdFindChoice::NameText(options, 0), texts::Undefined());
    EXPECT_EQ(StdFindChoice::NameText(options, 7), "");
    int lastToRow[][2] = {{0, -1}, {1, 0}, {3, 2}, {5, 4}, {6, -1}, {-1, -1}};
    for (auto& c : lastToRow)
        EXPECT_EQ(StdFindChoice::PreselectedRow(c[0]), c[1]) << c[0];
    int rowToNumber[][2] = {{-1, 0}, {0, 1}, {4, 5}, {5, 0}};
    for (auto& c : rowToNumber)
        EXPECT_EQ(StdFindChoice::ChosenNumber(c[0]), c[1]) << c[0];
    EXPECT_EQ(StdFindChoice::RowForKey('3'), 2);
    EXPECT_EQ(StdFindChoice::RowForKey('1'), 0);
    EXPECT_EQ(StdFindChoice::RowForKey('5'), 4);
    EXPECT_FALSE(StdFindChoice::RowForKey('0'));
    EXPECT_FALSE(StdFindChoice::RowForKey('6'));
    EXPECT_FALSE(StdFindChoice::RowForKey('a'));
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

#include "FixedNowTest.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"
#include "core/shell/DocumentSession.h"

using namespace kardel;

namespace {
std::string Utf8(const std::string& cp932) {
    return Cp932Codec::ToUtf8(cp932).text;
}

class TitleView : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        s.doc().OnNewDocument();
    }
    CTitleView& strip() { return s.session().m_titleView; }
    HeadlessSession s;
};
} // namespace

TEST_F(TitleView, DueAlertAndDashesForMissingDates) {
    const time32 now = m_clock.Now();
    struct Row {
        std::int32_t kind, hasDue;
        time32 due;
        bool alert;
        const char* dueText;
        const char* doneText;
    };
    const Row rows[] = {
        {KindMemo, 1, now, true, "2000/05/11", "----/--/--"},
        {KindMemo, 1, now - 86400 * 3, true, "2000/05/08", "----/--/--"},
        {KindMemo, 1, now + 86400, false, "2000/05/12", "----/--/--"},
        {KindMemo, 0, now - 86400, false, "----/--/--", "----/--/--"},
        {KindDone, 0, 0, false, "----/--/--", "2000/05/11"},
    };
    for (const Row& row : rows) {
        CMemoItem memo(row.kind);
        memo.m_bHasDue = row.hasDue;
        memo.m_timeDue = row.due;
        memo.m_timeDone = now;
        strip().Refresh(memo);
        EXPECT_EQ(strip().m_bDueAlert != 0, row.alert) << row.dueText;
        EXPECT_EQ(strip().m_strDue, row.dueText);
        EXPECT_EQ(strip().m_strDone, row.doneText);
    }
    EXPECT_EQ(Utf8(strip().DateLine()), "作成日:2000/05/11  更新日:2000/05/11  期日:----/--/--  完了日:2000/05/11");
}

TEST_F(TitleView, KindNamesAndUnknownKindsKeepThePreviousName) {
    s.doc().m_options.m_strDefName[2] = Sjis("重要");
    struct Row {
        std::int32_t kind;
        const char* name;
    };
    for (Row row : {Row{0, "ﾌｫﾙﾀﾞ"}, Row{1, "ﾌｫﾙﾀﾞ"}, Row{3, "ごみ箱"}, Row{4, "メモ"}, Row{7, "重要"}, Row{10, "完了"},
                    Row{42, "完了"}, Row{-1, "完了"}}) {
        CMemoItem memo(KindMemo);
        memo.m_nKind = row.kind;
        strip().Refresh(memo);
        EXPECT_EQ(Utf8(strip().m_strKind), row.name) << row.kind;
    }
}

TEST_F(TitleView, SelectionItemsMakeTheStripTall) {
    CMemoItem memo(KindMemo);
    memo.m_strSelItem = "A";
    s.doc().m_options.m_bSelEnabled = 0;
    strip().Refresh(memo);
    EXPECT_FALSE(s.m_frame.m_titleStripTall);
    s.doc().m_options.m_bSelEnabled = 1;
    s.doc().m_options.m_strSelTitle = "Item";
    strip().Refresh(memo);
    EXPECT_TRUE(s.m_frame.m_titleStripTall);
    EXPECT_EQ(strip().SelItemLine(), "Item:A");
}

TEST_F(TitleView, OnlyHints3And4And9Refresh) {
    CMemoItem memo(KindMemo);
    memo.m_strTitle = "first";
    for (int hint : {1, 2, 5, 6, 8, 10}) {
        strip().OnUpdate(nullptr, hint, &memo);
        EXPECT_NE(strip().m_strTitle, "first") << hint;
    }
    for (int hint : {3, 4, 9}) {
        strip().m_strTitle.clear();
        strip().OnUpdate(nullptr, hint, &memo);
        EXPECT_EQ(strip().m_strTitle, "first") << hint;
    }
}

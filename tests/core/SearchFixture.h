#pragma once
#include "core/base/Texts.h"
#include "core/shell/DocumentSession.h"

#include "FixedNowTest.h"

#include <memory>
#include <string>

// A new document in a headless session, with helpers that add memos under a
// given memo the way the document's create command does.
class SearchFixture : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        s = std::make_unique<kardel::HeadlessSession>();
        doc().OnNewDocument();
    }
    void TearDown() override {
        s.reset();
        FixedNowTest::TearDown();
    }

    kardel::CKardelDoc& doc() { return s->doc(); }
    kardel::TreeControl& tree() { return s->treeView().Tree(); }
    kardel::CKdListView& list() { return s->findView(); }
    kardel::CMemoItem* root() { return doc().Memo(0); }
    kardel::CMemoItem* trash() { return doc().Memo(1); }

    // Inserted as the first child of `parent` (cp932 title).
    kardel::CMemoItem* Add(kardel::CMemoItem* parent, const std::string& title, int kind = kardel::KindMemo) {
        tree().Select(parent->m_hTreeItem);
        auto* memo = doc().AppendMemo(std::make_unique<kardel::CMemoItem>(kind));
        memo->m_strTitle = title;
        doc().UpdateAllViews(nullptr, kardel::HintMemoCreated, memo);
        return memo;
    }

    // The titles of the listed memos, top to bottom, joined by commas.
    std::string Listed() {
        std::string out;
        for (int row = 0; row < list().RowCount(); ++row)
            out += (row ? "," : "") + list().CellText(row, 0);
        return out;
    }

    std::unique_ptr<kardel::HeadlessSession> s;
};

// 2000-05-10 00:00:00 and 2000-05-11 00:00:00 in Tokyo (the tests run with TZ=Asia/Tokyo).
constexpr kardel::time32 kMay10 = 957884400;
constexpr kardel::time32 kMay11 = 957970800;
constexpr kardel::time32 kDay = 86400;

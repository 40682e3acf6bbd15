#include "dialogs/COptionsSheet.h"

#include "Cp932Text.h"
#include "dialogs/COptionAppliPage.h"
#include "dialogs/COptionFree.h"
#include "dialogs/COptionIcon.h"
#include "dialogs/COptionMemoView.h"
#include "dialogs/COptionStdFind.h"
#include "dialogs/SaveOptionsPage.h"
#include "model/CKardelDoc.h"
#include "shell/COptionsSheetModel.h"
#include "shell/Platform.h"

namespace kardel::gui {

COptionsSheet::COptionsSheet(COptionsSheetModel& model, QWidget* parent)
    : CPropertySheet(Utf8("設定ダイアログ"), parent), m_model(model) {
    m_free = new COptionFree(model, this);
    constexpr int count = COptionsSheetModel::PageCount;
    COptionPage* pages[count] = {new COptionAppliPage(model, this),
                                 new COptionStdFind(model, this),
                                 new COptionIcon(model, this),
                                 new COptionMemoView(model, this),
                                 m_free,
                                 new SaveOptionsPage(model, this)};
    const char* const titles[count] = {"ｱﾌﾟﾘｹｰｼｮﾝ", "標準検索", "アイコンと定義", "MemoView", "選択項目", "保存"};
    const char* const names[count] = {"appliPage", "stdFindPage", "iconPage", "memoViewPage", "freePage", "savePage"};
    for (int i = 0; i < count; ++i) {
        pages[i]->setObjectName(QLatin1String(names[i]));
        AddPage(pages[i], Utf8(titles[i]));
        connect(pages[i], &COptionPage::Changed, this, &CPropertySheet::SetModified);
    }
    connect(m_free, &COptionPage::FreeTabTextChanged, this,
            [this] { SetPageTitle(COptionsSheetModel::FreePage, FromCp932(m_model.FreeTabText())); });
    onFirstShown = [this, pages](int index) {
        m_model.MarkShown(static_cast<COptionsSheetModel::Page>(index));
        pages[index]->Init();
        if (index == COptionsSheetModel::AppliPage)
            SetPageTitle(COptionsSheetModel::FreePage, FromCp932(m_model.FreeTabText()));
    };
    onLeave = [this](int index) {
        std::optional<std::string> refusal = m_model.Validate(static_cast<COptionsSheetModel::Page>(index));
        if (!refusal)
            return true;
        m_model.doc().platform().messages.ShowError(*refusal);
        if (index == COptionsSheetModel::FreePage)
            m_free->FocusTitle();
        return false;
    };
    onApply = [this] { m_model.Apply(); };
}

} // namespace kardel::gui

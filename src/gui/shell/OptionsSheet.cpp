#include "gui/shell/OptionsSheet.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/COptionAppliPage.h"
#include "gui/shell/COptionFree.h"
#include "gui/shell/COptionIcon.h"
#include "gui/shell/COptionMemoView.h"
#include "gui/shell/COptionStdFind.h"
#include "gui/shell/SaveOptionsPage.h"

namespace kardel::gui {

OptionsSheet::OptionsSheet(OptionsSheetModel& model, QWidget* parent)
    : CPropertySheet(Utf8("設定ダイアログ"), parent), m_model(model) {
    m_free = new COptionFree(model, this);
    constexpr int count = OptionsSheetModel::PageCount;
    OptionPage* pages[count] = {new COptionAppliPage(model, this),
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
        connect(pages[i], &OptionPage::Changed, this, &CPropertySheet::SetModified);
    }
    connect(m_free, &OptionPage::FreeTabTextChanged, this,
            [this] { SetPageTitle(OptionsSheetModel::FreePage, FromCp932(m_model.FreeTabText())); });
    onFirstShown = [this, pages](int index) {
        m_model.MarkShown(static_cast<OptionsSheetModel::Page>(index));
        pages[index]->Init();
        if (index == OptionsSheetModel::AppliPage)
            SetPageTitle(OptionsSheetModel::FreePage, FromCp932(m_model.FreeTabText()));
    };
    onLeave = [this](int index) {
        std::optional<std::string> refusal = m_model.Validate(static_cast<OptionsSheetModel::Page>(index));
        if (!refusal)
            return true;
        m_model.doc().platform().messages.ShowError(*refusal);
        if (index == OptionsSheetModel::FreePage)
            m_free->FocusTitle();
        return false;
    };
    onApply = [this] { m_model.Apply(); };
}

} // namespace kardel::gui

#include "dialogs/CFindSheet.h"

#include "Cp932Text.h"
#include "dialogs/CFindDatePage.h"
#include "dialogs/CFindFreePage.h"
#include "dialogs/CFindKindPage.h"
#include "dialogs/CFindStringPage.h"
#include "dialogs/CFindTeigiPage.h"
#include "search/CFindSheetModel.h"

namespace kardel::gui {

CFindSheet::CFindSheet(CFindSheetModel& model, const CDocOptions& options, QWidget* parent)
    : CPropertySheet(Utf8("検索ダイアログ"), parent), m_model(model) {
    CFindPage* pages[5] = {new CFindKindPage(model, this), new CFindTeigiPage(model, options, this),
                           new CFindDatePage(model, this), new CFindStringPage(model, this),
                           model.HasFreePage() ? new CFindFreePage(model, this) : nullptr};
    const char* const titles[5] = {"検索対象Memo", "定義", "日付", "文字列", "選択項目"};
    const char* const names[5] = {"kindPage", "teigiPage", "datePage", "stringPage", "freePage"};
    for (int i = 0; i < 5; ++i) {
        if (!pages[i])
            continue;
        pages[i]->setObjectName(QLatin1String(names[i]));
        AddPage(pages[i], Utf8(titles[i]));
        connect(pages[i], &CFindPage::Changed, this, &CPropertySheet::SetModified);
    }
    onFirstShown = [this, pages](int index) {
        m_model.MarkShown(static_cast<CFindSheetModel::Page>(index));
        pages[index]->Init();
        // The first page names the fifth tab; with four pages there is none to name.
        if (index == CFindSheetModel::KindPage && m_model.HasFreePage())
            SetPageTitle(CFindSheetModel::FreePage, FromCp932(m_model.m_strSelTitle));
    };
}

} // namespace kardel::gui

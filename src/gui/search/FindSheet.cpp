#include "gui/search/FindSheet.h"

#include "core/search/FindSheetModel.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/CFindDatePage.h"
#include "gui/search/CFindFreePage.h"
#include "gui/search/CFindKindPage.h"
#include "gui/search/CFindStringPage.h"
#include "gui/search/CFindTeigiPage.h"

namespace kardel::gui {

FindSheet::FindSheet(FindSheetModel& model, const CDocOptions& options, QWidget* parent)
    : CPropertySheet(Utf8("検索ダイアログ"), parent), m_model(model) {
    FindPage* pages[5] = {new CFindKindPage(model, this), new CFindTeigiPage(model, options, this),
                          new CFindDatePage(model, this), new CFindStringPage(model, this),
                          model.HasFreePage() ? new CFindFreePage(model, this) : nullptr};
    const char* const titles[5] = {"検索対象Memo", "定義", "日付", "文字列", "選択項目"};
    const char* const names[5] = {"kindPage", "teigiPage", "datePage", "stringPage", "freePage"};
    for (int i = 0; i < 5; ++i) {
        if (!pages[i])
            continue;
        pages[i]->setObjectName(QLatin1String(names[i]));
        AddPage(pages[i], Utf8(titles[i]));
        connect(pages[i], &FindPage::Changed, this, &CPropertySheet::SetModified);
    }
    onFirstShown = [this, pages](int index) {
        m_model.MarkShown(static_cast<FindSheetModel::Page>(index));
        pages[index]->Init();
        // The first page names the fifth tab; with four pages there is none to name.
        if (index == FindSheetModel::KindPage && m_model.HasFreePage())
            SetPageTitle(FindSheetModel::FreePage, FromCp932(m_model.m_strSelTitle));
    };
}

} // namespace kardel::gui

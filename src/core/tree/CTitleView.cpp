#include "core/tree/CTitleView.h"

#include "core/base/Platform.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"

namespace kardel {
namespace {

const std::string& NoDate() {
    return Sjis("----/--/--");
}

} // namespace

void CTitleView::OnUpdate(CView*, int hint, CMemoItem* memo) {
    if (hint != HintMemoChanged && hint != HintCurrentChanged && hint != HintIconsReloaded)
        return;
    if (!memo && m_doc)
        memo = m_doc->CurrentMemo();
    if (memo)
        Refresh(*memo);
}

void CTitleView::Refresh(const CMemoItem& memo) {
    m_strTitle = memo.m_strTitle;
    m_strCreated = SlashDate(memo.m_timeCreated);
    m_strUpdated = SlashDate(memo.m_timeUpdated);
    m_strDue = SlashDate(memo.m_timeDue);
    if (m_strDue.empty() || memo.m_bHasDue == 0)
        m_strDue = NoDate();
    m_bDueAlert = 0;
    if (memo.m_bHasDue == 1 && m_strDue <= SlashDate(Clock::Now()))
        m_bDueAlert = 1;
    m_strDone = SlashDate(memo.m_timeDone);
    if (m_strDone.empty() || memo.m_nKind != KindDone)
        m_strDone = NoDate();

    const std::int32_t kind = memo.m_nKind;
    if (IsFolderKind(kind))
        m_strKind = Sjis("ﾌｫﾙﾀﾞ");
    else if (IsTrashKind(kind))
        m_strKind = Sjis("ごみ箱");
    else if (kind == KindMemo)
        m_strKind = Sjis("メモ");
    else if (kind >= KindDef1 && kind <= KindDef5 && m_doc)
        m_strKind = m_doc->m_options.m_strDefName[kind - KindDef1];
    else if (kind == KindDone)
        m_strKind = Sjis("完了");
    // Any other kind keeps the previous name.

    if (m_doc) {
        m_bSelItems = m_doc->m_options.m_bSelEnabled;
        m_strSelTitle = m_doc->m_options.m_strSelTitle;
        m_doc->frame().SetTitleStripTall(m_bSelItems == 1);
    }
    m_strSelItem = memo.m_strSelItem;
    if (m_redraw)
        m_redraw();
}

std::string CTitleView::DateLine() const {
    return Sjis("作成日:") + m_strCreated + Sjis("  更新日:") + m_strUpdated + Sjis("  期日:") + m_strDue +
           Sjis("  完了日:") + m_strDone;
}

std::string CTitleView::SelItemLine() const {
    return m_strSelTitle + ":" + m_strSelItem;
}

void CTitleView::OnDoubleClick() {
    if (!m_doc)
        return;
    // The properties command itself refuses the root and the trash.
    m_doc->OnCmdMsg(ID_MEMO_PROPERTY);
}

} // namespace kardel

#include "shell/CKdEditView.h"

#include "model/Archive.h"
#include "model/CKardelDoc.h"
#include "model/Cp932Codec.h"

namespace kardel {

void CKdEditView::OnUpdate(CView*, int hint, CMemoItem* memo) {
    if (!memo)
        memo = m_doc.Memo(m_doc.m_nCurMemo);
    if (!memo)
        return;
    if (hint == HintTabChanged || hint == HintCurrentChanged)
        LoadMemo(*memo);
    else if (hint == HintStoreText)
        StoreMemo(*memo);
}

void CKdEditView::LoadMemo(CMemoItem& memo) {
    m_edit.LoadText(memo.m_strBody);
    m_shown = &memo;
}

void CKdEditView::StoreMemo(CMemoItem& memo) {
    // The control's text belongs to the memo it shows and to no other.
    if (&memo != m_shown)
        return;
    std::string text = m_edit.GetText();
    if (text == memo.m_strBody)
        return;
    memo.m_strBody = std::move(text);
    memo.m_timeUpdated = Clock::Now();
    m_doc.SetModifiedFlag();
}

void CKdEditView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // The section only keeps the layout; a longer text would make the file unreadable.
        std::string text = m_edit.GetText();
        text.resize(Cp932Codec::CharBoundaryPrefix(text, kMaxTextBytes));
        ar.WriteInt32(static_cast<std::int32_t>(text.size()));
        ar.WriteBytes(text);
    } else {
        std::int32_t length = ar.ReadInt32();
        if (length < 0 || static_cast<size_t>(length) > kMaxTextBytes)
            throw ArchiveError(ArchiveError::Kind::BadFormat, "MemoView text too long");
        m_edit.LoadText(std::string(ar.ReadBytes(static_cast<size_t>(length))));
        m_shown = nullptr;
    }
}

} // namespace kardel

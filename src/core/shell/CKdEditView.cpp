#include "core/shell/CKdEditView.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"
#include "core/tree/CKdTreeView.h"

#include <cstdio>

namespace kardel {

void CKdEditView::OnUpdate(CView*, int hint, CMemoItem* memo) {
    if (!memo)
        memo = m_doc.CurrentMemo();
    if (!memo)
        return;
    if (hint == HintTabChanged || hint == HintCurrentChanged)
        LoadMemo(*memo);
    else if (hint == HintStoreText)
        StoreMemo(*memo);
}

int CKdEditView::TabStopDialogUnits() const {
    switch (m_doc.m_options.m_nTabChoice) {
    case 0:
        return 8;
    case 2:
        return 32;
    default:
        // A choice outside 0 to 2 (a damaged file) falls back to the default of four characters.
        return 16;
    }
}

void CKdEditView::LoadMemo(CMemoItem& memo) {
    m_edit.SetTabStops(TabStopDialogUnits());
    m_edit.LoadText(memo.m_strBody.str());
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

void CKdEditView::OnDropFiles(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
        if (i > 0)
            m_edit.ReplaceSelection(" ", false);
        // The whole path, however long: a cut-off reference would point somewhere else.
        m_edit.ReplaceSelection("file://" + Cp932Codec::FromUtf8(paths[i]).text, true);
    }
}

std::string CKdEditView::PrintHeader(int page) const {
    std::string title;
    if (CKdTreeView* tree = m_doc.TreeView())
        if (TreeItem* caret = tree->Tree().GetCaret())
            if (CMemoItem* memo = m_doc.Memo(caret->value()))
                title = memo->m_strTitle;
    return "Title = " + title + "  File = " + m_doc.m_strTitle + "  Page = " + std::to_string(page);
}

bool CKdEditView::ContextMenuItemEnabled(CommandId id) const {
    if (id == ID_OPEN_URL)
        return m_edit.GetSelectedText().find("://") != std::string::npos;
    if (id == ID_SEND_MAIL)
        return m_edit.GetSelectedText().find('@') != std::string::npos;
    return true;
}

bool CKdEditView::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    switch (id) {
    case ID_EDIT_UNDO:
        ui.enabled = m_edit.CanUndo();
        return true;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
        ui.enabled = !m_edit.GetSelectedText().empty();
        return true;
    case ID_EDIT_PASTE:
        ui.enabled = m_edit.CanPaste();
        return true;
    case ID_EDIT_SELECT_ALL:
    case ID_EDIT_FIND:
    case ID_EDIT_REPLACE:
        ui.enabled = !m_edit.GetText().empty();
        return true;
    case ID_OPEN_URL:
    case ID_SEND_MAIL:
        ui.enabled = ContextMenuItemEnabled(id);
        return true;
    case ID_INSERT_DATE:
    case ID_INSERT_TIME:
    case ID_FILE_PRINT:
        ui.enabled = true;
        return true;
    default:
        return false;
    }
}

bool CKdEditView::OnCmdMsg(CommandId id) {
    using Op = IEditControl::Operation;
    switch (id) {
    case ID_INSERT_DATE:
        m_edit.ReplaceSelection(FormatLocalTime(Clock::Now(), "%Y/%m/%d"), true);
        return true;
    case ID_INSERT_TIME:
        m_edit.ReplaceSelection(FormatLocalTime(Clock::Now(), "%H:%M:%S"), true);
        return true;
    case ID_OPEN_URL:
        m_doc.platform().shell.Open(m_edit.GetSelectedText());
        return true;
    case ID_SEND_MAIL:
        m_doc.platform().shell.Open("mailto:" + m_edit.GetSelectedText());
        return true;
    case ID_EDIT_UNDO:
        m_edit.Run(Op::Undo);
        return true;
    case ID_EDIT_CUT:
        m_edit.Run(Op::Cut);
        return true;
    case ID_EDIT_COPY:
        m_edit.Run(Op::Copy);
        return true;
    case ID_EDIT_PASTE:
        m_edit.Run(Op::Paste);
        return true;
    case ID_EDIT_SELECT_ALL:
        m_edit.Run(Op::SelectAll);
        return true;
    case ID_EDIT_FIND:
        m_edit.Run(Op::Find);
        return true;
    case ID_EDIT_REPLACE:
        m_edit.Run(Op::Replace);
        return true;
    case ID_FILE_PRINT:
        m_edit.Run(Op::Print);
        return true;
    default:
        return false;
    }
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

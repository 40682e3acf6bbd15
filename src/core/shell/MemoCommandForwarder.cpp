#include "core/shell/MemoCommandForwarder.h"

#include "core/model/CKardelDoc.h"
#include "core/tree/CKdTreeView.h"

namespace kardel {

bool MemoCommandForwarder::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    CKdTreeView* tree = m_doc.TreeView();
    return tree && CKdTreeView::IsForwardedMemoCommand(id) && tree->OnUpdateCmd(id, ui);
}

bool MemoCommandForwarder::OnCmdMsg(CommandId id) {
    CKdTreeView* tree = m_doc.TreeView();
    return tree && CKdTreeView::IsForwardedMemoCommand(id) && tree->OnCmdMsg(id);
}

} // namespace kardel

#include "shell/CMemoCommandForwarder.h"

#include "model/CKardelDoc.h"
#include "tree/CKdTreeView.h"

namespace kardel {

bool CMemoCommandForwarder::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    CKdTreeView* tree = m_doc.TreeView();
    return tree && CKdTreeView::IsForwardedMemoCommand(id) && tree->OnUpdateCmd(id, ui);
}

bool CMemoCommandForwarder::OnCmdMsg(CommandId id) {
    CKdTreeView* tree = m_doc.TreeView();
    return tree && CKdTreeView::IsForwardedMemoCommand(id) && tree->OnCmdMsg(id);
}

} // namespace kardel

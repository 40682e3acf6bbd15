#include "shell/CCommandRouter.h"

#include "model/CKardelDoc.h"
#include "search/CKdListView.h"
#include "shell/CKdEditView.h"
#include "shell/Platform.h"
#include "tree/CKdTreeView.h"
#include "tree/CTitleView.h"

namespace kardel {

CCmdTarget* CCommandRouter::ActivePane() const {
    switch (m_doc.frame().ActivePane()) {
    case IMainFrame::Pane::TreeView:
        return m_doc.TreeView();
    case IMainFrame::Pane::FindView:
        return m_doc.FindView();
    case IMainFrame::Pane::MemoView:
        return m_doc.MemoView();
    case IMainFrame::Pane::TitleStrip:
        return m_doc.TitleView();
    }
    return nullptr;
}

template <class Visit> bool CCommandRouter::Route(Visit&& visit) const {
    for (CCmdTarget* target : {ActivePane(), static_cast<CCmdTarget*>(&m_doc)})
        if (target && visit(*target))
            return true;
    for (CCmdTarget* target : m_frame)
        if (target && visit(*target))
            return true;
    for (CCmdTarget* target : m_app)
        if (target && visit(*target))
            return true;
    return false;
}

CCmdUI CCommandRouter::Update(CommandId id) const {
    CCmdUI ui;
    if (!Route([&](CCmdTarget& target) { return target.OnUpdateCmd(id, ui); }))
        ui.enabled = false;
    return ui;
}

bool CCommandRouter::Execute(CommandId id) {
    if (!Update(id).enabled)
        return false;
    return Route([&](CCmdTarget& target) { return target.OnCmdMsg(id); });
}

} // namespace kardel

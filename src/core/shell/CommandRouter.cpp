#include "core/shell/CommandRouter.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"
#include "core/search/CKdListView.h"
#include "core/shell/CKdEditView.h"
#include "core/tree/CKdTreeView.h"
#include "core/tree/CTitleView.h"

namespace kardel {

CCmdTarget* CommandRouter::ActivePane() const {
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

template <class Visit> bool CommandRouter::Route(Visit&& visit) const {
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

CCmdUI CommandRouter::Update(CommandId id) const {
    CCmdUI ui;
    if (!Route([&](CCmdTarget& target) { return target.OnUpdateCmd(id, ui); }))
        ui.enabled = false;
    return ui;
}

bool CommandRouter::Execute(CommandId id) {
    if (!Update(id).enabled)
        return false;
    return Route([&](CCmdTarget& target) { return target.OnCmdMsg(id); });
}

} // namespace kardel

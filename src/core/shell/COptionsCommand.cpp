#include "shell/COptionsCommand.h"

#include "model/CKardelDoc.h"
#include "shell/Platform.h"

namespace kardel {

bool COptionsCommand::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    if (id != ID_OPTIONS)
        return false;
    ui.enabled = true;
    return true;
}

bool COptionsCommand::OnCmdMsg(CommandId id) {
    if (id != ID_OPTIONS)
        return false;
    if (m_doc.platform().dialogs.OptionsSheet(m_doc))
        m_doc.SetModifiedFlag(true);
    return true;
}

} // namespace kardel

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
    // Each OK or Apply of the sheet is a step of its own, which undo can take back.
    if (m_doc.platform().dialogs.OptionsSheet(m_doc))
        m_doc.SetModifiedFlagOnly(true);
    return true;
}

} // namespace kardel

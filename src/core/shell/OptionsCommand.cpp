#include "core/shell/OptionsCommand.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"

namespace kardel {

bool OptionsCommand::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    if (id != ID_OPTIONS)
        return false;
    ui.enabled = true;
    return true;
}

bool OptionsCommand::OnCmdMsg(CommandId id) {
    if (id != ID_OPTIONS)
        return false;
    // Each OK or Apply of the sheet is a step of its own, which undo can take back.
    if (m_doc.platform().dialogs.OptionsSheet(m_doc))
        m_doc.SetModifiedFlagOnly(true);
    return true;
}

} // namespace kardel

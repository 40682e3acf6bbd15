#include "core/shell/AppCommands.h"

#include "core/base/Platform.h"

namespace kardel {

bool AppCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    if (id != ID_APP_ABOUT && id != ID_HELP_FINDER)
        return false;
    // Without a help page there is nothing the help command could open.
    ui.enabled = id == ID_APP_ABOUT || !m_helpUrl.empty();
    return true;
}

bool AppCommands::OnCmdMsg(CommandId id) {
    if (id == ID_APP_ABOUT) {
        m_dialogs.AboutBox();
        return true;
    }
    if (id == ID_HELP_FINDER) {
        if (!m_helpUrl.empty())
            m_shell.Open(m_helpUrl);
        return true;
    }
    return false;
}

} // namespace kardel

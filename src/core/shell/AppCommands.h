#pragma once
#include "core/base/CCmdTarget.h"

#include <string>
#include <utility>

namespace kardel {

class IDialogs;
class IShell;

// The application's own commands: the About box (ID_APP_ABOUT) and the help contents
// (ID_HELP_FINDER), which open the bundled help page through the shell.
class AppCommands : public CCmdTarget {
public:
    // `helpUrl` is the help page's address as the shell opens it (ASCII).
    AppCommands(IDialogs& dialogs, IShell& shell, std::string helpUrl)
        : m_dialogs(dialogs), m_shell(shell), m_helpUrl(std::move(helpUrl)) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

private:
    IDialogs& m_dialogs;
    IShell& m_shell;
    std::string m_helpUrl;
};

} // namespace kardel

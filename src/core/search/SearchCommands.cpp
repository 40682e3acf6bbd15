#include "core/search/SearchCommands.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"

namespace kardel {

bool SearchCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    switch (id) {
    case ID_FIND:
    case ID_FIND_AGAIN:
    case ID_FIND_STANDARD:
        ui.enabled = true;
        return true;
    default:
        return false;
    }
}

bool SearchCommands::OnCmdMsg(CommandId id) {
    switch (id) {
    case ID_FIND:
        Find();
        return true;
    case ID_FIND_AGAIN:
        FindAgain();
        return true;
    case ID_FIND_STANDARD:
        StandardFind();
        return true;
    default:
        return false;
    }
}

void SearchCommands::Find() {
    // The sheet's pages write into m_findCond themselves, on OK and on Apply.
    if (m_doc.platform().dialogs.FindSheet(m_doc.m_findCond, m_doc.m_options, false))
        m_doc.RunSearch();
}

void SearchCommands::FindAgain() {
    m_doc.RunSearch();
}

void SearchCommands::StandardFind() {
    std::optional<int> chosen = m_doc.platform().dialogs.StdFindChoice(m_doc.m_options, m_doc.m_nStdFind);
    if (!chosen)
        return;
    // Only 1 to 5 name a standard search; anything else is the "no row" answer.
    int number = *chosen >= 1 && *chosen <= 5 ? *chosen : 0;
    m_doc.m_nStdFind = number;
    if (number != 0)
        m_doc.m_findCond = m_doc.m_options.m_stdFind[number - 1];
    m_doc.RunSearch();
}

} // namespace kardel

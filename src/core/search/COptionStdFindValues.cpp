#include "search/COptionStdFindValues.h"

#include "model/CDocOptions.h"
#include "shell/IDialogs.h"

namespace kardel {

COptionStdFindValues::COptionStdFindValues(const CDocOptions& options) : m_nInitialFind(options.m_nInitialFind) {
    for (int k = 0; k < 5; ++k) {
        m_stdFind[k] = options.m_stdFind[k];
        m_strName[k] = options.m_strStdFindName[k];
    }
}

bool COptionStdFindValues::EditCondition(int k, IDialogs& dialogs, const CDocOptions& options) {
    if (k < 0 || k >= 5)
        return false;
    CFindCondition pages = m_stdFind[k];
    if (!options.m_bSelEnabled)
        pages.m_bSelOn = 0;
    if (!dialogs.FindSheet(pages, options, true))
        return false;
    m_stdFind[k] = pages;
    m_bChanged = true;
    return true;
}

void COptionStdFindValues::SetName(int k, const std::string& name) {
    if (k < 0 || k >= 5)
        return;
    m_strName[k] = name;
    m_bChanged = true;
}

void COptionStdFindValues::SetInitialFind(std::int32_t choice) {
    m_nInitialFind = choice;
    m_bChanged = true;
}

void COptionStdFindValues::SaveTo(CDocOptions& options) const {
    for (int k = 0; k < 5; ++k) {
        options.m_stdFind[k] = m_stdFind[k];
        options.m_strStdFindName[k] = m_strName[k];
    }
    options.m_nInitialFind = m_nInitialFind;
}

} // namespace kardel

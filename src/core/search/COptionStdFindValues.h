#pragma once
#include "search/CFindCondition.h"

#include <string>

namespace kardel {

class CDocOptions;
class IDialogs;

// The working copies of the options dialog's standard search page: five
// conditions, their names and the initial-search choice. Filled when the dialog
// opens, written back only when the page is accepted.
class COptionStdFindValues {
public:
    explicit COptionStdFindValues(const CDocOptions& options);

    CFindCondition m_stdFind[5];
    std::string m_strName[5];
    std::int32_t m_nInitialFind = 0;
    bool m_bChanged = false;

    // Button "検索条件" of row k (0 to 4): the search sheet on working copy k with
    // only the all-memos scope offered. The sheet's selection page receives the
    // selection test only while selection items are enabled, and every slice comes
    // back, so editing with selection items disabled switches that test off.
    // True when the sheet was not cancelled.
    bool EditCondition(int k, IDialogs& dialogs, const CDocOptions& options);

    void SetName(int k, const std::string& name);
    void SetInitialFind(std::int32_t choice);

    // Accepting the page (OK or Apply of the options dialog).
    void SaveTo(CDocOptions& options) const;
};

} // namespace kardel

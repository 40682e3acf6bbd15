#pragma once
#include "core/base/Clock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardel {

class CArchive;

// One complete search: the scope and four tests (kinds, date, string, selection
// items), each with its own switch. Flags are 32-bit values kept as stored: any
// non-zero value counts as on.
class CFindCondition {
public:
    enum Scope { AllMemos = 0, BelowSelection = 1, FindViewRows = 2 };
    enum DateField { Created = 0, Updated = 1, Due = 2, Done = 3 };
    enum DateRelation { SameDay = 0, OnOrBefore = 1, OnOrAfter = 2 };
    enum DateSource { Today = 0, GivenDate = 1 };

    CFindCondition(); // every test off; the given date is now

    std::int32_t m_scope = AllMemos;
    std::int32_t m_kindDef[5] = {0, 0, 0, 0, 0}; // kinds 5 to 9
    std::int32_t m_kindDone = 0;                 // kind 10
    std::int32_t m_kindFolder = 0;               // kinds 0 and 1
    std::int32_t m_kindMemo = 0;                 // kind 4
    std::int32_t m_kindsOn = 0;
    time32 m_givenTime = 0;
    std::int32_t m_dateField = Created;
    std::int32_t m_dateOn = 0;
    std::int32_t m_dateRelation = SameDay;
    std::int32_t m_dateSource = Today;
    std::int32_t m_searchBody = 0;
    std::int32_t m_searchTitle = 0;
    std::string m_search;
    std::int32_t m_stringOn = 0;
    std::vector<std::string> m_arrSelItems;
    std::int32_t m_selOn = 0;

    // The preset "全ての項目を対象とする。": scope 0, every kind flag and the kinds test on,
    // the other three tests off; everything else keeps its value.
    void ResetToAllMemos();
    // Scope 0 and all four tests off; everything else keeps its value.
    void SwitchAllTestsOff();

    // Writes the current layout; reads the current layout for files of version 4
    // and later, the old layout for versions 0 to 3.
    void Serialize(CArchive& ar);

    bool operator==(const CFindCondition&) const = default;

private:
    void LoadOldLayout(CArchive& ar);
};

} // namespace kardel

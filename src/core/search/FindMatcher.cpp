#include "core/search/FindMatcher.h"

#include "core/model/CMemoItem.h"
#include "core/search/SjisText.h"

namespace kardel {

FindMatcher::FindMatcher(const CFindCondition& condition)
    : m_cond(condition), m_givenDay(DayKey::Of(condition.m_givenTime)) {}

bool FindMatcher::Matches(const CMemoItem& memo) {
    return KindPasses(memo) || DatePasses(memo) || StringPasses(memo) || SelectionPasses(memo);
}

bool FindMatcher::KindPasses(const CMemoItem& memo) const {
    if (!m_cond.m_kindsOn)
        return false;
    std::int32_t kind = memo.m_nKind;
    if (IsFolderKind(kind))
        return m_cond.m_kindFolder != 0;
    if (kind == KindMemo)
        return m_cond.m_kindMemo != 0;
    if (kind >= KindDef1 && kind <= KindDef5)
        return m_cond.m_kindDef[kind - KindDef1] != 0;
    if (kind == KindDone)
        return m_cond.m_kindDone != 0;
    return false; // the trash and codes outside the table
}

bool FindMatcher::DatePasses(const CMemoItem& memo) {
    if (!m_cond.m_dateOn)
        return false;
    int day = DayKey::kEmpty;
    switch (m_cond.m_dateField) {
    case CFindCondition::Created:
        day = m_days.Of(memo.m_timeCreated);
        break;
    case CFindCondition::Updated:
        day = m_days.Of(memo.m_timeUpdated);
        break;
    case CFindCondition::Due:
        if (memo.m_bHasDue)
            day = m_days.Of(memo.m_timeDue);
        break;
    case CFindCondition::Done:
        if (memo.m_nKind == KindDone)
            day = m_days.Of(memo.m_timeDone);
        break;
    default:
        break;
    }
    if (day == DayKey::kEmpty)
        return false;
    int reference = m_cond.m_dateSource != 0 ? m_givenDay : m_today.Get();
    switch (m_cond.m_dateRelation) {
    case CFindCondition::SameDay:
        return day == reference;
    case CFindCondition::OnOrBefore:
        return day <= reference;
    case CFindCondition::OnOrAfter:
        return day >= reference;
    default:
        return false;
    }
}

bool FindMatcher::StringPasses(const CMemoItem& memo) const {
    if (!m_cond.m_stringOn)
        return false;
    if (m_cond.m_searchTitle && SjisText::Contains(memo.m_strTitle, m_cond.m_search))
        return true;
    return m_cond.m_searchBody && SjisText::Contains(memo.m_strBody, m_cond.m_search);
}

bool FindMatcher::SelectionPasses(const CMemoItem& memo) const {
    if (!m_cond.m_selOn)
        return false;
    // Character-wise equality is byte equality: a character's value fixes its bytes.
    for (const std::string& item : m_cond.m_arrSelItems)
        if (item == memo.m_strSelItem)
            return true;
    return false;
}

} // namespace kardel

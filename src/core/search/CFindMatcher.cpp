#include "search/CFindMatcher.h"

#include "model/CMemoItem.h"
#include "search/SjisText.h"

namespace kardel {

CFindMatcher::CFindMatcher(const CFindCondition& condition)
    : m_cond(condition), m_givenDay(DayKey::Of(condition.m_timeGiven)) {}

bool CFindMatcher::Matches(const CMemoItem& memo) {
    return KindPasses(memo) || DatePasses(memo) || StringPasses(memo) || SelectionPasses(memo);
}

bool CFindMatcher::KindPasses(const CMemoItem& memo) const {
    if (!m_cond.m_bKindsOn)
        return false;
    std::int32_t kind = memo.m_nKind;
    if (IsFolderKind(kind))
        return m_cond.m_bKindFolder != 0;
    if (kind == KindMemo)
        return m_cond.m_bKindMemo != 0;
    if (kind >= KindDef1 && kind <= KindDef5)
        return m_cond.m_bKindDef[kind - KindDef1] != 0;
    if (kind == KindDone)
        return m_cond.m_bKindDone != 0;
    return false; // the trash and codes outside the table
}

bool CFindMatcher::DatePasses(const CMemoItem& memo) {
    if (!m_cond.m_bDateOn)
        return false;
    int day = DayKey::kEmpty;
    switch (m_cond.m_nDateField) {
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
    int reference = m_cond.m_nDateSource != 0 ? m_givenDay : m_today.Get();
    switch (m_cond.m_nDateRelation) {
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

bool CFindMatcher::StringPasses(const CMemoItem& memo) const {
    if (!m_cond.m_bStringOn)
        return false;
    if (m_cond.m_bSearchTitle && SjisText::Contains(memo.m_strTitle, m_cond.m_strSearch))
        return true;
    return m_cond.m_bSearchBody && SjisText::Contains(memo.m_strBody, m_cond.m_strSearch);
}

bool CFindMatcher::SelectionPasses(const CMemoItem& memo) const {
    if (!m_cond.m_bSelOn)
        return false;
    // Character-wise equality is byte equality: a character's value fixes its bytes.
    for (const std::string& item : m_cond.m_arrSelItems)
        if (item == memo.m_strSelItem)
            return true;
    return false;
}

} // namespace kardel

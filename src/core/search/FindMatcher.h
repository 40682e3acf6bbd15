#pragma once
#include "core/search/CFindCondition.h"
#include "core/search/DayKey.h"

namespace kardel {

class CMemoItem;

// Decides whether one memo satisfies a condition. Built once per search run so
// that the given day is broken down once; the current day is read from the
// clock for every memo tested, as the date test asks.
class FindMatcher {
public:
    explicit FindMatcher(const CFindCondition& condition);

    // True when at least one switched-on test passes, tried in the order kinds,
    // date, string, selection items.
    bool Matches(const CMemoItem& memo);

    bool KindPasses(const CMemoItem& memo) const;
    bool DatePasses(const CMemoItem& memo);
    bool StringPasses(const CMemoItem& memo) const;
    bool SelectionPasses(const CMemoItem& memo) const;

private:
    const CFindCondition& m_cond;
    int m_givenDay;
    TodayKey m_today;
    DayKeyCache m_days;
};

} // namespace kardel

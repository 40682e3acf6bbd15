#pragma once
#include "core/base/Clock.h"

#include <climits>
#include <cstdint>
#include <ctime>
#include <vector>

namespace kardel {

// The day text "%Y%m%d" of a time in local time, held as the number yyyymmdd.
// Every time a 32-bit value can hold falls in a four-digit year, so the numbers
// order exactly as the texts do, and the search and the sort compare days
// without building a string per memo.
class DayKey {
public:
    static constexpr int kEmpty = 0;         // the empty text: before every day
    static constexpr int kNoDate = 99990000; // "9999/99/99": after every day a file can hold

    // kEmpty when the time cannot be broken down.
    static int Of(time32 time);
};

// Day keys for many times, as a search or a sort needs them. A local day met
// more than once is learnt as a span of seconds, so most memos cost a range
// check instead of a calendar breakdown. A span is only learnt when the day has
// the same UTC offset at its first second, at the time met and at its last
// second, and runs from 00:00:00 to 23:59:59; other days (a change to or from
// summer time, a leap second) are always broken down afresh.
class DayKeyCache {
public:
    int Of(time32 time);

private:
    struct Span {
        std::int64_t start = 1, end = 0;  // [start, end): empty until learnt
        std::int64_t seenDay = INT64_MIN; // the local day number last met in this slot
        int key = DayKey::kEmpty;
    };
    bool Learn(std::int64_t time, const std::tm& parts, Span& span);

    std::vector<Span> m_slots;
    long m_lastOffset = 0;
};

// Today's key, read from the clock each time it is asked for and worked out
// again only when the clock has moved.
class TodayKey {
public:
    int Get();

private:
    bool m_known = false;
    time32 m_now = 0;
    int m_key = DayKey::kEmpty;
};

} // namespace kardel

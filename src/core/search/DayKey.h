#pragma once
#include "model/Clock.h"

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

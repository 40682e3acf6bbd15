#include "core/search/DayKey.h"

#include <cstdint>
#include <ctime>

namespace kardel {
namespace {

constexpr size_t kSlots = 8192; // more UTC days than a long-kept document usually spans
constexpr std::int64_t kSecondsPerDay = 86400;

int KeyOf(const std::tm& parts) {
    return (parts.tm_year + 1900) * 10000 + (parts.tm_mon + 1) * 100 + parts.tm_mday;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

int DayKey::Of(time32 time) {
    std::time_t t = time;
    std::tm parts{};
    return localtime_r(&t, &parts) ? KeyOf(parts) : kEmpty;
}

int DayKeyCache::Of(time32 time) {
    if (m_slots.empty())
        m_slots.resize(kSlots); // only a search or sort that compares days pays for the table
    std::int64_t t = time;
    // Spans are filed under their local day number; the UTC offset last met
    // finds it, and the neighbours cover a change of offset since then.
    std::int64_t guess = FloorDiv(t + m_lastOffset, kSecondsPerDay);
    for (std::int64_t day : {guess, guess - 1, guess + 1}) {
        const Span& span = m_slots[static_cast<size_t>(day) % kSlots];
        if (t >= span.start && t < span.end)
            return span.key;
    }
    std::time_t tt = time;
    std::tm parts{};
    if (!localtime_r(&tt, &parts))
        return DayKey::kEmpty;
    m_lastOffset = parts.tm_gmtoff;
    std::int64_t localDay = FloorDiv(t + parts.tm_gmtoff, kSecondsPerDay);
    Span& span = m_slots[static_cast<size_t>(localDay) % kSlots];
    // The first time of a day is only broken down; a second one learns the day.
    if (span.seenDay == localDay)
        Learn(t, parts, span);
    span.seenDay = localDay;
    return KeyOf(parts);
}

bool DayKeyCache::Learn(std::int64_t time, const std::tm& parts, Span& span) {
    std::int64_t start = time - (parts.tm_hour * 3600 + parts.tm_min * 60 + parts.tm_sec);
    std::int64_t last = start + kSecondsPerDay - 1;
    if (start < INT32_MIN || last > INT32_MAX)
        return false;
    std::time_t ends[2] = {static_cast<std::time_t>(start), static_cast<std::time_t>(last)};
    std::tm at[2]{};
    for (int i = 0; i < 2; ++i)
        if (!localtime_r(&ends[i], &at[i]) || KeyOf(at[i]) != KeyOf(parts) || at[i].tm_gmtoff != parts.tm_gmtoff)
            return false;
    if (at[0].tm_hour != 0 || at[0].tm_min != 0 || at[0].tm_sec != 0)
        return false;
    if (at[1].tm_hour != 23 || at[1].tm_min != 59 || at[1].tm_sec != 59)
        return false;
    span.start = start;
    span.end = last + 1;
    span.key = KeyOf(parts);
    return true;
}

int TodayKey::Get() {
    time32 now = Clock::Now();
    if (!m_known || now != m_now) {
        m_now = now;
        m_key = DayKey::Of(now);
        m_known = true;
    }
    return m_key;
}

} // namespace kardel

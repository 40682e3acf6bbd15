#include "search/DayKey.h"

#include <ctime>

namespace kardel {

int DayKey::Of(time32 time) {
    std::time_t t = time;
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return kEmpty;
    return (parts.tm_year + 1900) * 10000 + (parts.tm_mon + 1) * 100 + parts.tm_mday;
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

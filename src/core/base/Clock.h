#pragma once
#include <cstdint>
#include <string>

namespace kardel {

// The file stores times as 32-bit signed seconds since 1970-01-01 00:00:00 UTC.
using time32 = std::int32_t;

// Where "now" comes from. The process-wide clock reads KARDEL_NOW when set,
// so the CLI and tests can fix the moment of every operation.
class IClock {
public:
    virtual ~IClock() = default;
    virtual time32 Now() const = 0;
};

class Clock {
public:
    static time32 Now();
    // Replaces the process-wide clock (tests); nullptr restores the system clock.
    static void Set(const IClock* clock);
};

// A clock that always answers the same moment; tests move it by hand.
class FixedClock : public IClock {
public:
    explicit FixedClock(time32 now) : m_now(now) {}
    time32 Now() const override { return m_now; }
    void SetNow(time32 now) { m_now = now; }

private:
    time32 m_now;
};

// Local-time text of a stored time, strftime-style ("%Y/%m/%d", "%Y%m%d", "%H:%M:%S").
// Follows TZ. Returns an empty text when the time cannot be broken down.
std::string FormatLocalTime(time32 time, const char* format);

// Day texts compare chronologically as plain strings.
inline std::string DayText(time32 time) { return FormatLocalTime(time, "%Y%m%d"); }
inline std::string SlashDate(time32 time) { return FormatLocalTime(time, "%Y/%m/%d"); }

} // namespace kardel

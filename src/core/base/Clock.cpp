#include "core/base/Clock.h"

#include <cstdlib>
#include <ctime>

namespace kardel {
namespace {

class SystemClock : public IClock {
public:
    time32 Now() const override {
        if (const char* fixed = std::getenv("KARDEL_NOW"); fixed && *fixed) {
            char* end = nullptr;
            long long value = std::strtoll(fixed, &end, 10);
            if (end && *end == '\0')
                return static_cast<time32>(value);
        }
        return static_cast<time32>(std::time(nullptr));
    }
};

const SystemClock g_systemClock;
const IClock* g_clock = &g_systemClock;

} // namespace

time32 Clock::Now() { return g_clock->Now(); }

void Clock::Set(const IClock* clock) { g_clock = clock ? clock : &g_systemClock; }

std::string FormatLocalTime(time32 time, const char* format) {
    std::time_t t = time;
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return {};
    char buffer[64];
    size_t n = std::strftime(buffer, sizeof buffer, format, &parts);
    return std::string(buffer, n);
}

} // namespace kardel

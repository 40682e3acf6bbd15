#include "core/search/DayKey.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

using namespace kardel;

// Day keys must order, and tie, exactly as the day texts "%Y%m%d" do.
TEST(DayKey, OrdersAsTheDayTextsDo) {
    std::vector<time32> times = {INT_MIN,   -86401,    -1,        0,         32399,           32400,
                                 957884399, 957884400, 957970799, 957970800, INT_MAX - 86400, INT_MAX};
    for (time32 t = 0; t < INT_MAX - 7777777; t += 7777777)
        times.push_back(t);
    for (time32 a : times) {
        EXPECT_EQ(std::to_string(DayKey::Of(a)), DayText(a)) << a;
        for (time32 b : times) {
            int byText = DayText(a).compare(DayText(b));
            int byKey = DayKey::Of(a) - DayKey::Of(b);
            EXPECT_EQ(byText < 0, byKey < 0) << a << " " << b;
            EXPECT_EQ(byText == 0, byKey == 0) << a << " " << b;
        }
        // "9999/99/99", the key of a missing date, sorts after every day
        EXPECT_LT(DayText(a), "9999/99/99");
        EXPECT_LT(DayKey::Of(a), DayKey::kNoDate);
    }
}

namespace {
// Switches the process's time zone for one test.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_had = true;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope() {
        if (m_had)
            ::setenv("TZ", m_old.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string m_old;
    bool m_had = false;
};
} // namespace

// The cache learns whole days; around summer-time changes (an hour, or half an
// hour on Lord Howe Island) and for every zone it must answer as a fresh breakdown does.
TEST(DayKey, CacheAnswersAsAFreshBreakdownInEveryZone) {
    for (const char* zone :
         {"Asia/Tokyo", "America/New_York", "Europe/London", "Australia/Lord_Howe", "America/St_Johns", "UTC"}) {
        ZoneScope scope(zone);
        DayKeyCache cache;
        // 2021, every 17 minutes, twice over, then a scattered pass.
        for (int round = 0; round < 2; ++round)
            for (time32 t = 1609459200; t < 1640995200; t += 1020)
                ASSERT_EQ(cache.Of(t), DayKey::Of(t)) << zone << " " << t;
        unsigned state = 7;
        for (int i = 0; i < 200000; ++i) {
            state = state * 1103515245u + 12345u;
            auto t = static_cast<time32>(state);
            ASSERT_EQ(cache.Of(t), DayKey::Of(t)) << zone << " " << t;
        }
    }
}

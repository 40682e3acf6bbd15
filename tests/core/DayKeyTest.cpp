#include "search/DayKey.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace kardel;

// Day keys must order, and tie, exactly as the day texts "%Y%m%d" do.
TEST(DayKey, OrdersAsTheDayTextsDo) {
    std::vector<time32> times = {INT_MIN, -86401, -1, 0, 32399, 32400, 957884399, 957884400, 957970799, 957970800,
                                 INT_MAX - 86400, INT_MAX};
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

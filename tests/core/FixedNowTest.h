#pragma once
#include "core/base/Clock.h"

#include <gtest/gtest.h>

// Fixes "now" for every operation of a test: 2000-05-11 08:06:40 in Tokyo.
class FixedNowTest : public ::testing::Test {
protected:
    void SetUp() override { kardel::Clock::Set(&m_clock); }
    void TearDown() override { kardel::Clock::Set(nullptr); }
    kardel::FixedClock m_clock{958000000};
};

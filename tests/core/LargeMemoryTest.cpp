#include "core/model/LargeMemory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace kardel;

// A buffer large enough to be faulted in by a second thread while it is written: every
// byte written is there afterwards, and nothing is taken beyond the capacity.
TEST(PageOutput, ALargeBufferKeepsEveryByteWrittenWhileItIsFaultedAhead) {
    const size_t capacity = size_t(80) << 20;
    PageOutput out(capacity);
    std::mt19937 rng(3);
    std::string chunk;
    size_t written = 0;
    while (written < capacity - (size_t(1) << 20)) {
        chunk.resize(1 + rng() % 200000);
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>((written + i) * 7 % 251);
        ASSERT_TRUE(out.Write(chunk.data(), chunk.size()));
        written += chunk.size();
    }
    EXPECT_FALSE(out.Write(chunk.data(), capacity)); // beyond the room: refused, nothing written
    PageBuffer bytes = out.take();
    ASSERT_EQ(bytes.size(), written);
    for (size_t i = 0; i < written; ++i)
        ASSERT_EQ(bytes.data()[i], static_cast<char>(i * 7 % 251)) << "at byte " << i;
}

#include "core/base/BlockPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

using namespace kardel;

// Random allocations and releases across several slabs: every live block is aligned and
// keeps what was written into it while others come and go.
TEST(BlockPool, LiveBlocksNeverOverlapAndKeepTheirBytes) {
    using Pool = BlockPool<40, 8>;
    struct Live {
        unsigned char* block;
        unsigned char fill;
    };
    std::vector<Live> live;
    std::mt19937 rng(7);
    for (int step = 0; step < 200000; ++step) {
        if (live.empty() || rng() % 100 < 60) {
            auto* block = static_cast<unsigned char*>(Pool::Allocate());
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u);
            auto fill = static_cast<unsigned char>(rng());
            std::memset(block, fill, 40);
            live.push_back({block, fill});
        } else {
            size_t at = rng() % live.size();
            const Live& gone = live[at];
            ASSERT_TRUE(std::all_of(gone.block, gone.block + 40, [&](unsigned char c) { return c == gone.fill; }))
                << "a block was overwritten while in use, step " << step;
            Pool::Release(gone.block);
            live[at] = live.back();
            live.pop_back();
        }
    }
    for (const Live& l : live) {
        EXPECT_TRUE(std::all_of(l.block, l.block + 40, [&](unsigned char c) { return c == l.fill; }));
        Pool::Release(l.block);
    }
}

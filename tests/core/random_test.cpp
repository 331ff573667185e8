#include <gtest/gtest.h>

#include "platform/core/random.h"

TEST(Random, FollowsTheFifteenBitSequenceFromSeedOne) {
    platform::Srand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int e : expected) EXPECT_EQ(platform::Rand(), e);
}

TEST(Random, StaysWithinFifteenBitsAndReseedsRepeatably) {
    platform::Srand(12345);
    int first[100];
    for (int& v : first) {
        v = platform::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, platform::kRandMax);
    }
    platform::Srand(12345);
    for (int v : first) EXPECT_EQ(platform::Rand(), v);
}

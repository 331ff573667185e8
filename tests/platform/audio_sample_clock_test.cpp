#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/audio/sample_clock.h"

namespace {

constexpr double kRate = 48000;
constexpr std::uint32_t kBlock = 512;
constexpr double kPeriod = kBlock * 1e6 / kRate;

TEST(SampleClock, RegularCallbacksMapTimeToFramesExactly) {
    platform::SampleClock clock(kRate);
    for (int k = 0; k < 100; ++k) clock.OnBlock(k * kBlock, kBlock, static_cast<std::uint64_t>(1000000 + k * kPeriod));
    const double t0 = 1000000 + 99 * kPeriod;
    EXPECT_NEAR(clock.FrameAt(static_cast<std::uint64_t>(t0)), 99.0 * kBlock, 1.0);
    EXPECT_NEAR(clock.FrameAt(static_cast<std::uint64_t>(t0 + 5000)), 99.0 * kBlock + 240, 1.0);
}

TEST(SampleClock, CallbackJitterIsFilteredOut) {
    platform::SampleClock clock(kRate);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> jitter(0, 2000);  // woken up to 2 ms late
    double worst = 0;
    for (int k = 0; k < 2000; ++k) {
        const double ideal = 1000000 + k * kPeriod;
        clock.OnBlock(static_cast<std::uint64_t>(k) * kBlock, kBlock, static_cast<std::uint64_t>(ideal + jitter(rng)));
        if (k > 300) {
            // The map should follow the ideal line plus the mean lateness, not each wake-up's own.
            const double frame = clock.FrameAt(static_cast<std::uint64_t>(ideal + 1000));
            worst = std::max(worst, std::fabs(frame - static_cast<double>(k) * kBlock));
        }
    }
    EXPECT_LT(worst, 0.4 * kRate / 1000);  // within 0.4 ms; a raw anchor would be off by up to 1 ms
}

TEST(SampleClock, FollowsADeviceRunningAtAnotherRate) {
    // A device that takes blocks 6 % faster than its nominal rate (SDL's disk driver sleeps whole ms).
    platform::SampleClock clock(kRate);
    const double actual = 10000;
    for (int k = 0; k < 3000; ++k)
        clock.OnBlock(static_cast<std::uint64_t>(k) * kBlock, kBlock, static_cast<std::uint64_t>(k * actual));
    EXPECT_NEAR(clock.MicrosPerFrame(), actual / kBlock, 0.01);
    EXPECT_NEAR(clock.FrameAt(static_cast<std::uint64_t>(2999 * actual + 5000)), 2999.0 * kBlock + 256, 2.0);
}

TEST(SampleClock, AJumpReanchorsTheMap) {
    platform::SampleClock clock(kRate);
    for (int k = 0; k < 50; ++k)
        clock.OnBlock(static_cast<std::uint64_t>(k) * kBlock, kBlock, static_cast<std::uint64_t>(k * kPeriod));
    // A stall of a second: the next block is asked for much later.
    const auto later = static_cast<std::uint64_t>(50 * kPeriod + 1000000);
    clock.OnBlock(50 * kBlock, kBlock, later);
    EXPECT_NEAR(clock.FrameAt(later), 50.0 * kBlock, 0.5);
    // So does a block of another size.
    clock.OnBlock(51 * kBlock, 256, later + 10000);
    EXPECT_NEAR(clock.FrameAt(later + 10000), 51.0 * kBlock, 0.5);
}

}  // namespace

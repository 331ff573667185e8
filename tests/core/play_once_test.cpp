#include <gtest/gtest.h>

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/play_once.h"
#include "core/track3.h"

// A pass that spans the wrap of the 32-bit tick reads, begins and ends tick for tick as the same pass
// started anywhere else: its first key up to and at its start, its last from its end on.
TEST(PlayOnce, PassAcrossTheTickWrapReadsAsAnyOther) {
    constexpr std::uint32_t kMs = 1000;
    KeyframeTrack plain;
    KeyframeTrack wrapping;
    play_once::Make(plain, 3, kMs);
    play_once::Make(wrapping, 3, kMs);
    for (KeyframeTrack* t : {&plain, &wrapping}) {
        t->SetKey(0, 0.0f, 10.0f);
        t->SetKey(1, 0.25f, 30.0f);
        t->SetKey(2, 1.0f, -5.0f);
    }
    plain.SetStart(5000);
    wrapping.SetStart(0xFFFFFF00u);
    for (std::int32_t d = -300; d <= 1300; d += 25) {
        const std::uint32_t a = plain.Start() + static_cast<std::uint32_t>(d);
        const std::uint32_t b = wrapping.Start() + static_cast<std::uint32_t>(d);
        EXPECT_EQ(play_once::Value(plain, a), play_once::Value(wrapping, b)) << d;
        EXPECT_EQ(play_once::Begun(plain, a), play_once::Begun(wrapping, b)) << d;
        EXPECT_EQ(play_once::Over(plain, a), play_once::Over(wrapping, b)) << d;
        EXPECT_EQ(play_once::Begun(wrapping, b), d >= 0) << d;
        EXPECT_EQ(play_once::Over(wrapping, b), d >= static_cast<std::int32_t>(kMs)) << d;
    }
    EXPECT_EQ(play_once::Value(wrapping, wrapping.Start()), 10.0f);
    EXPECT_EQ(play_once::Value(wrapping, wrapping.Start() + 250), 30.0f);
    EXPECT_EQ(play_once::Value(wrapping, wrapping.Start() + kMs), -5.0f);

    Track3 flight;
    flight.MakePass(2, kMs);
    flight.z.SetKey(1, 1.0f, 8.0f);
    flight.SetStart(0xFFFFFFF0u);
    EXPECT_EQ(flight.Pass(0xFFFFFFF0u + 500).z, 4.0f);
}

// The bomb blast stepped with a manual clock and no device: the lava fades and grows every 20 ms
// step, the blast lasts 2500 ms, a second blast waits for the first, and the sparks circle the centre.

#include <gtest/gtest.h>

#include <cmath>

#include "core/track_value.h"
#include "effects/bomb_blast.h"
#include "platform/core/clock.h"
#include "render/render_presets.h"

namespace {

// One animation step per step of the blast (those need more than 20 ms).
constexpr std::uint32_t kStepMs = 21;

class BombBlastTest : public ::testing::Test {
protected:
    void DrawAfterStep() {
        clock_.Advance(kStepMs);
        blast_.StepLava(clock_.Ticks());
    }

    platform::ManualClock clock_{9000};
    platform::ScopedClock scoped_{clock_};
    BombBlast blast_;
};

TEST_F(BombBlastTest, LavaFadesGrowsAndScrollsEachStep) {
    blast_.Spawn(clock_.Ticks(), 1.0, 2.0, 40.0);
    EXPECT_EQ(0.6, blast_.LavaAlpha());
    for (int n = 1; n <= 60; ++n) {
        DrawAfterStep();
        ASSERT_NEAR(0.6 - 0.01 * n, blast_.LavaAlpha(), 1e-9) << n;
        ASSERT_NEAR(2.0 + 0.1 * n, blast_.LavaRecord().scaleX, 1e-9) << n;
        ASSERT_NEAR(2.0 + 0.1 * n, blast_.LavaRecord().scaleZ, 1e-9) << n;
        ASSERT_NEAR(0.01 * n, blast_.LavaRecord().v, 1e-9) << n;
    }
    EXPECT_NEAR(0.0, blast_.LavaAlpha(), 1e-9);
    EXPECT_EQ(0u, FadeColour(blast_.LavaAlpha()) >> 24);
    // Invisible from here on, though the blast still runs.
    DrawAfterStep();
    EXPECT_EQ(0u, FadeColour(blast_.LavaAlpha()) >> 24);
    EXPECT_EQ(1, blast_.LavaRecord().active);
}

TEST_F(BombBlastTest, EndsAfter2500MsAndTheNextStartsAfresh) {
    blast_.Spawn(clock_.Ticks(), 1.0, 2.0, 40.0);
    // 119 steps reach 2499 ms; the 120th, at 2520 ms, is past the end.
    for (int n = 1; n <= 119; ++n) {
        DrawAfterStep();
        ASSERT_EQ(1, blast_.LavaRecord().active) << n;
    }
    DrawAfterStep();
    EXPECT_EQ(0, blast_.LavaRecord().active);
    EXPECT_EQ(0.6, blast_.LavaAlpha());
    EXPECT_EQ(2.0, blast_.LavaRecord().scaleX);
    EXPECT_EQ(0.0, blast_.LavaRecord().v);

    clock_.Advance(500);
    blast_.Spawn(clock_.Ticks(), -5.0, 0.0, 60.0);
    EXPECT_EQ(1, blast_.LavaRecord().active);
    EXPECT_EQ(-5.0, blast_.LavaRecord().x);
    EXPECT_EQ(clock_.Ticks(), blast_.LavaRecord().start);
    EXPECT_EQ(0.6, blast_.LavaAlpha());
    EXPECT_EQ(2.0, blast_.LavaRecord().scaleY);
    DrawAfterStep();
    EXPECT_NEAR(0.59, blast_.LavaAlpha(), 1e-9);
}

TEST_F(BombBlastTest, ASecondBlastWhileOneRunsIsIgnored) {
    blast_.Spawn(clock_.Ticks(), 1.0, 2.0, 40.0);
    const std::uint32_t start = blast_.LavaRecord().start;
    for (int n = 0; n < 5; ++n) DrawAfterStep();
    blast_.Spawn(clock_.Ticks(), 30.0, 30.0, 90.0);
    EXPECT_EQ(1.0, blast_.LavaRecord().x);
    EXPECT_EQ(40.0, blast_.LavaRecord().z);
    EXPECT_EQ(start, blast_.LavaRecord().start);
    EXPECT_NEAR(0.55, blast_.LavaAlpha(), 1e-9);
}

TEST_F(BombBlastTest, ResetMidBlastLetsTheNextStartAtFullStrength) {
    blast_.Spawn(clock_.Ticks(), 0.0, 0.0, 30.0);
    for (int n = 0; n < 30; ++n) DrawAfterStep();
    blast_.Reset();
    EXPECT_EQ(0, blast_.LavaRecord().active);
    blast_.Spawn(clock_.Ticks(), 0.0, 0.0, 30.0);
    EXPECT_EQ(0.6, blast_.LavaAlpha());
    EXPECT_EQ(2.0, blast_.LavaRecord().scaleX);
    EXPECT_EQ(0.0, blast_.LavaRecord().v);
}

TEST_F(BombBlastTest, ShellRunsOnItsOwnFadingAndEndingLikeTheLava) {
    blast_.SpawnShell(clock_.Ticks(), 0.0, 5.0, 70.0);
    EXPECT_EQ(0, blast_.LavaRecord().active);
    for (int n = 1; n <= 120; ++n) {
        clock_.Advance(kStepMs);
        blast_.StepShell(clock_.Ticks());
        if (n == 60) {
            EXPECT_NEAR(0.0, blast_.ShellAlpha(), 1e-9);
        }
    }
    EXPECT_EQ(0, blast_.ShellRecord().active);
    EXPECT_EQ(0.6, blast_.ShellAlpha());
}

TEST_F(BombBlastTest, AngleTracksHoldExactlyTheirThreeKeys) {
    for (int i = 0; i < BombBlast::kParticleCount; ++i) {
        const KeyframeTrack& t = blast_.AngleTrack(i);
        ASSERT_EQ(3, t.Count()) << i;
        const float a = -t.KeyValue(0);
        EXPECT_GE(a, 0.0f);
        EXPECT_LE(a, 360.0f);
        EXPECT_FLOAT_EQ(180.0f - a, t.KeyValue(1));
        EXPECT_FLOAT_EQ(360.0f - a, t.KeyValue(2));
        EXPECT_EQ(3000u, t.Duration());
        // At its start the phase is 1.0: the last key, a full turn on.
        EXPECT_FLOAT_EQ(360.0f - a, TrackValue(t, t.Start()));
    }
}

TEST_F(BombBlastTest, SparksCircleTheCentreFarthestFirst) {
    blast_.Spawn(clock_.Ticks(), 10.0, -3.0, 50.0);
    for (int frame = 0; frame < 40; ++frame) {
        DrawAfterStep();
        for (int i = 0; i < BombBlast::kParticleCount; ++i) {
            const BlastParticle& p = blast_.Particle(i);
            // Radius at most 25 plus a drift of at most 5 along x; height within -8..8.
            EXPECT_LE(std::abs(p.x - 10.0), 30.0 + 1e-6);
            EXPECT_LE(std::abs(p.z - 50.0), 25.0 + 1e-6);
            EXPECT_GE(p.y, -3.0 - 8.0 - 1e-6);
            EXPECT_LE(p.y, -3.0 + 8.0 + 1e-6);
            if (i > 0) {
                EXPECT_GE(blast_.Particle(i - 1).z, p.z);
            }
        }
    }
}

}  // namespace

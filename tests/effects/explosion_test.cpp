// The explosion pool stepped with a manual clock and no device: drift, the flip-book, the cull of
// explosions on one spot and the reuse of freed records.

#include <gtest/gtest.h>

#include "effects/explosion.h"
#include "platform/core/clock.h"

namespace {

// Steps come 51 ms apart, so each takes one animation step (those need more than 50 ms).
constexpr std::uint32_t kStepMs = 51;

class ExplosionTest : public ::testing::Test {
protected:
    void DrawAfterStep() {
        clock_.Advance(kStepMs);
        explosion_.Step(clock_.Ticks());
    }
    // The active record at (x, y), or null.
    const EffectRecord* At(double x, double y) const {
        for (int i = 0; i < Explosion::kPoolSize; ++i) {
            const EffectRecord& r = explosion_.Record(i);
            if (r.active && r.x == x && r.y == y) return &r;
        }
        return nullptr;
    }

    platform::ManualClock clock_{5000};
    platform::ScopedClock scoped_{clock_};
    Explosion explosion_;
};

TEST_F(ExplosionTest, DriftsGrowsThroughBothRowsAndRetiresAfterTheTenthStep) {
    explosion_.Spawn(clock_.Ticks(), 3.0, -2.0, 100.0);
    for (int n = 1; n <= 9; ++n) {
        DrawAfterStep();
        const EffectRecord* r = At(3.0, -2.0);
        ASSERT_NE(nullptr, r) << "gone after step " << n;
        EXPECT_DOUBLE_EQ(100.0 - 1.5 * n, r->z);
        EXPECT_NEAR(1.0 + 0.1 * n, r->scaleX, 1e-9);
        EXPECT_NEAR(1.0 + 0.1 * n, r->scaleY, 1e-9);
        // Cells 0-4 on the first row, 5-9 on the second.
        EXPECT_NEAR(0.2 * (n % 5), r->u, 1e-9) << n;
        EXPECT_DOUBLE_EQ(n < 5 ? 0.0 : 0.5, r->v) << n;
    }
    DrawAfterStep();
    EXPECT_EQ(nullptr, At(3.0, -2.0));
    EXPECT_EQ(0, explosion_.ActiveCount());
}

TEST_F(ExplosionTest, NoStepWithinFiftyMilliseconds) {
    explosion_.Spawn(clock_.Ticks(), 0.0, 0.0, 50.0);
    clock_.Advance(50);
    explosion_.Step(clock_.Ticks());
    ASSERT_NE(nullptr, At(0.0, 0.0));
    EXPECT_EQ(0.0, At(0.0, 0.0)->u);
    EXPECT_DOUBLE_EQ(48.5, At(0.0, 0.0)->z);  // the drift is per frame, not per step
}

TEST_F(ExplosionTest, TwoOnOneSpotLeaveOneAfterTheNextDraw) {
    explosion_.Spawn(clock_.Ticks(), 10.0, 5.0, 80.0);
    explosion_.Spawn(clock_.Ticks(), 10.0, 5.0, 80.0);
    // Far enough apart on x: kept.
    explosion_.Spawn(clock_.Ticks(), -10.0, 5.0, 80.0);
    explosion_.Spawn(clock_.Ticks(), -18.0, 5.0, 80.0);
    EXPECT_EQ(4, explosion_.ActiveCount());
    DrawAfterStep();
    EXPECT_EQ(3, explosion_.ActiveCount());
    EXPECT_NE(nullptr, At(10.0, 5.0));
    EXPECT_NE(nullptr, At(-10.0, 5.0));
    EXPECT_NE(nullptr, At(-18.0, 5.0));
}

TEST_F(ExplosionTest, DrawnFarthestFirst) {
    explosion_.Spawn(clock_.Ticks(), 0.0, 0.0, 20.0);
    explosion_.Spawn(clock_.Ticks(), 30.0, 0.0, 90.0);
    explosion_.Spawn(clock_.Ticks(), 60.0, 0.0, 50.0);
    explosion_.Step(clock_.Ticks());
    EXPECT_EQ(30.0, explosion_.Record(0).x);
    EXPECT_EQ(60.0, explosion_.Record(1).x);
    EXPECT_EQ(0.0, explosion_.Record(2).x);
}

TEST_F(ExplosionTest, ARecordFreedByTheCullStartsAfreshWhenSpawnedAgain) {
    explosion_.Spawn(clock_.Ticks(), 0.0, 0.0, 100.0);
    for (int n = 0; n < 6; ++n) DrawAfterStep();
    const EffectRecord* old = At(0.0, 0.0);
    ASSERT_NE(nullptr, old);
    ASSERT_EQ(0.5, old->v);  // well into the second row
    // A second explosion lands on it; the older one is the one dropped, holding its cell.
    explosion_.Spawn(clock_.Ticks(), 0.0, 0.0, old->z);
    explosion_.Step(clock_.Ticks());
    ASSERT_EQ(1, explosion_.ActiveCount());

    explosion_.Spawn(clock_.Ticks(), 20.0, 20.0, 200.0);
    const EffectRecord* fresh = At(20.0, 20.0);
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0.0, fresh->u);
    EXPECT_EQ(0.0, fresh->v);
    EXPECT_EQ(1.0, fresh->scaleX);
    EXPECT_EQ(1.0, fresh->scaleY);
    EXPECT_EQ(50, fresh->stepInterval);
    // And it plays its full ten cells.
    for (int n = 1; n <= 9; ++n) {
        DrawAfterStep();
        EXPECT_NE(nullptr, At(20.0, 20.0)) << "gone after step " << n;
    }
    DrawAfterStep();
    EXPECT_EQ(nullptr, At(20.0, 20.0));
}

TEST_F(ExplosionTest, AFullPoolIgnoresFurtherSpawnsAndResetFreesIt) {
    for (int i = 0; i < Explosion::kPoolSize; ++i) explosion_.Spawn(clock_.Ticks(), 20.0 * i, 0.0, 100.0);
    EXPECT_EQ(60, explosion_.ActiveCount());
    explosion_.Spawn(clock_.Ticks(), -500.0, 0.0, 100.0);
    EXPECT_EQ(60, explosion_.ActiveCount());
    EXPECT_EQ(nullptr, At(-500.0, 0.0));

    DrawAfterStep();
    explosion_.Reset();
    EXPECT_EQ(0, explosion_.ActiveCount());
    for (int i = 0; i < Explosion::kPoolSize; ++i) {
        EXPECT_EQ(0.0, explosion_.Record(i).u);
        EXPECT_EQ(1.0, explosion_.Record(i).scaleX);
    }
    explosion_.Spawn(clock_.Ticks(), -500.0, 0.0, 100.0);
    EXPECT_NE(nullptr, At(-500.0, 0.0));
}

}  // namespace

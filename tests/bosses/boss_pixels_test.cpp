// The bosses drawn through a real device with the game's meshes, under the game's default camera and
// light: every boss loads, and the first one shows where its body is.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/registry.h"
#include "bosses/bboss02.h"
#include "bosses/boss_roster.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

class BossPixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        ResetRegistry();
        GameDataDeviceTest::SetUp();
    }
    void TearDown() override {
        GameDataDeviceTest::TearDown();
        ResetRegistry();
    }

    Image DrawFirstBoss() { return DrawBoss(0, false); }
    // The boss's body, and with `update` its own steps, which list its parts.
    Image DrawBoss(int index, bool update) {
        BeginFrame();
        if (update) {
            roster_.GetBoss(index).Step(clock_.Ticks());
        } else {
            roster_.GetBoss(index).StepBodyOnly(clock_.Ticks());
        }
        roster_.GetBoss(index).Draw();
        return EndFrame();
    }
    // The summed brightness of the pixels within r of a screen point, and how many are lit.
    static std::pair<long, int> Around(const Image& frame, int cx, int cy, int r) {
        long sum = 0;
        int lit = 0;
        for (int py = std::max(0, cy - r); py <= std::min(frame.height - 1, cy + r); ++py) {
            for (int px = std::max(0, cx - r); px <= std::min(frame.width - 1, cx + r); ++px) {
                const int b = Brightness(frame.At(px, py));
                sum += b;
                lit += b > 30 ? 1 : 0;
            }
        }
        return {sum, lit};
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    BossRoster roster_;
};

TEST_F(BossPixelTest, EveryBossLoadsAndTheFirstDrawsAtItsPlaceTranslucentAfterAHit) {
    roster_.Load(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    roster_.Reset(clock_.Ticks());

    // Not in battle: nothing drawn.
    EXPECT_EQ(0, Around(DrawFirstBoss(), 400, 300, 400).second);

    BodyRecord& body = roster_.GetBoss(0).Body();
    body.active = 1;
    body.holdPosition = 1;  // at its configured place, (0, 0, 40)
    const Image frame = DrawFirstBoss();
    const Vector3 at = Project(0.0f, 0.0f, 40.0f);
    const int cx = static_cast<int>(at.x), cy = static_cast<int>(at.y);
    const auto [solidSum, solidLit] = Around(frame, cx, cy, 6);
    EXPECT_GT(solidLit, 100) << "nothing drawn at " << cx << "," << cy;
    // A body of radius 2 at depth 40 stays well inside a 200-pixel box; the corners and the sides are black.
    for (auto [x, y] : {std::pair{2, 2}, {797, 2}, {2, 597}, {797, 597}, {cx - 200, cy}, {cx + 200, cy}}) {
        EXPECT_EQ(0, Brightness(frame.At(x, y))) << x << "," << y;
    }
    std::uint32_t blend = 1;
    device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    EXPECT_EQ(0u, blend);

    const long solidWide = Around(frame, cx, cy, 25).first;
    body.hitFlash = 1;
    const auto [flashWide, flashLit] = Around(DrawFirstBoss(), cx, cy, 25);
    EXPECT_EQ(0, body.hitFlash) << "one translucent frame per hit";
    EXPECT_LT(flashWide * 10, solidWide * 6) << "at alpha 0.3 over black the body is much darker";
    EXPECT_GT(flashLit, 0);
    EXPECT_EQ(solidSum, Around(DrawFirstBoss(), cx, cy, 6).first);
}

TEST_F(BossPixelTest, StageOneFinalBossDrawsItsCoreShieldsAndBarrier) {
    roster_.Load(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    roster_.Reset(clock_.Ticks());
    auto& boss = static_cast<Bboss02&>(roster_.GetBoss(1));
    boss.Body().active = 1;
    // At the entry tick the core stands at (0, 5, 40) and the shields at the top and a third of a turn
    // either side.
    boss.Start(clock_.Ticks(), 0);
    const Image full = DrawBoss(1, true);
    auto lit = [&](const Image& frame, double x, double y, double z, int r) {
        const Vector3 at = Project(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        return Around(frame, static_cast<int>(at.x), static_cast<int>(at.y), r);
    };
    EXPECT_GT(lit(full, 0.0, 5.0, 40.0, 5).second, 60) << "the core";
    long shieldsLit = 0;
    for (int j = 0; j < Bboss02::kShieldCount; ++j) {
        const BodyRecord& s = boss.Shield(j);
        const auto [sum, count] = lit(full, s.x, s.y, s.z, 4);
        EXPECT_GT(count, 25) << "shield " << j << " at " << s.x << "," << s.y;
        shieldsLit += sum;
    }

    // Without the shields their places go dark; the core and the barrier stay.
    for (BodyRecord& s : boss.ExtraBodies()) s.active = 0;
    const Image bare = DrawBoss(1, true);
    long shieldsGone = 0;
    for (int j = 0; j < Bboss02::kShieldCount; ++j) {
        const BodyRecord& s = boss.Shield(j);
        shieldsGone += lit(bare, s.x, s.y, s.z, 4).first;
    }
    EXPECT_LT(shieldsGone * 4, shieldsLit);
    // Inside the barrier's rim, clear of the core, the shields and the holes: faint while it stands.
    const double rimX = -4.0, rimY = 5.0, rimZ = 34.0;
    const long barrierSum = lit(bare, rimX, rimY, rimZ, 6).first;

    // A hit on the core shows on the barrier, opaque for a while.
    boss.Body().hitFlash = 1;
    const Image flashed = DrawBoss(1, true);
    EXPECT_TRUE(boss.BarrierOpaque());
    EXPECT_GT(lit(flashed, rimX, rimY, rimZ, 6).first, barrierSum * 2);

    // Lowered, it is gone.
    boss.ShieldsDown();
    const Image open = DrawBoss(1, true);
    const auto [openSum, openLit] = lit(open, rimX, rimY, rimZ, 6);
    EXPECT_EQ(0, openLit);
    EXPECT_GT(barrierSum, openSum + 169 * 5) << "the standing barrier tints what lies behind it";
    EXPECT_GT(lit(open, 0.0, 5.0, 40.0, 5).second, 60);
    std::uint32_t blend = 1;
    device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    EXPECT_EQ(0u, blend);
}

}  // namespace

// The knight drawn through a real device with the game's meshes: the body alone from its draw, then its
// halo and wings from its update, where the body has nothing; and the swords of its fan out at their reach.

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "bosses/bboss03.h"
#include "platform/core/clock.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

class Bboss03PixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        GameDataDeviceTest::SetUp();
        knight_.DrawContext().Bind(device_.get(), sprite_.get(), window_);
        ASSERT_TRUE(knight_.Load());
        ASSERT_TRUE(messages_.empty()) << messages_.front();
        knight_.Reset();
        BodyRecord& body = knight_.Body();
        body.active = 1;
        body.holdPosition = 1;
        body.x = 0.0;
        body.y = 2.0;
        body.z = 40.0;
        // The attack clock starts now: no attack begins in these frames.
        knight_.Start(clock_.Ticks(), 0);
    }
    Image Frame(bool withUpdate) {
        BeginFrame();
        if (withUpdate) {
            knight_.Step(clock_.Ticks());
        } else {
            knight_.StepBodyOnly(clock_.Ticks());
        }
        knight_.Draw();
        return EndFrame();
    }
    // How many pixels within r of a world point's projection are lit.
    int LitAround(const Image& frame, float x, float y, float z, int r) {
        const Vector3 at = Project(x, y, z);
        const int cx = static_cast<int>(at.x), cy = static_cast<int>(at.y);
        int lit = 0;
        for (int py = std::max(0, cy - r); py <= std::min(frame.height - 1, cy + r); ++py) {
            for (int px = std::max(0, cx - r); px <= std::min(frame.width - 1, cx + r); ++px) {
                lit += Brightness(frame.At(px, py)) > 30 ? 1 : 0;
            }
        }
        return lit;
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    Bboss03 knight_;
};

TEST_F(Bboss03PixelTest, BodyDrawsAloneAndItsUpdateAddsTheHaloAndTheWings) {
    const Image body = Frame(false);
    const Image whole = Frame(true);
    EXPECT_GT(LitAround(body, 0.0f, 2.0f, 40.0f, 6), 100) << "the knight's chest";
    // The halo's crown rises above the helm; the lowest feathers reach out past the pauldrons.
    const float haloTop[3] = {0.0f, 2.0f + 1.4f + 2.8f, 41.5f};
    const float wingTip[2][3] = {{3.1f, 3.4f, 41.6f}, {-3.1f, 3.4f, 41.6f}};
    EXPECT_EQ(0, LitAround(body, haloTop[0], haloTop[1], haloTop[2], 4));
    EXPECT_GT(LitAround(whole, haloTop[0], haloTop[1], haloTop[2], 4), 0);
    for (const auto& tip : wingTip) {
        EXPECT_EQ(0, LitAround(body, tip[0], tip[1], tip[2], 3)) << tip[0];
        EXPECT_GT(LitAround(whole, tip[0], tip[1], tip[2], 3), 0) << tip[0];
    }
    // The corners stay black: nothing is drawn far from the knight.
    for (auto [x, y] : {std::pair{2, 2}, {797, 2}, {2, 597}, {797, 597}}) {
        EXPECT_EQ(0, Brightness(whole.At(x, y))) << x << "," << y;
    }
}

TEST_F(Bboss03PixelTest, SwordFanReachesOutToTheSidesAsItTurns) {
    BossBullet& blade = knight_.List(Bboss03::kSwordList)[0];
    const Image before = Frame(true);
    blade.alive = 1;
    blade.x = 0.0;
    blade.y = 2.0;
    blade.z = 40.0;
    blade.sx = blade.sy = 1.0;
    blade.sz = 2.0;
    // A quarter turn: the blade lies across the sky to the right of the knight.
    blade.yaw = std::numbers::pi / 2;
    BeginFrame();
    knight_.Step(clock_.Ticks());
    knight_.Draw();
    const Image after = EndFrame();
    EXPECT_EQ(0, LitAround(before, 12.0f, 2.0f, 40.0f, 3));
    EXPECT_GT(LitAround(after, 12.0f, 2.0f, 40.0f, 3), 0) << "the blade halfway out";
}

}  // namespace

// The crosshairs under the game's camera, drawn inside a sprite bracket as the game frame draws them.

#include <numbers>

#include <algorithm>

#include "hud/hud_test_support.h"
#include "platform/core/events.h"
#include "platform/gfx/math.h"

namespace {

// Screen position of a world point under the game's camera, computed here from the camera itself.
platform::Vector3 GameProjection(float x, float y, float z) {
    platform::Matrix view, projection, world;
    const platform::Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
    platform::MatrixLookAtLH(&view, &eye, &at, &up);
    platform::MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    const platform::Viewport viewport{0, 0, 800, 600, 0.0f, 1.0f};
    const platform::Vector3 in{x, y, z};
    platform::Vector3 out;
    platform::Vec3Project(&out, &in, &viewport, &projection, &view, &world);
    return out;
}

struct Box {
    int left = 800, top = 600, right = -1, bottom = -1;
    double CentreX() const { return (left + right + 1) / 2.0; }
    double CentreY() const { return (top + bottom + 1) / 2.0; }
};

Box Drawn(const platform::Image& f) {
    Box b;
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            if (PixelDifference(f.At(x, y), 0xFF000000u) <= 12) continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.top = std::min(b.top, y);
            b.bottom = std::max(b.bottom, y);
        }
    }
    return b;
}

// The player's aim points for a ship at (0, 0, 15) flying straight: 85 and 40 ahead.
TEST_F(HudTest, CrosshairsAreCentredOnTheProjectedAimPoints) {
    struct Case {
        int index;
        float z;
        int size;
    };
    for (const Case& c : {Case{0, 100.0f, 32}, Case{1, 55.0f, 64}}) {
        sight_.SetAimPoint(0, 0, 0, 100, c.index == 0);
        sight_.SetAimPoint(1, 0, 0, 55, c.index == 1);
        const Box b = Drawn(SightFrame());
        const platform::Vector3 p = GameProjection(0, 0, c.z);
        ASSERT_GE(b.right, 0) << "crosshair " << c.index << " not drawn";
        EXPECT_LE(b.right - b.left + 1, c.size) << c.index;
        EXPECT_NEAR(p.x, b.CentreX(), 1.5) << c.index;
        EXPECT_NEAR(p.y, b.CentreY(), 1.5) << c.index;
    }
    // The two points lie apart on the screen: the near one lower, nearer the camera's look-at point.
    EXPECT_GT(GameProjection(0, 0, 55).y - GameProjection(0, 0, 100).y, 20.0f);
}

TEST_F(HudTest, InactiveAimPointsDrawNothing) {
    sight_.SetAimPoint(0, 0, 0, 100, false);
    sight_.SetAimPoint(1, 0, 0, 55, false);
    sight_.SetAimPoint(2, 0, 0, 55, true);  // no such point
    EXPECT_LT(Drawn(SightFrame()).right, 0);
    EXPECT_EQ(0, sight_.Point(0).active);
    EXPECT_EQ(0, sight_.Point(1).active);
}

// The sight leaves blending off; the console drawn after it in the same bracket still shows its frames
// half transparent, as it does alone.
TEST_F(HudTest, ConsoleAfterTheSightKeepsItsFramesHalfTransparent) {
    const PlayerState s = [] {
        PlayerState p = PlayerState::NewGame();
        p.bombs = 3;
        return p;
    }();
    const platform::Image alone = ConsoleFrame(s);
    sight_.SetAimPoint(0, 0, 0, 100, true);
    sight_.SetAimPoint(1, 0, 0, 55, true);
    device_->Clear(0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device_->BeginScene();
    sprite_->Begin(platform::D3DXSPRITE_ALPHABLEND);
    sight_.Draw();
    console_.Step(0, s);
    console_.Draw();
    sprite_->End();
    device_->EndScene();
    const platform::Image after = Frame();
    EXPECT_EQ(0, DifferingColumns(alone, after, 540, 0, 800));
    EXPECT_EQ(0, DifferingColumns(alone, after, 552, 0, 800));
}

TEST_F(HudTest, MissingCrosshairShowsItsLostText) {
    const std::filesystem::path dataDir = std::filesystem::current_path();
    std::filesystem::current_path(dataDir.parent_path());
    Sight sight;
    sight.Bind(device_.get(), sprite_.get(), window_);
    EXPECT_FALSE(sight.Load());
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ("sightロスト", messages_[0]);
    std::filesystem::current_path(dataDir);
    int code = 0;
    platform::PumpMessages(&code);  // takes the quit the failure posted
}

}  // namespace

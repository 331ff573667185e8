// The effects drawn through a real device with the game's pictures and meshes, under the game's
// default camera: where they colour the screen and where they leave it alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "effects/bomb_blast.h"
#include "effects/damage_flash.h"
#include "effects/explosion.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/random.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "support/game_data_device.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

int R(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int G(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
int Brightness(std::uint32_t c) { return R(c) + G(c) + B(c); }

class EffectsPixelTest : public GameDataDeviceTest {
protected:
    // The brightest pixel within r of (x, y).
    static std::uint32_t BrightestNear(const Image& frame, int x, int y, int r) {
        std::uint32_t best = 0;
        for (int yy = std::max(0, y - r); yy <= std::min(frame.height - 1, y + r); ++yy) {
            for (int xx = std::max(0, x - r); xx <= std::min(frame.width - 1, x + r); ++xx) {
                if (Brightness(frame.At(xx, yy)) > Brightness(best)) best = frame.At(xx, yy);
            }
        }
        return best;
    }
    static void ExpectCornersBlack(const Image& frame) {
        for (auto [x, y] : {std::pair{2, 2}, {797, 2}, {2, 597}, {797, 597}}) {
            EXPECT_EQ(0, Brightness(frame.At(x, y))) << x << "," << y;
        }
    }

    ManualClock clock_{20000};
    ScopedClock scoped_{clock_};
};

TEST_F(EffectsPixelTest, AnExplosionStartedAfterItsStepFirstShowsInTheNextFrame) {
    Explosion explosion;
    Load(explosion);
    const Vector3 at = Project(0.0f, 0.0f, 38.5f);
    BeginFrame();
    explosion.Step(clock_.Ticks());
    // A kill later in the frame, before the draw.
    explosion.Spawn(clock_.Ticks(), 0.0, 0.0, 40.0);
    explosion.Draw();
    EXPECT_EQ(0, Brightness(BrightestNear(EndFrame(), static_cast<int>(at.x), static_cast<int>(at.y), 4)));
    BeginFrame();
    explosion.Step(clock_.Ticks());
    explosion.Draw();
    EXPECT_GT(Brightness(BrightestNear(EndFrame(), static_cast<int>(at.x), static_cast<int>(at.y), 4)), 150);
}

TEST_F(EffectsPixelTest, ExplosionColoursItsPlaceAndLeavesTheCornersBlack) {
    Explosion explosion;
    Load(explosion);
    explosion.Spawn(clock_.Ticks(), 6.0, 2.0, 40.0);
    BeginFrame();
    explosion.Step(clock_.Ticks());
    explosion.Draw();
    const Image frame = EndFrame();
    // It is drawn after its first drift.
    const Vector3 at = Project(6.0f, 2.0f, 38.5f);
    const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
    ASSERT_GT(x, 400);  // right of the centre and on screen
    ASSERT_LT(x, 800);
    const std::uint32_t centre = BrightestNear(frame, x, y, 4);
    EXPECT_GT(Brightness(centre), 150) << "nothing drawn at " << x << "," << y;
    // Half opacity: not the full white of the picture.
    EXPECT_LT(R(centre), 200);
    // Well outside the quad (4 units wide at depth 38.5) the screen stays black.
    EXPECT_EQ(0, Brightness(frame.At(std::max(0, x - 200), y)));
    ExpectCornersBlack(frame);
}

TEST_F(EffectsPixelTest, DamageFlashReddensTheEdgeAndLeavesTheMiddle) {
    DamageFlash flash;
    Load(flash);
    flash.Spawn(clock_.Ticks());
    BeginFrame();
    ASSERT_EQ(S_OK, sprite_->Begin(D3DXSPRITE_ALPHABLEND));
    flash.Step(clock_.Ticks());
    flash.Draw();
    ASSERT_EQ(S_OK, sprite_->End());
    const Image frame = EndFrame();
    for (auto [x, y] : {std::pair{2, 301}, {797, 301}, {400, 2}, {400, 597}}) {
        const std::uint32_t c = frame.At(x, y);
        EXPECT_GT(R(c), 120) << x << "," << y;
        EXPECT_GT(R(c), 2 * G(c)) << x << "," << y;
        EXPECT_GT(R(c), 2 * B(c)) << x << "," << y;
    }
    EXPECT_EQ(0, Brightness(frame.At(400, 300)));
    EXPECT_EQ(0, Brightness(frame.At(300, 250)));

    // Once its time is over the draw shows nothing.
    clock_.Advance(501);
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND);
    flash.Step(clock_.Ticks());
    flash.Draw();
    sprite_->End();
    EndFrame();
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND);
    flash.Step(clock_.Ticks());
    flash.Draw();
    sprite_->End();
    EXPECT_EQ(0, Brightness(EndFrame().At(2, 301)));
}

// The flash must not hide play: over a lit scene, the middle of the screen, where the ship, the shots and
// the boss are, keeps the scene's colour, and only the frame turns red.
TEST_F(EffectsPixelTest, DamageFlashKeepsTheMiddleOfTheSceneReadable) {
    DamageFlash flash;
    Load(flash);
    flash.Spawn(clock_.Ticks());
    constexpr std::uint32_t kScene = 0xFF4080A0u;
    BeginFrame();
    ASSERT_EQ(S_OK, device_->Clear(0, nullptr, D3DCLEAR_TARGET, kScene, 1.0f, 0));
    ASSERT_EQ(S_OK, sprite_->Begin(D3DXSPRITE_ALPHABLEND));
    flash.Step(clock_.Ticks());
    flash.Draw();
    ASSERT_EQ(S_OK, sprite_->End());
    const Image frame = EndFrame();
    for (auto [x, y] : {std::pair{400, 300}, {130, 300}, {670, 300}, {400, 130}, {400, 470}, {150, 150}, {650, 450}}) {
        const std::uint32_t c = frame.At(x, y);
        EXPECT_NEAR(R(c), R(kScene), 3) << x << "," << y;
        EXPECT_NEAR(G(c), G(kScene), 3) << x << "," << y;
        EXPECT_NEAR(B(c), B(kScene), 3) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{2, 301}, {797, 301}, {400, 2}, {2, 2}}) {
        const std::uint32_t c = frame.At(x, y);
        EXPECT_GT(R(c), R(kScene) + 100) << x << "," << y;
        EXPECT_LT(B(c), B(kScene) / 2) << x << "," << y;
    }
}

TEST_F(EffectsPixelTest, LavaBlastCoversItsCentreThenFades) {
    Srand(1);  // the same sparks every run
    BombBlast blast;
    Load(blast);
    blast.Spawn(clock_.Ticks(), 0.0, 0.0, 30.0);
    BeginFrame();
    blast.StepLava(clock_.Ticks());
    blast.DrawLava();
    const Image first = EndFrame();
    const Vector3 at = Project(0.0f, 0.0f, 30.0f);
    EXPECT_GT(Brightness(first.At(static_cast<int>(at.x), static_cast<int>(at.y))), 60);
    // The culling it turned off for the sphere is back.
    std::uint32_t cull = 0;
    device_->GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ(static_cast<std::uint32_t>(D3DCULL_CCW), cull);

    // After 60 steps the lava is fully faded; only the sparks may remain.
    for (int n = 0; n < 60; ++n) {
        clock_.Advance(21);
        blast.StepLava(clock_.Ticks());
        blast.DrawLava();
    }
    clock_.Advance(21);
    BeginFrame();
    blast.StepLava(clock_.Ticks());
    blast.DrawLava();
    const Image faded = EndFrame();
    int lit = 0, before = 0;
    for (int dy = -20; dy <= 20; dy += 4) {
        for (int dx = -20; dx <= 20; dx += 4) {
            const int x = static_cast<int>(at.x) + dx, y = static_cast<int>(at.y) + dy;
            before += Brightness(first.At(x, y)) > 30 ? 1 : 0;
            lit += Brightness(faded.At(x, y)) > 30 ? 1 : 0;
        }
    }
    EXPECT_LT(lit, before / 2);
}

TEST_F(EffectsPixelTest, MissingFilesAreReportedByTheirOwnTexts) {
    // The failure closes the main window: give the loaders one of their own.
    WindowHandle main = CreateMainWindow("main", 800, 600, false);
    MainWindowHandle = main;
    {
        TempWorkDir empty;
        Explosion explosion;
        DamageFlash flash;
        BombBlast blast;
        for (Drawable* d : std::initializer_list<Drawable*>{&explosion, &flash, &blast}) {
            d->Bind(device_.get(), sprite_.get(), window_);
        }
        EXPECT_FALSE(explosion.Load());
        EXPECT_FALSE(flash.Load());
        EXPECT_FALSE(blast.Load());
    }
    const std::vector<std::string> expected = {"explosion01ロスト", "explosion03ロスト", "explosion03Xfileロスト"};
    EXPECT_EQ(expected, messages_);
    MainWindowHandle = window_;
    ReleaseWindow(main);
}

}  // namespace

// The last boss drawn through a real device with the game's meshes and pictures, under the game's
// camera at rest: its body and ring of circles, its lances at rest, the laser grid and the eye.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bosses/lboss04.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/game_data_device.h"
#include "support/seeded_draws.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

class Lboss04PixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        GameDataDeviceTest::SetUp();
        InstallSceneAudio(&silence_);
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        GameDataDeviceTest::TearDown();
    }
    // One frame at `tick`: the body alone, or the body and the update's own drawing.
    Image FrameAt(std::uint32_t tick, bool update) {
        clock_.Set(tick);
        BeginFrame();
        if (update) {
            boss_.Step(clock_.Ticks());
        } else {
            boss_.StepBodyOnly(clock_.Ticks());
        }
        boss_.Draw();
        return EndFrame();
    }
    // The update's steps run without reading the picture back.
    void UpdateAt(std::uint32_t tick) {
        clock_.Set(tick);
        EXPECT_EQ(S_OK, device_->BeginScene());
        boss_.Step(clock_.Ticks());
        boss_.Draw();
        EXPECT_EQ(S_OK, device_->EndScene());
    }
    // How many pixels within r of a world point's image differ between two frames by more than a shade.
    int Changed(const Image& a, const Image& b, double x, double y, double z, int r = 8) {
        const Vector3 at = Project(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        const int cx = static_cast<int>(at.x), cy = static_cast<int>(at.y);
        int n = 0;
        for (int py = std::max(0, cy - r); py <= std::min(a.height - 1, cy + r); ++py) {
            for (int px = std::max(0, cx - r); px <= std::min(a.width - 1, cx + r); ++px) {
                n += std::abs(Brightness(a.At(px, py)) - Brightness(b.At(px, py))) > 30 ? 1 : 0;
            }
        }
        return n;
    }
    static int LitPixels(const Image& frame) {
        int n = 0;
        for (int py = 0; py < frame.height; ++py) {
            for (int px = 0; px < frame.width; ++px) n += Brightness(frame.At(px, py)) > 30 ? 1 : 0;
        }
        return n;
    }

    static constexpr std::uint32_t kEntry = 50000;
    ManualClock clock_{kEntry};
    ScopedClock scoped_{clock_};
    RecordingAudio silence_;
    Lboss04 boss_;
};

TEST_F(Lboss04PixelTest, BodyCirclesLancesLasersAndTheEyeDraw) {
    boss_.DrawContext().Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(boss_.Load());
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    boss_.Reset();
    BodyRecord& body = boss_.Body();
    body.z = 40.0;
    body.life = body.lifeMax = 600;
    body.holdPosition = 1;  // at the centre, (0, 0, 40)
    PlayerState ship = PlayerState::NewGame();
    boss_.SetPlayer(ship);

    // Out of battle the body is not drawn (and the roster does not update it).
    const Image empty = FrameAt(kEntry, false);
    EXPECT_EQ(0, LitPixels(empty));
    body.active = 1;
    boss_.Start(clock_.Ticks(), 0);

    const std::uint32_t first = kEntry + 33;
    const Image bodyOnly = FrameAt(first, false);
    const Image calm = FrameAt(first, true);
    EXPECT_GT(Changed(empty, bodyOnly, 0, 0, 40, 20), 400) << "body";
    // The circle above the body, past its halo; a dark circle at the side; the two lances at rest.
    EXPECT_GT(Changed(bodyOnly, calm, 0, 10, 42), 20) << "magic circle";
    const double a = 33.0 / 12000.0 * 360.0 * std::acos(-1.0) / 180.0;
    EXPECT_GT(Changed(bodyOnly, calm, -10 * std::cos(a), -10 * std::sin(a), 37), 20) << "dark circle";
    EXPECT_GT(Changed(bodyOnly, calm, -5, -1, 35), 10) << "lance";
    EXPECT_GT(Changed(bodyOnly, calm, 5, -1, 35), 10) << "lance";

    // The laser grid: a laser of the lower left, grown two seconds, stands where nothing stood before.
    const std::uint32_t lasers = kEntry + 3100;
    UpdateAt(lasers);
    ASSERT_EQ(Lboss04::Attack::kLasers, boss_.Next());
    ASSERT_TRUE(boss_.Running());
    UpdateAt(lasers + 1500);
    const Image grid = FrameAt(lasers + 3500, true);
    const BossBullet& laser = boss_.List(Lboss04::kLaserList)[7];
    ASSERT_DOUBLE_EQ(-14.0, laser.x);
    ASSERT_DOUBLE_EQ(-7.0, laser.y);
    EXPECT_GT(Changed(calm, grid, -14, -7, laser.z), 20) << "laser";
    EXPECT_GT(Changed(calm, grid, -20, -7, 36), 10) << "emitter";

    // The eye over the body and its hole above.
    SeedDrawingFirst(static_cast<int>(Lboss04::Attack::kEye), 4);
    UpdateAt(lasers + 6500);
    ASSERT_FALSE(boss_.Running());
    const std::uint32_t eye = lasers + 6500 + 3100;
    UpdateAt(eye);
    ASSERT_EQ(Lboss04::Attack::kEye, boss_.Next());
    ASSERT_TRUE(boss_.EyeShown());
    const Image eyeBodyOnly = FrameAt(eye + 1000, false);
    const Image eyeOpen = FrameAt(eye + 1000, true);
    EXPECT_GT(Changed(eyeBodyOnly, eyeOpen, boss_.EyeX(), boss_.EyeY(), 35), 40) << "eye";
    EXPECT_GT(Changed(calm, eyeOpen, -6, 10, 36), 20) << "hole";
}

}  // namespace

// The three moons drawn through a real device with the game's meshes and pictures: each one's body and
// the entries of its attacks show where their records stand, and nothing of an attack shows before it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/registry.h"
#include "bosses/smoon01.h"
#include "bosses/smoon02.h"
#include "bosses/smoon03.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

class MoonPixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        GameDataDeviceTest::SetUp();
        ResetRegistry();
        InstallSceneAudio(&silence_);
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        ResetRegistry();
        GameDataDeviceTest::TearDown();
    }
    // Loads the moon, puts it in battle at the current tick with the ship at the origin of its plane.
    void Enter(MoonBoss& moon) {
        Bind(moon.DrawContext());
        ASSERT_TRUE(moon.Load());
        ASSERT_TRUE(messages_.empty()) << messages_.front();
        moon.Reset();
        BodyRecord& body = moon.Body();
        body.z = 40.0;
        body.active = 1;
        PlayerState ship = PlayerState::NewGame();
        ship.x = 0.0;
        ship.y = 0.0;
        moon.SetPlayer(ship);
        moon.Start(clock_.Ticks(), 0);
        entry_ = GetTickCount();
    }
    // One frame as the roster runs it, `ms` after the entry.
    Image FrameAt(Boss& moon, std::uint32_t ms) {
        clock_.Set(entry_ + ms);
        BeginFrame();
        moon.Step(clock_.Ticks());
        moon.Draw();
        return EndFrame();
    }
    // How many pixels within 5 of where a world point falls are lit.
    int LitAround(const Image& frame, double x, double y, double z) {
        const Vector3 at = Project(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        const int cx = static_cast<int>(at.x), cy = static_cast<int>(at.y);
        int lit = 0;
        for (int py = std::max(0, cy - 5); py <= std::min(frame.height - 1, cy + 5); ++py) {
            for (int px = std::max(0, cx - 5); px <= std::min(frame.width - 1, cx + 5); ++px) {
                lit += Brightness(frame.At(px, py)) > 30 ? 1 : 0;
            }
        }
        return lit;
    }

    ManualClock clock_{200000};
    ScopedClock scoped_{clock_};
    RecordingAudio silence_;
    std::uint32_t entry_ = 0;
};

TEST_F(MoonPixelTest, FirstMoonDrawsItsBodyItsSwordsAndItsShots) {
    Smoon01 moon;
    Enter(moon);
    const Image before = FrameAt(moon, 2000);
    EXPECT_GT(LitAround(before, moon.Body().x, moon.Body().y, moon.Body().z), 20) << "the body";
    EXPECT_EQ(0, LitAround(before, -15.0, 10.0, 40.0)) << "no sword before the attack";

    FrameAt(moon, 3100);  // the swords are out
    const Image swords = FrameAt(moon, 3133);
    for (std::size_t i : {0u, 4u, 9u, 11u}) {
        const BossBullet& bar = moon.List(Smoon01::kBarList)[i];
        EXPECT_GT(LitAround(swords, bar.x, bar.y, bar.z), 10) << "sword " << i;
    }

    // The swords end 6000 ms after their launch; the shots come next and are seen in flight.
    for (std::uint32_t seed = 1;; ++seed) {
        Srand(seed);
        if (Rand() % 2 == 0) {
            Srand(seed);
            break;
        }
    }
    FrameAt(moon, 3100 + 6000);
    ASSERT_EQ(1, moon.ShotsNext());
    FrameAt(moon, 3100 + 6000 + 3100);
    ASSERT_TRUE(moon.ShotsRunning());
    const Image shots = FrameAt(moon, 3100 + 6000 + 3100 + 600);
    int seen = 0;
    for (const BossBullet& s : moon.List(Smoon01::kShotList)) {
        if (s.alive && s.z < 38.0) seen += LitAround(shots, s.x, s.y, s.z) > 5 ? 1 : 0;
    }
    EXPECT_GT(seen, 20);
}

TEST_F(MoonPixelTest, SecondMoonDrawsItsRingAndItsBeam) {
    Smoon02 moon;
    Enter(moon);
    FrameAt(moon, 3100);
    ASSERT_TRUE(moon.RingRunning());
    const Image ring = FrameAt(moon, 3100 + 2000);
    for (const BossBullet& spark : moon.List(Smoon02::kRingList)) {
        EXPECT_GT(LitAround(ring, spark.x, spark.y, spark.z), 10) << spark.x << "," << spark.y;
    }
    // The ring, a pattern, then the beam, 3000 ms apart.
    FrameAt(moon, 3100 + 2900);
    FrameAt(moon, 3100 + 2900 + 3100);
    ASSERT_TRUE(moon.PatternRunning());
    const Image pattern = FrameAt(moon, 3100 + 2900 + 3100 + 1500);
    const BossBullet& circle = moon.List(Smoon02::kPatternList)[0];
    EXPECT_GT(LitAround(pattern, circle.x, circle.y, circle.z), 10);
    FrameAt(moon, 3100 + 2900 + 3100 + 3000);
    ASSERT_TRUE(moon.BeamNext());
    FrameAt(moon, 3100 + 2900 + 3100 + 3000 + 3100);
    ASSERT_TRUE(moon.BeamRunning());
    const Image beam = FrameAt(moon, 3100 + 2900 + 3100 + 3000 + 3100 + 4000);
    const BossBullet& b = moon.List(Smoon02::kBeamList)[0];
    ASSERT_GT(b.sx, 1.0);
    // The wide beam runs from the moon towards the ship: seen in front of the moon and nearer still.
    EXPECT_GT(LitAround(beam, b.x, b.y, 30.0), 30);
    EXPECT_GT(LitAround(beam, b.x, b.y, 20.0), 30);
}

TEST_F(MoonPixelTest, ThirdMoonDrawsItsOrbsAndItsWell) {
    Smoon03 moon;
    Enter(moon);
    const Image before = FrameAt(moon, 2000);
    EXPECT_GT(LitAround(before, moon.Body().x, moon.Body().y, moon.Body().z), 20) << "the body";
    FrameAt(moon, 3100);
    ASSERT_TRUE(moon.Running(Smoon03::Attack::kOrbs));
    const Image orbs = FrameAt(moon, 3100 + 800);
    for (const BossBullet& orb : moon.List(Smoon03::kOrbList)) {
        EXPECT_GT(LitAround(orbs, orb.x, orb.y, orb.z), 10) << orb.x << "," << orb.y << "," << orb.z;
    }
    const Image well = FrameAt(moon, 3100 + 4000);
    const BossBullet& w = moon.List(Smoon03::kWellList)[0];
    EXPECT_GT(LitAround(well, w.x, w.y, w.z), 20);
}

}  // namespace

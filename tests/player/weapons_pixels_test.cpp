// The weapons and pickups drawn through a real device with the game's meshes and pictures, under the
// game's default camera and light.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "player/homing_bomb.h"
#include "player/main_gun.h"
#include "player/pickups.h"
#include "support/ship_life_of.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/game_data_device.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

class WeaponsPixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        GameDataDeviceTest::SetUp();
    }
    void TearDown() override {
        GameDataDeviceTest::TearDown();
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    static int LitTotal(const Image& frame) {
        int lit = 0;
        for (std::uint32_t c : frame.argb) lit += Brightness(c) > 30 ? 1 : 0;
        return lit;
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    RecordingAudio audio_;
};

TEST_F(WeaponsPixelTest, ShotsAndTheBombDrawWhereTheirRecordsStand) {
    MainGun gun;
    HomingBomb bomb;
    Load(gun);
    Load(bomb);
    PlayerState ship = PlayerState::NewGame();
    ship.x = -3.0;
    InputState codes;
    codes.button1 = kInputButton1;
    codes.button3 = kInputButton3;
    ASSERT_EQ(0, gun.Fire(clock_.Ticks(), codes, ship));
    bomb.Update(clock_.Ticks(), codes, ship);
    ASSERT_TRUE(bomb.LaunchAtEnemies(clock_.Ticks(), {[] {
                                         EnemyRecord e;
                                         e.x = 6.0;
                                         e.z = 60.0;
                                         return e;
                                     }()},
                                     ship));
    clock_.Advance(100);

    BeginFrame();
    gun.Step(clock_.Ticks());
    gun.Draw();
    bomb.Step(clock_.Ticks());
    bomb.Draw();
    const Image frame = EndFrame();
    const PlayerShot& shot = gun.Shots()[0];
    ASSERT_GT(shot.z, 30.0);
    EXPECT_GT(LitAround(frame, shot.x, shot.y, shot.z, 4), 3) << "no shot at its place";
    EXPECT_GT(LitAround(frame, bomb.Shot().x, bomb.Shot().y, bomb.Shot().z, 4), 3) << "no bomb at its place";
    // Nothing else is drawn: only the two small meshes light the screen.
    EXPECT_LT(LitTotal(frame), 2000);
    EXPECT_GT(LitTotal(frame), 0);

    // A cleared shot is not drawn.
    clock_.Advance(300);
    gun.Expire(clock_.Ticks());
    bomb.Reset();
    BeginFrame();
    gun.Step(clock_.Ticks());
    gun.Draw();
    bomb.Step(clock_.Ticks());
    bomb.Draw();
    EXPECT_EQ(0, LitTotal(EndFrame()));
}

TEST_F(WeaponsPixelTest, OnlyTheCurrentStagesDuePickupsAndTheSparklesDraw) {
    Pickups pickups;
    Load(pickups);
    SetStage(3);
    StartStageClock(clock_.Ticks());
    pickups.Reset(clock_.Ticks());
    clock_.Advance(150);
    UpdateStageClock(clock_.Ticks());
    pickups.Update(clock_.Ticks());
    // Ring 5 of the third stage drifts towards the ship along the centre line from z = 200.
    const PickupRecord& ring = pickups.Rings()[5];
    ASSERT_LT(ring.z, 200.0);
    BeginFrame();
    pickups.Draw();
    const Image third = EndFrame();
    // The hole is empty; the hoop is 4.1 units out.
    EXPECT_GT(LitAround(third, ring.x + 4.1, ring.y, ring.z, 6), 3) << "no ring";

    // The same moment in the first stage shows nothing where the third stage's ring stood.
    SetStage(1);
    pickups.Update(clock_.Ticks());
    BeginFrame();
    pickups.Draw();
    const Image first = EndFrame();
    EXPECT_GT(LitTotal(first), 0) << "the first stage's own pickups";
    EXPECT_EQ(0, LitAround(first, ring.x + 4.1, ring.y, ring.z, 6));

    // A sparkle lies over the ship once a ring is taken.
    PlayerState ship = PlayerState::NewGame();
    ship.x = 3.0;
    ShipLifeOf life(&ship);
    pickups.TakeRing(clock_.Ticks(), 0, ship, life);
    clock_.Advance(33);
    BeginFrame();
    pickups.StepSparkles(clock_.Ticks(), ship);
    pickups.DrawSparkles();
    const Image sparkle = EndFrame();
    EXPECT_GT(LitAround(sparkle, ship.x, ship.y, ship.z - 1.0, 20), 20);
}

TEST_F(WeaponsPixelTest, AMissingFileStopsItsLoaderWithItsMessage) {
    TempWorkDir empty;
    MainGun gun;
    HomingBomb bomb;
    Pickups pickups;
    for (Drawable* d : std::initializer_list<Drawable*>{&gun, &bomb, &pickups}) {
        d->Bind(device_.get(), sprite_.get(), window_);
    }
    EXPECT_FALSE(gun.Load());
    EXPECT_FALSE(bomb.Load());
    EXPECT_FALSE(pickups.Load());
    // With each mesh in place, the loader gets one file further.
    std::filesystem::create_directories(empty.Path() / "x");
    std::filesystem::copy_file(std::filesystem::path(KORVEX_DATA_DIR) / "x" / "ring.x", "x/ring.x");
    EXPECT_FALSE(pickups.Load());
    std::filesystem::copy_file(std::filesystem::path(KORVEX_DATA_DIR) / "x" / "bomb.x", "x/bomb.x");
    EXPECT_FALSE(pickups.Load());
    EXPECT_EQ((std::vector<std::string>{"atack02ロスト", "atack03ロスト", "ringロスト", "bombロスト", "kiraロスト"}),
              messages_);
}

}  // namespace

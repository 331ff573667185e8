// The enemies drawn through a real device with the game's meshes, under the game's default camera.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/registry.h"
#include "enemies/enemy_manager.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

class EnemiesPixelTest : public GameDataDeviceTest {
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

    Image DrawFrame() {
        BeginFrame();
        manager_.Update(clock_.Ticks());
        manager_.Draw();
        const Image frame = EndFrame();
        clock_.Advance(33);
        return frame;
    }
    static int LitTotal(const Image& frame) {
        int lit = 0;
        for (std::uint32_t c : frame.argb) lit += Brightness(c) > 30 ? 1 : 0;
        return lit;
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    RecordingAudio audio_;
    EnemyManager manager_;
};

TEST_F(EnemiesPixelTest, AnEnemyAndItsShotDrawWhereTheirRecordsStandAndNothingElse) {
    manager_.SetTimetable([](EnemyTimetableSink& t) {
        EnemyEntry e;
        e.enemyClass = EnemyClass::k04;
        e.x = 6.0;
        e.z = 60.0;
        t.AddEntry(e);
        t.Order(EnemyClass::k04, 0, 6.0, 0.0, -10.0, 16000);
    });
    manager_.Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(manager_.Load());
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    SetStage(1);
    StartStageClock(clock_.Ticks());
    manager_.ResetForNewGame();

    // Appears at the end of its first frame, so that frame draws nothing.
    EXPECT_EQ(0, LitTotal(DrawFrame()));
    const Image frame = DrawFrame();
    const EnemyRecord& enemy = manager_.Records(EnemyClass::k04)[0];
    ASSERT_EQ(1, enemy.active);
    EXPECT_GT(LitAround(frame, enemy.x, enemy.y, enemy.z, 12), 20);
    // Its shot left with it and has moved off a little way.
    Image later;
    for (int i = 0; i < 10; ++i) later = DrawFrame();
    const EnemyShotRecord& shot = manager_.ShotRecords()[0];
    ASSERT_EQ(1, shot.active);
    EXPECT_GT(LitAround(later, shot.x, shot.y, shot.z, 6), 3);
    // Both stand right of the centre line: the left third of the screen stays dark.
    int litLeft = 0;
    for (int py = 0; py < later.height; ++py) {
        for (int px = 0; px < later.width / 3; ++px) litLeft += Brightness(later.At(px, py)) > 30 ? 1 : 0;
    }
    EXPECT_EQ(0, litLeft);
}

TEST_F(EnemiesPixelTest, AnEnemyShotDownAfterItsStepIsDrawnThatFrameAndNotTheNext) {
    // Close to the ship, nearer than enemies fire from.
    manager_.SetTimetable([](EnemyTimetableSink& t) {
        EnemyEntry e;
        e.z = 18.0;
        t.AddEntry(e);
        t.Order(EnemyClass::k01, 0, 0.0, 0.0, -10.0, 16000);
    });
    manager_.Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(manager_.Load());
    SetStage(1);
    StartStageClock(clock_.Ticks());
    manager_.ResetForNewGame();
    DrawFrame();

    BeginFrame();
    manager_.Update(clock_.Ticks());
    EnemyRecord& enemy = manager_.Records(EnemyClass::k01)[0];
    ASSERT_EQ(1, enemy.active);
    enemy.active = 0;  // the hit tests come after every step of the frame
    manager_.Draw();
    EXPECT_GT(LitAround(EndFrame(), enemy.x, enemy.y, enemy.z, 12), 20);
    clock_.Advance(33);
    EXPECT_EQ(0, LitTotal(DrawFrame()));
}

}  // namespace

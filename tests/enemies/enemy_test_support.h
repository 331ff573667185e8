#pragma once
// The enemy manager stepped frame by frame on a manual clock (33 ms frames), with small timetables of
// the tests' own and the sounds it plays recorded.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/registry.h"
#include "enemies/enemy_manager.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"

inline EnemyEntry Entry(std::int32_t stage, EnemyClass enemyClass, double x, double y, double z, std::int32_t time,
                        std::int32_t fireKind = 1, double yawDegrees = 0.0) {
    EnemyEntry e;
    e.stage = stage;
    e.enemyClass = enemyClass;
    e.x = x;
    e.y = y;
    e.z = z;
    e.time = time;
    e.fireKind = fireKind;
    e.yaw = yawDegrees;
    return e;
}

class EnemyManagerTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = 33;
    static constexpr std::uint32_t kStart = 100000;

    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        platform::Srand(7);
        SetStage(1);
        StartStageClock(clock_.Ticks());
        ship_ = PlayerState::NewGame();
        // Out of every enemy's way unless a test moves it.
        ship_.x = 500.0;
        for (PlayerShot& shot : playerShots_) manager_.AddPlayerShot(&shot);
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    void Build(const std::function<void(EnemyTimetableSink&)>& timetable) {
        manager_.SetTimetable(timetable);
        manager_.BuildTimetable();
        manager_.ResetForNewGame();
    }
    // One game frame at the current tick, as the game object calls the manager, then the clock moves on.
    void Frame(std::uint8_t blast = 0) {
        manager_.Update(clock_.Ticks());
        manager_.SetPlayerState(ship_);
        manager_.CheckPlayerShots(clock_.Ticks(), blast);
        clock_.Advance(kFrameMs);
    }
    std::uint32_t Now() const { return platform::GetTickCount(); }
    EnemyRecord& Enemy(EnemyClass c, std::size_t i) { return manager_.Records(c)[i]; }
    EnemyShotRecord& ShotOf(const EnemyRecord& e) {
        return manager_.ShotRecords()[static_cast<std::size_t>(e.shotIndex)];
    }
    // A main-gun shot placed on the enemy.
    void HitWithShot(const EnemyRecord& e) {
        PlayerShot& shot = playerShots_[3];
        shot = PlayerShot{};
        shot.x = e.x;
        shot.y = e.y;
        shot.z = e.z;
        shot.active = 1;
        manager_.CheckPlayerShots(clock_.Ticks(), 0);
    }

    platform::ManualClock clock_{kStart};
    platform::ScopedClock scoped_{clock_};
    RecordingAudio audio_;
    PlayerState ship_;
    PlayerShot playerShots_[8];
    EnemyManager manager_;
};

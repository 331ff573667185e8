#pragma once
// The boss roster as the game frame runs it, without a device: a manual clock stepped in 33 ms frames,
// the registry, the ship's record, the stage-1 byte and the console's gauge wired in, and every music
// and sound cue recorded.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/registry.h"
#include "bosses/boss_roster.h"
#include "platform/core/clock.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/seeded_draws.h"
#include "support/ship_life_of.h"

class RosterTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = 33;

    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        ship_ = PlayerState::NewGame();
        roster_.AddPlayerShot(&shot_);
        roster_.SetPlayerState(&ship_);
        roster_.SetShipLife(&shipLife_);
        roster_.SetStage1Flag(&stage1Flag_);
        roster_.SetGaugeValue(&gauge_);
        BeginStage(1);
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    void BeginStage(std::int32_t stage) {
        SetStage(stage);
        StartStageClock(clock_.Ticks());
        roster_.Reset(clock_.Ticks());
        lastEnd_ = StageEnd::kNone;
    }
    // Moves the clock so that the stage clock reads `ms` at the next frame.
    void StageClockAt(std::uint32_t ms) {
        UpdateStageClock(clock_.Ticks());
        clock_.Advance(ms - StageElapsed());
    }
    // The roster's part of one game frame, then the clock moves on by one frame. A stage's end is kept.
    void Step(std::uint8_t blast = 0) {
        roster_.Step(clock_.Ticks());
        roster_.SetSpecial(blast);
        if (const StageEnd end = roster_.Battle(clock_.Ticks()); end != StageEnd::kNone) lastEnd_ = end;
        clock_.Advance(kFrameMs);
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Step();
    }
    // A main-gun shot laid on the boss's body: it hits in the next battle step.
    void ShootAt(const BodyRecord& body, std::int32_t damage = 1) {
        shot_ = PlayerShot{};
        shot_.x = body.x;
        shot_.y = body.y;
        shot_.z = body.z;
        shot_.active = 1;
        shot_.damage = damage;
    }
    // Brings the boss down with one shot in the next battle step.
    void KillWithShot(int index) {
        BodyRecord& body = roster_.GetBoss(index).Body();
        body.life = 1;
        ShootAt(body);
    }
    // Steps until the predicate holds; the number of steps taken, or -1.
    template <typename Predicate>
    int StepsUntil(Predicate done, int limit = 3000) {
        for (int n = 0; n < limit; ++n) {
            if (done()) return n;
            Step();
        }
        return done() ? limit : -1;
    }
    int ActiveBosses() {
        int n = 0;
        for (int i = 0; i < BossRoster::kBossCount; ++i) n += roster_.GetBoss(i).Body().active;
        return n;
    }

    platform::ManualClock clock_{100000};
    platform::ScopedClock scoped_{clock_};
    RecordingAudio audio_;
    BossRoster roster_;
    PlayerState ship_;
    ShipLifeOf shipLife_{&ship_};
    PlayerShot shot_;
    // The tick a boss entered at, for the tests that bring one in.
    std::uint32_t entryTick_ = 0;
    // The last stage end the battle reported since the stage began.
    StageEnd lastEnd_ = StageEnd::kNone;
    std::uint8_t stage1Flag_ = 0;
    std::int32_t gauge_ = 0;
};

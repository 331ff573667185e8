// The ship's hits and its life: one hit a frame, however long the frame's work takes, and a life that
// only the player changes, within 0 and full.

#include <gtest/gtest.h>

#include <atomic>

#include "audio/sound_cues.h"
#include "collision/enemy_shot_record.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "player/player.h"
#include "support/recording_audio.h"

namespace {

// A clock that moves on by a millisecond at every reading, as the real one may at any moment of a frame.
class TickingClock final : public platform::Clock {
public:
    std::uint32_t Ticks() const override { return ticks_.fetch_add(1); }
    std::uint64_t Micros() const override { return std::uint64_t{ticks_.load()} * 1000; }
    void Sleep(std::uint32_t ms) override { ticks_ += ms; }

private:
    mutable std::atomic<std::uint32_t> ticks_{100000};
};

class PlayerHitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        SetStage(1);
        ship_.ResetForNewGame(kNow);
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    static constexpr std::uint32_t kNow = 100000;
    TickingClock clock_;
    platform::ScopedClock scoped_{clock_};
    RecordingAudio audio_;
    Player ship_;
};

TEST_F(PlayerHitsTest, TwoShotsReachingTheShipInOneFrameHurtItOnce) {
    EnemyShotRecord shots[2];
    for (EnemyShotRecord& shot : shots) {
        shot.x = ship_.State().x;
        shot.y = ship_.State().y;
        shot.z = ship_.State().z;
        shot.active = 1;
        ship_.AddEnemyShot(&shot);
    }
    std::uint8_t bodyHit = 0, shake = 0;
    ship_.CheckHits(kNow, &bodyHit, &shake);
    EXPECT_EQ(ship_.State().life, PlayerState::kFullLife - Player::kShotDamage);
    EXPECT_EQ(audio_.Count(3), 1);
    EXPECT_EQ(shots[1].active, 1) << "the flash's immunity lets the second shot through the ship";
    // The immunity lasts the flash's 500 ms, then the shot still there strikes.
    ship_.CheckHits(kNow + DamageFlash::kDuration, &bodyHit, &shake);
    EXPECT_EQ(ship_.State().life, PlayerState::kFullLife - Player::kShotDamage);
    ship_.CheckHits(kNow + DamageFlash::kDuration + 1, &bodyHit, &shake);
    EXPECT_EQ(ship_.State().life, PlayerState::kFullLife - 2 * Player::kShotDamage);
}

TEST_F(PlayerHitsTest, LifeStopsAtZeroAndAtFullAndAWreckCollectsNoRing) {
    ship_.Damage(PlayerState::kFullLife - 10);
    ship_.Heal(4);
    EXPECT_EQ(ship_.State().life, 14);
    ship_.Damage(15);
    EXPECT_EQ(ship_.State().life, 0);
    ship_.CheckHits(kNow, nullptr, nullptr);
    ASSERT_EQ(ship_.State().alive, 0) << "no life left: a wreck";
    // A ring drifting through the wreck during the game-over fade.
    PickupRecord& ring = ship_.Items().Rings()[0];
    ring.x = ring.y = 0.0;
    ring.z = ship_.State().z;
    ship_.CheckHits(kNow + 100, nullptr, nullptr);
    EXPECT_EQ(ship_.State().life, 0);
    EXPECT_EQ(audio_.Count(sound::kRing), 0);
    ship_.Heal(PlayerState::kFullLife + 50);
    EXPECT_EQ(ship_.State().life, PlayerState::kFullLife);
}

}  // namespace

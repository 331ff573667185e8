// The third moon in its battle: the orbs and the well first; then the swords, the hammer and the orbs
// at random. Each attack's entries reach a ship that stays where it was aimed at and spare one that
// moves as the attack tells it to.

#include <cmath>
#include <numbers>

#include "bosses/moon_fixture.h"
#include "bosses/smoon03.h"
#include "audio/sound_cues.h"

namespace {

using Attack = Smoon03::Attack;

class Smoon03Test : public MoonTest {
protected:
    Smoon03& Moon() { return static_cast<Smoon03&>(roster_.GetBoss(6)); }
    int Live(int list) {
        int n = 0;
        for (const BossBullet& b : Moon().List(list)) n += b.alive;
        return n;
    }
    // Enters with the ship at (x, y) and steps to the launch of `attack`, steering the random choice
    // after the first attack; returns the launch tick.
    std::uint32_t ToAttack(Attack attack, double x, double y) {
        EnterMoon(6);
        ship_.x = x;
        ship_.y = y;
        if (attack != Attack::kOrbs) {
            EXPECT_GE(StepsUntil([&] { return Moon().Running(Attack::kOrbs); }), 0);
            SeedDrawingFirst(static_cast<int>(attack), 3);
            EXPECT_GE(StepsUntil([&] { return !Moon().Running(Attack::kOrbs); }), 0);
            ship_ = PlayerState::NewGame();
            ship_.x = x;
            ship_.y = y;
        }
        EXPECT_GE(StepsUntil([&] { return Moon().Running(attack); }), 0);
        return LastFrameTick();
    }
    // Runs the attack to its end with the ship at (x, y); the hits it took, each checked at `damage`.
    int HitsWithShipAt(Attack attack, double x, double y, std::int32_t damage) {
        int hits = 0;
        for (int n = 0; n < 400 && Moon().Running(attack); ++n) {
            const std::int32_t lost = StepWithShipAt(x, y);
            if (lost == 0) continue;
            EXPECT_EQ(damage, lost);
            ++hits;
        }
        EXPECT_FALSE(Moon().Running(attack));
        return hits;
    }
};

TEST_F(Smoon03Test, FirstAttackIsTheOrbsAndTheWellAndAllIsOffWhenTheWellHasPassed) {
    const std::uint32_t launch = ToAttack(Attack::kOrbs, 0.0, 0.0);
    EXPECT_GT(launch - entryTick_, 3000u);
    EXPECT_LE(launch - entryTick_, 3000u + kFrameMs);
    EXPECT_EQ(8, Live(Smoon03::kOrbList));
    EXPECT_EQ(1, Live(Smoon03::kWellList));
    EXPECT_EQ(0, Live(Smoon03::kSwordList));
    EXPECT_EQ(0, Live(Smoon03::kHammerList));
    EXPECT_EQ(launch + 3000, Moon().WellDepth().Start());
    // Each orb is spent when its 2000 ms flight is over; the well waits at the moon until 3000 ms.
    clock_.Set(launch + 1999);
    Step();
    EXPECT_EQ(8, Live(Smoon03::kOrbList));
    EXPECT_DOUBLE_EQ(40.0, Moon().List(Smoon03::kWellList)[0].z);
    clock_.Set(launch + 2000);
    Step();
    EXPECT_EQ(0, Live(Smoon03::kOrbList));
    clock_.Set(launch + 5999);
    Step();
    EXPECT_EQ(1, Live(Smoon03::kWellList));
    clock_.Set(launch + 6000);
    Step();
    EXPECT_EQ(0, Live(Smoon03::kWellList));
    EXPECT_EQ(0, Moon().Attacking());
}

TEST_F(Smoon03Test, TheOrbsRingTheShipAndTheWellComesThroughTheMiddle) {
    // A ship on the ring's rim takes an orb (10), not the well.
    ToAttack(Attack::kOrbs, 2.0, 1.0);
    EXPECT_EQ(1, HitsWithShipAt(Attack::kOrbs, 2.0 + Smoon03::kOrbRingRadius, 1.0, Smoon03::kOrbDamage));

    // A ship that stays in the middle is spared by the orbs and caught by the well (30).
    BeginStage(3);
    ToAttack(Attack::kOrbs, 2.0, 1.0);
    const std::int32_t start = ship_.life;
    HitsWithShipAt(Attack::kOrbs, 2.0, 1.0, Smoon03::kWellDamage);
    EXPECT_EQ(start - Smoon03::kWellDamage, ship_.life);

    // A ship that leaves both behind takes nothing.
    BeginStage(3);
    ToAttack(Attack::kOrbs, 2.0, 1.0);
    EXPECT_EQ(0, HitsWithShipAt(Attack::kOrbs, 2.0 - 5.0, 1.0 + 5.0, 0));
}

TEST_F(Smoon03Test, TheSwordsHangForFifteenHundredMsThenDropThroughTheShipsPlaneWithTheirSound) {
    const std::uint32_t launch = ToAttack(Attack::kSwords, 1.0, 0.0);
    EXPECT_EQ(5, Live(Smoon03::kSwordList));
    const BulletPool& swords = Moon().List(Smoon03::kSwordList);
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_DOUBLE_EQ(1.0 + 4.0 * (static_cast<double>(k) - 2.0), swords[k].x) << k;
        EXPECT_DOUBLE_EQ(Smoon03::kSwordTopY, swords[k].y) << k;
    }
    clock_.Set(launch + 1500);
    Step();
    EXPECT_DOUBLE_EQ(Smoon03::kSwordTopY, swords[0].y);
    EXPECT_EQ(1, audio_.Count(sound::kBossSweep)) << "the drop begins with its sound";
    Step();
    EXPECT_LT(swords[0].y, Smoon03::kSwordTopY);
    EXPECT_EQ(1, audio_.Count(sound::kBossSweep)) << "once per drop";
    clock_.Set(launch + 2500);
    Step();
    EXPECT_EQ(0, Live(Smoon03::kSwordList));
    EXPECT_EQ(0, Moon().Attacking());
}

TEST_F(Smoon03Test, ASwordCostsTwentyUnderItAndNothingBetweenTwo) {
    ToAttack(Attack::kSwords, 1.0, 0.0);
    EXPECT_EQ(1, HitsWithShipAt(Attack::kSwords, 1.0, 0.0, Smoon03::kSwordDamage));
    BeginStage(3);
    ToAttack(Attack::kSwords, 1.0, 0.0);
    EXPECT_EQ(0, HitsWithShipAt(Attack::kSwords, 1.0 + 2.0, 0.0, 0));
}

TEST_F(Smoon03Test, TheHammerLandsWhereTheShipWasWithItsSoundAndAShipThatClimbsAwayIsSpared) {
    const std::uint32_t launch = ToAttack(Attack::kHammer, -3.0, 2.0);
    EXPECT_EQ(1, Live(Smoon03::kHammerList));
    EXPECT_EQ(launch + 2000, Moon().HammerSwing().Start());
    const BossBullet& hammer = Moon().List(Smoon03::kHammerList)[0];
    // Held back until the swing, then its head lands on the spot 600 ms into it.
    clock_.Set(launch + 2000);
    Step();
    EXPECT_NEAR(std::numbers::pi / 2, hammer.yaw, 1e-6);
    EXPECT_EQ(0, audio_.Count(sound::kBossStrike));
    clock_.Set(launch + 2600);
    Step();
    EXPECT_EQ(1, audio_.Count(sound::kBossStrike));
    EXPECT_NEAR(-3.0, hammer.x + 5.0 * std::cos(hammer.yaw), 1e-4);
    EXPECT_NEAR(15.0, hammer.z + 5.0 * std::sin(hammer.yaw), 1e-4);
    Step();
    EXPECT_EQ(1, audio_.Count(sound::kBossStrike)) << "one strike, one sound";
    clock_.Set(launch + 3000);
    Step();
    EXPECT_EQ(0, Live(Smoon03::kHammerList));

    BeginStage(3);
    ToAttack(Attack::kHammer, -3.0, 2.0);
    EXPECT_EQ(1, HitsWithShipAt(Attack::kHammer, -3.0, 2.0, Smoon03::kHammerDamage));
    BeginStage(3);
    ToAttack(Attack::kHammer, -3.0, 2.0);
    EXPECT_EQ(0, HitsWithShipAt(Attack::kHammer, -3.0, 2.0 + 4.0, 0));
}

TEST_F(Smoon03Test, EveryAttackComesUpAndEachEndsWithItsEntriesOff) {
    EnterMoon(6);
    platform::Srand(7);
    int launches[3] = {};
    bool wasRunning[3] = {};
    for (int frame = 0; frame < 3600; ++frame) {
        StepWithShipAt(0.0, 0.0);
        for (int a = 0; a < 3; ++a) {
            const bool running = Moon().Running(static_cast<Attack>(a));
            if (running && !wasRunning[a]) ++launches[a];
            wasRunning[a] = running;
        }
        if (Moon().Attacking() == 0) {
            for (int list = 0; list < 4; ++list) EXPECT_EQ(0, Live(list)) << "list " << list << " frame " << frame;
        }
    }
    for (int a = 0; a < 3; ++a) EXPECT_GE(launches[a], 2) << "attack " << a;
}

}  // namespace

// The knight in its battle: its entry, the dash that always comes first with its trail of afterimages, the
// sword fan and the rings, and what each of them costs the ship through the roster's controller.

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "bosses/bboss03.h"
#include "bosses/roster_fixture.h"
#include "platform/core/random.h"
#include "audio/sound_cues.h"

namespace {

constexpr int kKnight = 2;

class Bboss03Test : public RosterTest {
protected:
    // Enters the knight in stage 2; the clock then stands at the entry tick.
    void Enter() {
        BeginStage(2);
        SetBossBattleActive(0);
        StageClockAt(70000);
        entryTick_ = clock_.Ticks();
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
        ASSERT_EQ(1, Body().active);
    }
    Bboss03& Knight() { return static_cast<Bboss03&>(roster_.GetBoss(kKnight)); }
    BodyRecord& Body() { return roster_.GetBoss(kKnight).Body(); }
    BossBullet& Entry(int list, std::size_t i) { return Knight().List(list)[i]; }
    // Enters, lets the opening dash run and end, and steps on until `next` has just begun.
    void ReachAttack(Bboss03::Attack next) {
        Enter();
        ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0);
        // Nothing draws during the dash: the draw at its end picks the next attack.
        platform::Srand(SeedDrawingFirst(static_cast<int>(next), 3));
        ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 0; }), 0);
        ASSERT_EQ(next, Knight().Next());
        audio_.sounds.clear();
        ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0);
        launch_ = platform::GetTickCount() - kFrameMs;
    }
    // One frame with the ship held where `place` puts it after the boss moved; the life it lost.
    template <typename Place>
    std::int32_t FrameWithShip(Place place) {
        roster_.Step(clock_.Ticks());
        place();
        const std::int32_t before = ship_.life;
        roster_.Battle(clock_.Ticks());
        const std::int32_t lost = before - ship_.life;
        ship_.life = PlayerState::kFullLife;
        clock_.Advance(kFrameMs);
        return lost;
    }
    std::uint32_t launch_ = 0;
};

TEST_F(Bboss03Test, EntersStageTwoAtSeventySecondsWithItsIntroductionAndKeepsTheStageMusic) {
    BeginStage(2);
    StageClockAt(70000 - kFrameMs);
    Step();
    EXPECT_EQ(0, Body().active);
    Step();
    ASSERT_EQ(1, Body().active);
    EXPECT_EQ(1, IsBossBattleActive());
    EXPECT_EQ(3, GetCameraCutInIndex());
    EXPECT_TRUE(audio_.tracks.empty()) << "the stage's own music goes on";
    EXPECT_EQ(300, Body().life);
    Step();
    EXPECT_DOUBLE_EQ(2.0, Body().y);
    EXPECT_DOUBLE_EQ(40.0, Body().z);
}

TEST_F(Bboss03Test, FirstAttackIsAlwaysTheDashThreeSecondsAfterEntry) {
    for (std::uint32_t seed : {1u, 2u, 3u, 77u, 4242u}) {
        audio_.sounds.clear();
        Enter();
        EXPECT_EQ(Bboss03::Attack::kDash, Knight().Next());
        platform::Srand(seed);
        ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0) << "seed " << seed;
        const std::uint32_t firedAt = platform::GetTickCount() - kFrameMs;
        EXPECT_GT(firedAt - entryTick_, 3000u);
        EXPECT_LE(firedAt - entryTick_, 3000u + kFrameMs);
        EXPECT_EQ(1, audio_.Count(sound::kBossStrike));
        EXPECT_EQ(0, audio_.Count(sound::kBossSweep));
        EXPECT_EQ(0, audio_.Count(sound::kBossShots));
        EXPECT_EQ(1, Body().holdPosition);
        EXPECT_EQ(1, Knight().Charge().alive);
    }
}

// Every path: the knight follows its keys and comes back to the sway where it left it; the trail never
// holds more than its 40 entries, never keeps one past its time, never overwrites a live one, and leaves
// nothing where the wings are beyond the floor.
TEST_F(Bboss03Test, DashFollowsItsPathAndItsTrailStaysWithinThePoolAndItsTime) {
    for (int path = 0; path < Bboss03::kDashPaths; ++path) {
        SCOPED_TRACE(path);
        Enter();
        platform::Srand(SeedDrawingFirst(path, Bboss03::kDashPaths));
        ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0);
        ASSERT_EQ(path, Knight().DashPath());
        const std::uint32_t start = Knight().DashDepth().Start();
        const double fromX = Body().x;
        const double fromZ = Body().z;
        bool ended = false;
        const double firstDepth = Knight().DashDepth().KeyValue(1);

        std::array<std::uint8_t, Bboss03::kTrailCount> wasAlive{};
        std::array<std::uint32_t, Bboss03::kTrailCount> bornAt{};
        std::array<std::uint32_t, Bboss03::kTrailCount> spanOf{};
        int most = 0, born = 0, framesBeyondFloor = 0;
        bool checkedFirstKey = false;
        // The dash and then the last afterimages running out.
        for (int frame = 0; frame < 400; ++frame) {
            roster_.Step(clock_.Ticks());
            const std::uint32_t now = platform::GetTickCount();
            if (!checkedFirstKey && now - start >= 1200) {
                // At phase 0.2 the depth stands at its first offset, give or take a frame's travel.
                EXPECT_NEAR(fromZ + firstDepth, Body().z, 4.0);
                checkedFirstKey = true;
            }
            for (const BossBullet& wing : Knight().List(Bboss03::kWingList)) {
                if (wing.alive && wing.z <= Bboss03::kTrailFloor) ++framesBeyondFloor;
            }
            int alive = 0;
            for (std::size_t i = 0; i < Bboss03::kTrailCount; ++i) {
                const BossBullet& t = Knight().Trail()[i];
                const KeyframeTrack& track = Knight().TrailTrack(i);
                if (!t.alive) {
                    wasAlive[i] = 0;
                    continue;
                }
                ++alive;
                EXPECT_LT(now - track.Start(), track.Duration()) << "entry " << i << " outlived its time";
                EXPECT_GE(t.z, Bboss03::kTrailFloor);
                const bool stillTheSame = wasAlive[i] && bornAt[i] == track.Start();
                if (wasAlive[i] && !stillTheSame) {
                    // A slot is taken again only once its last entry had run out.
                    EXPECT_LE(bornAt[i] + spanOf[i], now) << "a live entry was taken over";
                }
                if (!stillTheSame) {
                    ++born;
                    EXPECT_EQ(now, track.Start());
                    EXPECT_GT(track.KeyValue(0), Bboss03::kTrailFloor);
                    EXPECT_NEAR(Bboss03::TrailMs(track.KeyValue(0)), track.Duration(), 1.0);
                }
                wasAlive[i] = 1;
                bornAt[i] = track.Start();
                spanOf[i] = track.Duration();
            }
            most = std::max(most, alive);
            if (!ended && Knight().Attacking() == 0) {
                // The path ends where it set out, and the sway takes over from there without a jump.
                ended = true;
                EXPECT_DOUBLE_EQ(fromX, Body().x);
                EXPECT_DOUBLE_EQ(fromZ, Body().z);
                EXPECT_EQ(0, Body().holdPosition);
                EXPECT_EQ(0, Knight().Charge().alive);
                roster_.Battle(clock_.Ticks());
                clock_.Advance(kFrameMs);
                roster_.Step(clock_.Ticks());
                EXPECT_NEAR(fromX, Body().x, 0.2);
                EXPECT_NE(fromX, Body().x);
            }
            roster_.Battle(clock_.Ticks());
            ship_.life = PlayerState::kFullLife;
            clock_.Advance(kFrameMs);
            if (Knight().Attacking() == 0 && alive == 0) break;
        }
        EXPECT_TRUE(checkedFirstKey);
        EXPECT_TRUE(ended);
        EXPECT_GT(born, 0);
        EXPECT_LE(most, static_cast<int>(Bboss03::kTrailCount));
        if (path <= 1) {
            EXPECT_GT(framesBeyondFloor, 0) << "these paths carry the wings past the floor";
        }
        if (path == 2 || path == 3) {
            EXPECT_EQ(static_cast<int>(Bboss03::kTrailCount), most) << "far out the afterimages fill the pool";
        }
    }
}

TEST_F(Bboss03Test, AfterimageSpanIsClampedAtTheFloor) {
    EXPECT_EQ(1000u, Bboss03::TrailMs(40.0));
    EXPECT_EQ(500u, Bboss03::TrailMs(15.0));
    EXPECT_EQ(0u, Bboss03::TrailMs(-10.0));
    EXPECT_EQ(0u, Bboss03::TrailMs(-10.5));
    EXPECT_EQ(0u, Bboss03::TrailMs(-80.0));
    EXPECT_EQ(0u, Bboss03::TrailMs(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_LE(Bboss03::TrailMs(1e12), 10000u);
}

TEST_F(Bboss03Test, SwordFanSoundsNineAndLeavesTheGapsBetweenItsBladesSafe) {
    ReachAttack(Bboss03::Attack::kSwords);
    EXPECT_EQ(1, audio_.Count(sound::kBossSweep));
    EXPECT_EQ(0, audio_.Count(sound::kBossShots));
    EXPECT_EQ(1, Entry(Bboss03::kSwordList, 0).alive) << "the first blade always comes";
    int lost = 0, frames = 0;
    // Halfway between the first blade's level and the one above it.
    while (Knight().Attacking() == 1 && frames < 400) {
        lost += FrameWithShip([&] {
            ship_.x = Body().x;
            ship_.y = Body().y + Bboss03::kSwordSpacing / 2;
        });
        ++frames;
    }
    EXPECT_EQ(0, lost);
    // One full turn, ended on the first frame past it.
    EXPECT_EQ(static_cast<int>(Bboss03::kSwordMs / kFrameMs) + 1, frames);
    for (const BossBullet& s : Knight().List(Bboss03::kSwordList)) {
        EXPECT_EQ(0, s.alive);
        EXPECT_DOUBLE_EQ(Bboss03::kSwordStartScale, s.sz);
    }
}

TEST_F(Bboss03Test, SwordBladeHitsTheShipAtItsLevelAsItsPointSweepsPast) {
    ReachAttack(Bboss03::Attack::kSwords);
    int hits = 0, frames = 0;
    double hitYaw = 0.0;
    while (Knight().Attacking() == 1 && frames < 400) {
        const std::int32_t lost = FrameWithShip([&] {
            ship_.x = Body().x;
            ship_.y = Entry(Bboss03::kSwordList, 0).y;
        });
        if (lost > 0) {
            EXPECT_EQ(Bboss03::kSwordDamage, lost);
            hitYaw = Entry(Bboss03::kSwordList, 0).yaw;
            ++hits;
        }
        ++frames;
    }
    EXPECT_EQ(1, hits) << "one blade, one pass";
    // The point circling at 25 meets the ship's plane as the blade turns towards it.
    EXPECT_NEAR(std::numbers::pi, hitYaw, 0.5);
}

TEST_F(Bboss03Test, RingsSoundSevenAndOnlyTheirRimHurts) {
    ReachAttack(Bboss03::Attack::kRings);
    EXPECT_EQ(1, audio_.Count(sound::kBossShots));
    EXPECT_EQ(0, audio_.Count(sound::kBossSweep));
    for (const BossBullet& r : Knight().List(Bboss03::kRingList)) {
        EXPECT_EQ(1, r.alive);
        EXPECT_DOUBLE_EQ(Bboss03::kRingBow, std::abs(r.work[0]));
    }
    // A ship that holds its place passes through every hole.
    int lost = 0, frames = 0;
    while (Knight().Attacking() == 1 && frames < 400) {
        lost += FrameWithShip([] {});
        ++frames;
    }
    EXPECT_EQ(0, lost);
    for (const BossBullet& r : Knight().List(Bboss03::kRingList)) EXPECT_EQ(0, r.alive);
}

TEST_F(Bboss03Test, RingRimCostsTheShipThatLeftItsPlace) {
    ReachAttack(Bboss03::Attack::kRings);
    const double aimX = ship_.x;
    int hits = 0, frames = 0;
    while (Knight().Attacking() == 1 && frames < 400) {
        const std::int32_t lost = FrameWithShip([&] { ship_.x = aimX + 4.0; });
        if (lost > 0) {
            EXPECT_EQ(Bboss03::kRingDamage, lost);
            ++hits;
        }
        ++frames;
    }
    EXPECT_GE(hits, 2);
}

TEST_F(Bboss03Test, DashChargeAndWingTipsCostTheirDamage) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0);
    Steps(5);
    EXPECT_EQ(Bboss03::kChargeDamage, FrameWithShip([&] {
                  ship_.x = Knight().Charge().x;
                  ship_.y = Knight().Charge().y;
                  ship_.z = Knight().Charge().z;
              }));
    // Out of harm's way until the flash's protection is over, then on a wing tip clear of the knight.
    ship_.x = 100.0;
    Steps(16);
    ASSERT_EQ(1, Knight().Attacking());
    EXPECT_EQ(Bboss03::kWingDamage, FrameWithShip([&] {
                  const BossBullet& wing = Entry(Bboss03::kWingList, 1);
                  ship_.x = wing.x;
                  ship_.y = wing.y;
                  ship_.z = wing.z;
              }));
}

TEST_F(Bboss03Test, ResetBringsBackTheDashFirstWithEverythingPutAway) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Knight().Attacking() == 1; }), 0);
    Steps(20);
    bool trail = false;
    for (const BossBullet& t : Knight().Trail()) trail = trail || t.alive;
    ASSERT_TRUE(trail);
    BeginStage(2);
    EXPECT_EQ(Bboss03::Attack::kDash, Knight().Next());
    EXPECT_EQ(0, Knight().Attacking());
    EXPECT_EQ(0, Knight().Charge().alive);
    for (const BossBullet& t : Knight().Trail()) EXPECT_EQ(0, t.alive);
    for (int list : {Bboss03::kSwordList, Bboss03::kRingList, Bboss03::kWingList}) {
        for (const BossBullet& b : Knight().List(list)) EXPECT_EQ(0, b.alive);
    }
    EXPECT_EQ(Bboss03::kSwordCount, Knight().List(Bboss03::kSwordList).Size());
    EXPECT_EQ(Bboss03::kRingCount, Knight().List(Bboss03::kRingList).Size());
    EXPECT_EQ(Bboss03::kWingCount, Knight().List(Bboss03::kWingList).Size());
}

}  // namespace

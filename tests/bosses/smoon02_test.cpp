// The second moon in its battle: the ring of sparks first and never again, then always a pattern, then
// always the beam; the ring's sparks closing on where the ship was, and the beam's charge, fire and end.

#include <cmath>

#include "bosses/moon_fixture.h"
#include "bosses/smoon02.h"
#include "audio/sound_cues.h"

namespace {

class Smoon02Test : public MoonTest {
protected:
    Smoon02& Moon() { return static_cast<Smoon02&>(roster_.GetBoss(5)); }
    BulletPool& Ring() { return Moon().List(Smoon02::kRingList); }
    BossBullet& Beam() { return Moon().List(Smoon02::kBeamList)[0]; }
    int LiveSparks() {
        int n = 0;
        for (const BossBullet& b : Ring()) n += b.alive;
        return n;
    }
};

TEST_F(Smoon02Test, TheRingOpensTheBattleOnceThenPatternAndBeamFollowAndTheRingNeverReturns) {
    for (std::uint32_t seed : {3u, 17u, 2024u}) {
        BeginStage(3);
        EnterMoon(5);
        platform::Srand(seed);
        int rings = 0, patterns = 0, beams = 0;
        constexpr int kNone = 0, kRing = 1, kPattern = 2, kBeam = 3;
        int running = kNone, last = kNone;
        // Two minutes of battle.
        for (int frame = 0; frame < 3600; ++frame) {
            Step();
            const int now = Moon().RingRunning()      ? kRing
                            : Moon().PatternRunning() ? kPattern
                            : Moon().BeamRunning()    ? kBeam
                                                      : kNone;
            if (now != running && now != kNone) {
                if (now == kRing) ++rings;
                if (now == kPattern) ++patterns;
                if (now == kBeam) ++beams;
                if (last == kNone) {
                    EXPECT_EQ(kRing, now) << "seed " << seed << ": the first attack is the ring";
                }
                if (last == kRing || last == kPattern) {
                    EXPECT_EQ(last == kRing ? kPattern : kBeam, now) << "seed " << seed;
                }
                last = now;
            }
            running = now;
        }
        EXPECT_EQ(1, rings) << "seed " << seed;
        EXPECT_GE(patterns, 2) << "seed " << seed;
        EXPECT_GE(beams, 3) << "seed " << seed;
        EXPECT_EQ(0, Moon().RingNext());
        SetBossBattleActive(0);
    }
}

TEST_F(Smoon02Test, TheSparksCloseOnWhereTheShipWasAndEndAsABarAcrossIt) {
    EnterMoon(5);
    ship_.x = 3.0;
    ship_.y = 2.0;
    ASSERT_GE(StepsUntil([&] { return Moon().RingRunning(); }), 0);
    const std::uint32_t launch = LastFrameTick();
    EXPECT_EQ(6, LiveSparks());
    // The ship flies off; the sparks still close on where it was, at its depth.
    ship_ = PlayerState::NewGame();
    double sumX = 0.0, sumY = 0.0;
    for (const BossBullet& s : Ring()) {
        sumX += s.x;
        sumY += s.y;
        EXPECT_DOUBLE_EQ(ship_.z, s.z);
        EXPECT_GT(std::hypot(s.x - 3.0, s.y - 2.0), 8.0) << "wide at the launch";
    }
    EXPECT_NEAR(3.0, sumX / 6.0, 1e-4);
    EXPECT_NEAR(2.0, sumY / 6.0, 1e-4);
    // Just before the end (the tracks were started 100 ms early) they stand in a short bar.
    clock_.Set(launch + Smoon02::kRingMs - Smoon02::kRingLead - 1);
    roster_.Step(clock_.Ticks());
    const double expectedX[6] = {5.0, 3.0, 1.0, 1.0, 3.0, 5.0};
    for (std::size_t j = 0; j < 6; ++j) {
        EXPECT_NEAR(expectedX[j], Ring()[j].x, 0.05) << j;
        EXPECT_NEAR(2.0, Ring()[j].y, 0.05) << j;
    }
    clock_.Set(launch + Smoon02::kRingMs - Smoon02::kRingLead);
    Step();
    EXPECT_EQ(0, LiveSparks());
    EXPECT_EQ(0, Moon().Attacking());
    EXPECT_EQ(1, Moon().PatternNext());
    // The pattern waits its 3000 ms like any attack.
    const std::uint32_t end = LastFrameTick();
    ASSERT_GE(StepsUntil([&] { return Moon().PatternRunning(); }), 0);
    EXPECT_GT(LastFrameTick() - end, 3000u);
    EXPECT_LE(LastFrameTick() - end, 3000u + kFrameMs);
}

TEST_F(Smoon02Test, ASparkCostsFiveAndOpensTheShellRoundTheShip) {
    EnterMoon(5);
    ASSERT_GE(StepsUntil([&] { return Moon().RingRunning(); }), 0);
    const std::int32_t start = ship_.life;
    const double x = ship_.x, y = ship_.y;
    int hits = 0;
    while (Moon().RingRunning()) {
        const std::int32_t lost = StepWithShipAt(x, y);
        if (lost == 0) continue;
        EXPECT_EQ(5, lost);
        ++hits;
        EXPECT_EQ(1, roster_.Blast().ShellRecord().active) << "the shell opens at the hit";
    }
    EXPECT_GE(hits, 1);
    EXPECT_EQ(start - 5 * hits, ship_.life);
}

TEST_F(Smoon02Test, TheBeamChargesThinForThreeSecondsThenFiresAndIsOffAt5900Ms) {
    EnterMoon(5);
    ASSERT_GE(StepsUntil([&] { return Moon().BeamRunning(); }), 0);
    const std::uint32_t launch = LastFrameTick();
    EXPECT_EQ(1, audio_.Count(sound::kBossBeam));
    EXPECT_EQ(1, Beam().alive);
    EXPECT_EQ(launch - 100, Moon().BeamWidth().Start());
    EXPECT_EQ(launch + 3000, Moon().BeamDepth().Start());

    int chargeHits = 0, wideHits = 0, narrowOpenFrames = 0;
    std::uint32_t firstWide = 0;
    while (Beam().alive == 1) {
        const std::uint32_t tick = platform::GetTickCount();
        const std::uint32_t since = tick - launch;
        const bool open = !roster_.HitEffects().Showing(tick);
        // On the beam's line while it charges, fires and narrows; off it for a while before the narrow
        // tail, so that the tail meets a ship no longer protected by an earlier hit.
        const bool aside = since >= 4500 && since < 5700;
        const std::int32_t lost = StepWithShipAt(Moon().Body().x + (aside ? 8.0 : 0.0), Moon().Body().y);
        if (!Beam().alive) break;
        if (since < 3000) {
            EXPECT_LE(Beam().sx, 1.0);
            EXPECT_DOUBLE_EQ(40.0, Beam().z);
            chargeHits += lost != 0;
        } else if (Beam().sx > 1.0) {
            if (firstWide == 0) firstWide = tick;
            if (lost != 0) {
                EXPECT_EQ(5, lost);
                ++wideHits;
            }
        } else if (since >= 5700) {
            EXPECT_EQ(0, lost) << "width " << Beam().sx;
            narrowOpenFrames += open ? 1 : 0;
        }
    }
    EXPECT_EQ(0, chargeHits) << "the charge is harmless";
    EXPECT_GE(wideHits, 3);
    EXPECT_GT(narrowOpenFrames, 0);
    EXPECT_GE(firstWide - launch, 3000u);
    EXPECT_LE(firstWide - launch, 3000u + 2 * kFrameMs);
    // Switched off on the first frame at or after 5900 ms.
    const std::uint32_t off = LastFrameTick();
    EXPECT_GE(off - launch, 5900u);
    EXPECT_LT(off - launch, 5900u + kFrameMs);
    EXPECT_EQ(0, Moon().Attacking());
}

}  // namespace

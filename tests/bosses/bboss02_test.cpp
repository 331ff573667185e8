// The stage-1 final boss in its battle: the entry, the shields that keep its life and fall one by one,
// the barrier, the holes that open at low life, the shot and beam volleys and what they cost the ship,
// and the death that clears the stage.

#include <cmath>

#include "bosses/bboss02.h"
#include "bosses/roster_fixture.h"
#include "platform/core/random.h"

namespace {

class Bboss02Test : public RosterTest {
protected:
    void SetUp() override {
        RosterTest::SetUp();
        // The first boss has been and gone.
        roster_.GetBoss(0).Body().appeared = 1;
    }
    // Enters the boss; the clock then stands at the entry tick.
    void Enter() {
        StageClockAt(160000);
        entryTick_ = clock_.Ticks();
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
        ASSERT_EQ(1, Body().active);
    }
    Bboss02& Boss() { return static_cast<Bboss02&>(roster_.GetBoss(1)); }
    BodyRecord& Body() { return roster_.GetBoss(1).Body(); }
    BodyRecord& ShieldRecord(int j) { return Boss().ExtraBodies()[static_cast<std::size_t>(j)]; }
    BossBullet& Shot(int k) { return Boss().List(Bboss02::kShotList)[static_cast<std::size_t>(k)]; }
    BossBullet& Beam(int k) { return Boss().List(Bboss02::kBeamList)[static_cast<std::size_t>(k)]; }
    int Alive(int list) {
        int n = 0;
        for (const BossBullet& b : Boss().List(list)) n += b.alive;
        return n;
    }
    // Brings every shield down with the last of its eleven hits.
    void DropShields() {
        for (int j = 0; j < Bboss02::kShieldCount; ++j) {
            ShieldRecord(j).life = 0;
            ShootAt(ShieldRecord(j));
            Step();
            ASSERT_EQ(0, ShieldRecord(j).active);
        }
    }
    // Each live entry of a list, with the ship laid on it and the last hit's protection run out, costs
    // the ship the given damage through the controller. The clock moves but no boss update runs.
    void ExpectEachEntryCosts(int list, std::int32_t damage) {
        int tested = 0;
        for (const BossBullet& b : Boss().List(list)) {
            if (!b.alive) continue;
            clock_.Advance(501);
            ship_.life = 223;
            ship_.x = b.x;
            ship_.y = b.y;
            ship_.z = b.z;
            roster_.Battle(clock_.Ticks());
            EXPECT_EQ(223 - damage, ship_.life) << "entry " << tested;
            ++tested;
        }
        EXPECT_EQ(Bboss02::kHoleCount, tested);
    }
};

TEST_F(Bboss02Test, EntersAtTheEndOfStageOneShieldedWithItsMusicAndIntroduction) {
    StageClockAt(159999);
    Step();
    EXPECT_EQ(0, Body().active);
    Enter();
    EXPECT_EQ(std::vector<int>{6}, audio_.tracks);
    EXPECT_EQ(0, IsFlightAreaConfined());
    EXPECT_EQ(1, IsCameraCutInActive());
    EXPECT_EQ(2, GetCameraCutInIndex());
    EXPECT_EQ(300, Body().life);
    EXPECT_EQ(1, Body().shielded);
    EXPECT_EQ(1, Boss().BarrierUp());

    Step();
    for (int j = 0; j < Bboss02::kShieldCount; ++j) {
        const BodyRecord& s = Boss().Shield(j);
        EXPECT_EQ(1, s.active);
        EXPECT_EQ(10, s.life);
        EXPECT_NEAR(7.0, std::hypot(s.x - Body().x, s.y - Body().y), 1e-6) << "shield " << j;
        EXPECT_DOUBLE_EQ(Body().z, s.z);
    }
    for (int h = 1; h <= 10; ++h) EXPECT_EQ(h <= 3 ? 1 : 0, Boss().HoleAt(h).active) << "hole " << h;
    EXPECT_NEAR(7.0, std::hypot(Boss().HoleAt(2).x - Body().x, Boss().HoleAt(2).y - Body().y), 1e-6);
    EXPECT_DOUBLE_EQ(Body().z - 6.0, Boss().Barrier().z);

    // The shields and the holes go round: a quarter of a turn later they stand elsewhere on the circle.
    const double shieldX = Boss().Shield(0).x - Body().x, holeX = Boss().HoleAt(1).x - Body().x;
    Steps(90);
    EXPECT_NEAR(-7.0, Boss().Shield(0).x - Body().x, 0.2) << "from the top to the left";
    EXPECT_NEAR(0.0, shieldX, 0.2);
    EXPECT_GT(std::abs(Boss().HoleAt(1).x - Body().x - holeX), 5.0);
    EXPECT_NEAR(7.0, std::hypot(Boss().Shield(0).x - Body().x, Boss().Shield(0).y - Body().y), 1e-6);
}

TEST_F(Bboss02Test, WhileShieldedShotsFlashTheBodyAndShowOnTheBarrierButOnlyTheBlastTakesLife) {
    Enter();
    Step();  // the core takes its place on the sway
    ShootAt(Body());
    Step();
    EXPECT_EQ(0, shot_.active);
    EXPECT_EQ(300, Body().life);
    EXPECT_EQ(1, Body().hitFlash);
    // The next frame draws the body translucent and the barrier takes the hit over from it.
    Step();
    EXPECT_EQ(0, Body().hitFlash);
    EXPECT_TRUE(Boss().BarrierOpaque());
    Steps(15);  // 495 ms
    EXPECT_TRUE(Boss().BarrierOpaque());
    Step();
    EXPECT_FALSE(Boss().BarrierOpaque());

    roster_.Targets();
    Step(1);
    EXPECT_EQ(1, audio_.Count(2));
    EXPECT_EQ(0, roster_.TargetHeld());
    EXPECT_EQ(250, Body().life) << "the bomb's blast goes through the shields";

    // A shot that reaches both a shield and the body is the shield's.
    const BodyRecord& s = Boss().Shield(0);
    shot_ = PlayerShot{};
    shot_.x = (Body().x + s.x) / 2;
    shot_.y = (Body().y + s.y) / 2;
    shot_.z = Body().z;
    shot_.active = 1;
    Step();
    EXPECT_EQ(9, Boss().Shield(0).life);
    EXPECT_EQ(0, Body().hitFlash);
}

TEST_F(Bboss02Test, EachShieldFallsOnItsEleventhHitAndTheLastOneLowersTheBarrier) {
    Enter();
    for (int j = 0; j < Bboss02::kShieldCount; ++j) {
        for (int hit = 1; hit <= 10; ++hit) {
            ShootAt(Boss().Shield(j));
            Step();
            ASSERT_EQ(0, shot_.active);
        }
        EXPECT_EQ(0, Boss().Shield(j).life);
        EXPECT_EQ(1, Boss().Shield(j).active) << "still standing at life 0";
        ShootAt(Boss().Shield(j));
        Step();
        EXPECT_EQ(0, Boss().Shield(j).active);
        EXPECT_EQ(j + 1, audio_.Count(13));
        EXPECT_EQ(j + 1, roster_.Explosions().ActiveCount());
        EXPECT_EQ(j < 2 ? 1 : 0, Body().shielded);
        EXPECT_EQ(j < 2 ? 1 : 0, Boss().BarrierUp());
        EXPECT_EQ(300, Body().life);
    }
    ShootAt(Body());
    Step();
    EXPECT_EQ(299, Body().life);
    Step();
    EXPECT_EQ(0, Body().hitFlash) << "unshielded, a hit flashes one frame only";
    roster_.Targets();
    Step(1);
    EXPECT_EQ(249, Body().life);
}

TEST_F(Bboss02Test, FirstAttackIsAShotFromEachCirclingHoleThatFliesToWhereTheShipWas) {
    Enter();
    ship_.x = 2.0;
    ship_.y = 1.0;
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    const std::uint32_t launch = platform::GetTickCount() - kFrameMs;
    EXPECT_GT(launch - entryTick_, 5000u);
    EXPECT_LE(launch - entryTick_, 5000u + kFrameMs);
    EXPECT_EQ(1, Boss().AttackAReady());
    EXPECT_EQ(3, audio_.Count(7));
    EXPECT_EQ(0, audio_.Count(8));
    EXPECT_EQ(3, Alive(Bboss02::kShotList));
    for (int k = 0; k < 3; ++k) {
        // Entry k leaves from hole k + 1.
        EXPECT_FLOAT_EQ(static_cast<float>(Boss().HoleAt(k + 1).z), Boss().ShotZ(k).KeyValue(0));
        EXPECT_FLOAT_EQ(2.0f, Boss().ShotX(k).KeyValue(1));
        EXPECT_FLOAT_EQ(1.0f, Boss().ShotY(k).KeyValue(1));
        EXPECT_FLOAT_EQ(15.0f, Boss().ShotZ(k).KeyValue(1));
    }

    // The ship holds still: the shots close in over their flight and reach its depth before they go.
    double nearest = 100.0;
    int frames = 0;
    while (Boss().Attacking() == 1 && frames < 200) {
        if (Shot(0).alive) nearest = std::min(nearest, Shot(0).z);
        EXPECT_LT(Shot(0).z, 40.0);
        Step();
        ++frames;
    }
    // 1500 ms of flight begun 100 ms early: about 1400 ms of frames.
    EXPECT_GE(frames, 40);
    EXPECT_LE(frames, 45);
    EXPECT_LT(nearest, 15.5);
    EXPECT_EQ(0, Alive(Bboss02::kShotList));
    // The three arrive together; the first hit's flash shields the ship from the other two.
    EXPECT_EQ(223 - Bboss02::kShotDamage, ship_.life);
    EXPECT_EQ(1, audio_.Count(3));
}

TEST_F(Bboss02Test, BeamVolleyComesFromTheOpenHolesWithOneSoundAndEndsWithItsTracks) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    platform::Srand(SeedDrawingFirst(1, 2));
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 0; }), 0);
    EXPECT_EQ(1, Boss().AttackBReady());
    const std::uint32_t ended = platform::GetTickCount() - kFrameMs;
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    EXPECT_GT(platform::GetTickCount() - kFrameMs - ended, 5000u);
    EXPECT_EQ(1, audio_.Count(8));
    EXPECT_EQ(3, audio_.Count(7)) << "no shots in a beam volley";
    EXPECT_EQ(3, Alive(Bboss02::kBeamList));
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(Boss().HoleAt(k + 1).x, Beam(k).x, 0.2) << "beam " << k;
        EXPECT_NEAR(Boss().HoleAt(k + 1).y, Beam(k).y, 0.2) << "beam " << k;
    }

    // The beams swell, stretch and travel out past the ship's plane over 3000 ms, then go.
    double widest = 0.0, deepest = 40.0;
    int frames = 0;
    while (Boss().Attacking() == 1 && frames < 200) {
        widest = std::max(widest, Beam(0).sx);
        deepest = std::min(deepest, Beam(0).z);
        Step();
        ++frames;
    }
    EXPECT_EQ(91, frames);  // the first frame after 3000 ms
    EXPECT_NEAR(1.5, widest, 0.05);
    EXPECT_LT(deepest, -45.0);
    EXPECT_EQ(0, Alive(Bboss02::kBeamList));
}

TEST_F(Bboss02Test, BelowLifeTwoHundredSevenHolesOpenAHundredMsApartAndTheVolleysGrowToTen) {
    Enter();
    DropShields();
    Step();
    EXPECT_EQ(0, Boss().HoleAt(4).active);
    Body().life = 199;
    Step();
    const std::uint32_t first = platform::GetTickCount() - kFrameMs;
    std::uint32_t openedAt[11] = {};
    openedAt[4] = first;
    ASSERT_EQ(1, Boss().HoleAt(4).active);
    for (int n = 0; n < 30; ++n) {
        for (int h = 5; h <= 10; ++h) {
            if (openedAt[h] == 0 && Boss().HoleAt(h).active) openedAt[h] = platform::GetTickCount() - kFrameMs;
        }
        Step();
    }
    for (int h = 5; h <= 10; ++h) {
        // On the first frame at or after its turn.
        const std::uint32_t due = 100u * static_cast<std::uint32_t>(h - 4);
        EXPECT_GE(openedAt[h] - first, due) << "hole " << h;
        EXPECT_LT(openedAt[h] - first, due + kFrameMs) << "hole " << h;
    }
    EXPECT_DOUBLE_EQ(5.0, Boss().HoleAt(4).x);
    EXPECT_DOUBLE_EQ(32.0, Boss().HoleAt(10).z);
    // Each grows in steps of 0.05 a frame up to 0.8.
    EXPECT_NEAR(0.8, Boss().HoleAt(4).size, 1e-9);
    EXPECT_LT(Boss().HoleAt(10).size, 0.8);
    EXPECT_GT(Boss().HoleAt(10).size, 0.0);

    // The next volley: one shot per hole, entry k from hole k + 1.
    ship_.x = 40.0;
    audio_.sounds.clear();
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    EXPECT_EQ(10, Alive(Bboss02::kShotList));
    EXPECT_EQ(10, audio_.Count(7));
    EXPECT_NEAR(0.8, Boss().HoleAt(10).size, 1e-9);
    for (int k = 0; k < 10; ++k) {
        EXPECT_FLOAT_EQ(static_cast<float>(Boss().HoleAt(k + 1).x), Boss().ShotX(k).KeyValue(0)) << k;
        EXPECT_FLOAT_EQ(static_cast<float>(Boss().HoleAt(k + 1).y), Boss().ShotY(k).KeyValue(0)) << k;
        EXPECT_FLOAT_EQ(static_cast<float>(Boss().HoleAt(k + 1).z), Boss().ShotZ(k).KeyValue(0)) << k;
    }
    ExpectEachEntryCosts(Bboss02::kShotList, 20);

    // And the beams after it, ten of them.
    ship_ = PlayerState::NewGame();
    ship_.x = 40.0;
    platform::Srand(SeedDrawingFirst(1, 2));
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 0; }), 0);
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    EXPECT_EQ(10, Alive(Bboss02::kBeamList));
    EXPECT_EQ(1, audio_.Count(8));
    ExpectEachEntryCosts(Bboss02::kBeamList, 20);
}

TEST_F(Bboss02Test, ItsDeathClearsTheStageAndResetRestoresTheShieldsAndHoles) {
    Enter();
    DropShields();
    Body().life = 150;
    ASSERT_GE(StepsUntil([&] { return Boss().HoleAt(10).active == 1; }), 0);
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    audio_.sounds.clear();
    KillWithShot(1);
    Step();
    EXPECT_EQ(0, Body().active);
    EXPECT_EQ(1, audio_.Count(13));
    EXPECT_EQ(std::vector<int>{2000}, audio_.fades);
    EXPECT_EQ(StageEnd::kStageClear, lastEnd_);
    EXPECT_EQ(2, GetNextStage());
    EXPECT_EQ(0, IsBossBattleActive());
    EXPECT_EQ(0, IsBossBattleEnded());
    EXPECT_EQ(223, gauge_);

    BeginStage(1);
    EXPECT_EQ(1, Body().shielded);
    EXPECT_EQ(1, Boss().BarrierUp());
    EXPECT_FALSE(Boss().BarrierOpaque());
    EXPECT_EQ(1, Boss().AttackAReady());
    EXPECT_EQ(0, Boss().AttackBReady());
    EXPECT_EQ(0, Boss().Attacking());
    for (int j = 0; j < Bboss02::kShieldCount; ++j) {
        EXPECT_EQ(1, Boss().Shield(j).active);
        EXPECT_EQ(10, Boss().Shield(j).life);
    }
    for (int h = 1; h <= 10; ++h) EXPECT_EQ(h <= 3 ? 1 : 0, Boss().HoleAt(h).active) << "hole " << h;
    EXPECT_EQ(0, Alive(Bboss02::kShotList));
    EXPECT_EQ(0, Alive(Bboss02::kBeamList));
    EXPECT_EQ(10u, Boss().List(Bboss02::kShotList).Size());
}

}  // namespace

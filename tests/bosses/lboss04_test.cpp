// The last boss in its battle: its entry, the laser grid that always comes first, the stream shots, the
// waves and their cues, the lances that freeze the sway, the eye with its snow and seven eye shots, what
// each list costs the ship, and the end of the game.

#include <cmath>

#include "bosses/lboss04.h"
#include "bosses/roster_fixture.h"
#include "platform/core/random.h"
#include "audio/sound_cues.h"

namespace {

using Attack = Lboss04::Attack;

class Lboss04Test : public RosterTest {
protected:
    static constexpr int kIndex = 7;

    void SetUp() override {
        RosterTest::SetUp();
        BeginStage(3);
        // The three moons have fallen; their battles are folded out of the stage clock.
        for (int moon = 4; moon < 7; ++moon) roster_.GetBoss(moon).Body().appeared = 1;
    }
    // Enters the boss; the clock then stands at the entry tick.
    void Enter() {
        StageClockAt(93000);
        entryTick_ = clock_.Ticks();
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
        ASSERT_EQ(1, Body().active);
    }
    Lboss04& Boss() { return static_cast<Lboss04&>(roster_.GetBoss(kIndex)); }
    BodyRecord& Body() { return roster_.GetBoss(kIndex).Body(); }
    BossBullet& Entry(int list, std::size_t i) { return Boss().List(list)[i]; }
    int AliveIn(int list) {
        int n = 0;
        for (const BossBullet& b : Boss().List(list)) n += b.alive;
        return n;
    }
    // Enters, lets the laser grid run and end with `next` drawn, and steps until `next` has begun.
    void RunTo(Attack next) {
        Enter();
        ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        platform::Srand(SeedDrawingFirst(static_cast<int>(next), 4));
        ASSERT_GE(StepsUntil([&] { return !Boss().Running(); }), 0);
        ASSERT_EQ(next, Boss().Next());
        audio_.sounds.clear();
        ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        launch_ = Boss().BattleStart();
    }
    // One frame at exactly `tick`, the ship left where it is.
    void FrameAt(std::uint32_t tick) {
        clock_.Set(tick);
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
    }
    // The life the ship loses to one battle step, with the protection of an earlier hit long over.
    std::int32_t LossAt(double x, double y, double z) {
        clock_.Advance(1000);
        ship_.x = x;
        ship_.y = y;
        ship_.z = z;
        ship_.life = PlayerState::kFullLife;
        roster_.Battle(clock_.Ticks());
        return PlayerState::kFullLife - ship_.life;
    }
    std::uint32_t launch_ = 0;
};

TEST_F(Lboss04Test, EntersAtNinetyThreeSecondsWithItsMusicIntroductionAndLife) {
    StageClockAt(92999);
    Step();
    EXPECT_EQ(0, ActiveBosses());
    Enter();
    EXPECT_EQ(1, ActiveBosses());
    EXPECT_EQ((std::vector<int>{9}), audio_.tracks);
    EXPECT_EQ(6, GetCameraCutInIndex());
    EXPECT_EQ(600, Body().life);
    EXPECT_EQ(600, Body().lifeMax);
    EXPECT_EQ(Attack::kLasers, Boss().Next());
}

TEST_F(Lboss04Test, TheLaserGridComesFirstHarmlessWhileItChargesAndGoneAfterFiveSeconds) {
    for (std::uint32_t seed : {1u, 5u, 99u}) {
        BeginStage(3);
        SetBossBattleActive(0);
        for (int moon = 4; moon < 7; ++moon) roster_.GetBoss(moon).Body().appeared = 1;
        audio_.sounds.clear();
        platform::Srand(seed);
        Enter();
        ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        EXPECT_EQ(Attack::kLasers, Boss().Next()) << "seed " << seed;
        EXPECT_EQ(1, audio_.Count(11));
        EXPECT_EQ(0, audio_.Count(sound::kBossBeam)) << "no wave, no wave cue";
        const std::uint32_t launch = Boss().BattleStart();
        EXPECT_GT(launch - entryTick_, 3000u);
        EXPECT_LE(launch - entryTick_, 3000u + kFrameMs);
    }
    const std::uint32_t launch = Boss().BattleStart();
    // The grid: columns 3 apart from x = -20, three rows and two rows in turn, in front of the body.
    const BulletPool& lasers = Boss().List(Lboss04::kLaserList);
    ASSERT_EQ(Lboss04::kLaserCount, lasers.Size());
    const double expected[5][2] = {{-20, 7}, {-20, 0}, {-20, -7}, {-17, 3.5}, {-17, -3.5}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(expected[i][0], lasers[i].x) << i;
        EXPECT_DOUBLE_EQ(expected[i][1], lasers[i].y) << i;
        EXPECT_DOUBLE_EQ(36.0, lasers[i].z) << i;
        EXPECT_TRUE(Boss().EmitterShown(i));
    }
    EXPECT_DOUBLE_EQ(19.0, lasers[lasers.Size() - 1].x);
    std::size_t centre = lasers.Size();
    for (std::size_t i = 0; i < lasers.Size(); ++i) {
        if (lasers[i].x == -2.0 && lasers[i].y == 0.0) centre = i;
    }
    ASSERT_LT(centre, lasers.Size());

    // The ship sits on a laser's line through the whole attack; nothing can touch it while the emitters
    // charge.
    ship_.x = -2.0;
    ship_.y = 0.0;
    while (platform::GetTickCount() < launch + 1500) {
        EXPECT_EQ(0, AliveIn(Lboss04::kLaserList));
        Step();
    }
    FrameAt(launch + 1499);
    EXPECT_EQ(0, AliveIn(Lboss04::kLaserList));
    EXPECT_EQ(PlayerState::kFullLife, ship_.life);
    FrameAt(launch + 1500);
    EXPECT_EQ(static_cast<int>(Lboss04::kLaserCount), AliveIn(Lboss04::kLaserList));

    // Once the laser has grown out to the ship's plane it costs 15 a hit.
    clock_.Set(launch + 1500 + kFrameMs);
    int hits = 0;
    while (platform::GetTickCount() < launch + 6400) {
        const std::int32_t before = ship_.life;
        Step();
        const std::int32_t lost = before - ship_.life;
        if (lost > 0) {
            EXPECT_EQ(Lboss04::kLaserDamage, lost);
            EXPECT_LT(lasers[centre].z - lasers[centre].rz, 15.0);
            ++hits;
        }
        ship_.life = PlayerState::kFullLife;
    }
    EXPECT_GE(hits, 3);

    FrameAt(launch + 6499);
    EXPECT_TRUE(Boss().Running());
    EXPECT_EQ(static_cast<int>(Lboss04::kLaserCount), AliveIn(Lboss04::kLaserList));
    FrameAt(launch + 6500);
    EXPECT_FALSE(Boss().Running());
    EXPECT_EQ(0, AliveIn(Lboss04::kLaserList));
    EXPECT_FALSE(Boss().EmitterShown(0));
    EXPECT_EQ(launch + 6500, Boss().BattleStart());
}

TEST_F(Lboss04Test, StreamShotsMoveOneUnitPerFrameAndThoseFromTheRightTravelFurther) {
    Enter();
    Step();
    EXPECT_EQ(2, AliveIn(Lboss04::kStreamList)) << "both orbit points fire from the first update";

    // A whole orbit and a half sway after entry: orbit angle 0 with the body at the centre.
    for (std::size_t i = 0; i < 2; ++i) Entry(Lboss04::kStreamList, i).z = 15.0;
    FrameAt(entryTick_ + 12000);
    ASSERT_NEAR(0.0, Body().x, 1e-6);
    const BossBullet& right = Entry(Lboss04::kStreamList, 0);
    const BossBullet& left = Entry(Lboss04::kStreamList, 1);
    EXPECT_NEAR(10.0, right.x, 1e-9);
    EXPECT_NEAR(-10.0, left.x, 1e-9);
    EXPECT_NEAR(0.0, right.y, 1e-9);
    // From x = 10 the shot drifts 13 sideways while it falls 47 in depth: sqrt(13^2 + 47^2) units.
    EXPECT_EQ(1625u, Boss().StreamDepth(0).Duration());
    EXPECT_EQ(1584u, Boss().StreamDepth(1).Duration());

    clock_.Advance(kFrameMs);
    for (int k = 1; k <= 12; ++k) {
        Step();
        const double travelled = std::hypot(right.x - 10.0, right.z - Lboss04::kStreamFrom);
        EXPECT_NEAR(k * kFrameMs / Lboss04::kStreamMsPerUnit, travelled, 0.05) << k;
        EXPECT_GT(right.x, 10.0);
        EXPECT_LT(left.x, -10.0);
    }
    // Heading for x = 23 and x = -17.
    EXPECT_NEAR(23.0, right.x + (right.z - Lboss04::kStreamTo) * 13.0 / 47.0, 1e-3);
    EXPECT_NEAR(-17.0, left.x - (left.z - Lboss04::kStreamTo) * 7.0 / 47.0, 1e-3);

    // Past the ship's plane a shot is sent again from its orbit point.
    const std::uint32_t first = Boss().StreamDepth(0).Start();
    ASSERT_GE(StepsUntil([&] { return Boss().StreamDepth(0).Start() != first; }, 60), 0);
    EXPECT_NEAR(22.0 / 47.0 * 1625.0, Boss().StreamDepth(0).Start() - first, kFrameMs + 1.0);
}

TEST_F(Lboss04Test, ThreeWavesOpenHalfASecondApartWithOneCueEach) {
    ASSERT_NO_FATAL_FAILURE(RunTo(Attack::kWaves));
    // The eye next: its step comes later in the update than the waves' end.
    platform::Srand(SeedDrawingFirst(static_cast<int>(Attack::kEye), 4));
    const double angles[3] = {0.0, 45.0, -45.0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(angles[i], Entry(Lboss04::kWaveList, i).roll);
        EXPECT_EQ(launch_ + 500 * i, Boss().WaveGrowth(i).Start());
    }
    // The ship keeps to the centre, where every wave's line passes and no stream shot does.
    int hits = 0;
    while (Boss().Running()) {
        // Since the launch, as of the last frame.
        const std::uint32_t t = platform::GetTickCount() - kFrameMs - launch_;
        const int opened = t >= 1000 ? 3 : t >= 500 ? 2 : 1;
        EXPECT_EQ(opened, audio_.Count(sound::kBossBeam)) << t << " ms";
        EXPECT_EQ(opened, AliveIn(Lboss04::kWaveList)) << t << " ms";
        const std::int32_t before = ship_.life;
        Step();
        const std::int32_t lost = before - ship_.life;
        if (lost > 0) {
            EXPECT_EQ(Lboss04::kWaveDamage, lost);
            ++hits;
        }
        ship_.life = PlayerState::kFullLife;
        ASSERT_LT(platform::GetTickCount() - launch_, 3100u);
    }
    EXPECT_GE(hits, 1);
    EXPECT_EQ(3, audio_.Count(sound::kBossBeam));
    EXPECT_EQ(0, AliveIn(Lboss04::kWaveList));
    EXPECT_GE(Boss().BattleStart() - launch_, 3000u);
    EXPECT_LE(Boss().BattleStart() - launch_, 3000u + kFrameMs);
    // No cue without a wave, while the next attack waits the full 3000 ms from the waves' end.
    ASSERT_EQ(Attack::kEye, Boss().Next());
    for (int k = 0; k < 90; ++k) {
        Step();
        ASSERT_FALSE(Boss().Running()) << k;
    }
    EXPECT_EQ(3, audio_.Count(sound::kBossBeam));
}

TEST_F(Lboss04Test, WavesGrowFromTheBodyAndReachAsFarAsTheyAreDrawn) {
    ASSERT_NO_FATAL_FAILURE(RunTo(Attack::kWaves));
    FrameAt(launch_ + 1000);
    const BossBullet& wave = Entry(Lboss04::kWaveList, 0);
    EXPECT_NEAR(0.2 + 19.8 * 0.5, wave.sx, 1e-4);
    EXPECT_NEAR(3.0 * wave.sx, wave.rh, 1e-9);
    EXPECT_NEAR(3.0 * wave.sz, wave.rz, 1e-9);
    EXPECT_DOUBLE_EQ(40.0, wave.z);
}

TEST_F(Lboss04Test, LancesDiveAtTheShipWhileTheBodyHoldsStillAndTheSwayGoesOnWithoutAJump) {
    ASSERT_NO_FATAL_FAILURE(RunTo(Attack::kLances));
    EXPECT_EQ(1, audio_.Count(sound::kBossStrike));
    EXPECT_EQ(1, Body().holdPosition);
    const double frozenX = Body().x;
    const double frozenY = Body().y;

    // Half way the pair has spun twice round the point that dived to y = 5, z = 10.
    FrameAt(launch_ + Lboss04::kLanceMs / 2);
    EXPECT_DOUBLE_EQ(frozenX, Body().x);
    const BossBullet& lance0 = Entry(Lboss04::kLanceList, 0);
    const BossBullet& lance1 = Entry(Lboss04::kLanceList, 1);
    EXPECT_NEAR(frozenX + 5.0, lance0.x, 1e-4);
    EXPECT_NEAR(5.0, lance0.y, 1e-4);
    EXPECT_NEAR(10.0, lance0.z, 1e-4);
    EXPECT_NEAR(frozenX - 5.0, lance1.x, 1e-4);

    // The lance's depth slab decides: on its line but ahead of it, the ship is safe; inside it, it is hit.
    EXPECT_EQ(0, LossAt(lance0.x, lance0.y, 15.0));
    FrameAt(launch_ + Lboss04::kLanceMs / 2 - 400);
    EXPECT_NEAR(15.0, lance0.z, 1e-3);
    EXPECT_EQ(Lboss04::kLanceDamage, LossAt(lance0.x, lance0.y, 15.0));
    ship_ = PlayerState::NewGame();

    clock_.Set(launch_ + kFrameMs);
    int frames = 0;
    while (Boss().Running() && frames < 400) {
        EXPECT_DOUBLE_EQ(frozenX, Body().x);
        Step();
        ++frames;
    }
    EXPECT_EQ(Lboss04::kLanceMs / kFrameMs + 1, static_cast<std::uint32_t>(frames));
    EXPECT_EQ(0, Body().holdPosition);
    Step();
    EXPECT_NEAR(frozenX, Body().x, 0.2);
    EXPECT_NE(frozenX, Body().x) << "the sway moves again";
    EXPECT_DOUBLE_EQ(frozenY, Body().y);
    // Back at rest beside the body.
    EXPECT_NEAR(Body().x - 5.0, lance0.x, 1e-9);
    EXPECT_DOUBLE_EQ(35.0, lance0.z);
}

TEST_F(Lboss04Test, TheEyeSendsItsSevenShotsToTheHexagonAndStaysUntilTheLastHasFlown) {
    ASSERT_NO_FATAL_FAILURE(RunTo(Attack::kEye));
    EXPECT_EQ(1, audio_.Count(sound::kBossStrike));
    EXPECT_TRUE(Boss().EyeShown());
    EXPECT_EQ(static_cast<int>(Lboss04::kSnowCount), AliveIn(Lboss04::kSnowList));
    EXPECT_EQ(0, AliveIn(Lboss04::kEyeShotList));
    const double shipZ = ship_.z;
    // The snowfall is over long before the last eye shot leaves.
    const std::uint32_t snowEnd = Boss().SnowX(Boss().LongestSnow()).Duration();
    ASSERT_LT(snowEnd, 8000u + 6 * 1500u);

    for (std::size_t j = 0; j < Lboss04::kEyeShotCount; ++j) {
        const std::uint32_t leave = launch_ + 8000 + 1500 * static_cast<std::uint32_t>(j);
        EXPECT_EQ(leave, Boss().EyeShotZ(j).Start()) << j;
        FrameAt(leave - 1);
        EXPECT_EQ(0, Entry(Lboss04::kEyeShotList, j).alive) << j;
        EXPECT_TRUE(Boss().Running()) << j;
        FrameAt(leave);
        EXPECT_EQ(1, Entry(Lboss04::kEyeShotList, j).alive) << j;
        FrameAt(leave + Lboss04::kEyeShotMs - 1);
        EXPECT_TRUE(Boss().Running()) << j;
        EXPECT_EQ(static_cast<int>(j) + 1, AliveIn(Lboss04::kEyeShotList));
        FrameAt(leave + Lboss04::kEyeShotMs);
        const BossBullet& shot = Entry(Lboss04::kEyeShotList, j);
        EXPECT_NEAR(Lboss04::kEyeShotX[j], shot.x, 1e-5) << j;
        EXPECT_NEAR(Lboss04::kEyeShotY[j], shot.y, 1e-5) << j;
        EXPECT_NEAR(shipZ, shot.z, 1e-5) << j;
    }
    // The last shot's landing ends the attack.
    EXPECT_FALSE(Boss().Running());
    EXPECT_FALSE(Boss().EyeShown());
    EXPECT_EQ(0, AliveIn(Lboss04::kEyeShotList));
    EXPECT_EQ(0, AliveIn(Lboss04::kSnowList));
    // Their tracks lie in the past now, but no eye shot comes back outside the eye's attack.
    for (int k = 0; k < 300; ++k) {
        Step();
        if (Boss().Next() == Attack::kEye && Boss().Running()) break;
        ASSERT_EQ(0, AliveIn(Lboss04::kEyeShotList)) << k;
    }
}

TEST_F(Lboss04Test, EachListReachesTheShipThroughItsOwnTestWithItsOwnDamage) {
    Enter();
    // Placed by hand between battle steps; the boss does not update in between.
    BossBullet& stream = Entry(Lboss04::kStreamList, 0);
    stream.alive = 1;
    stream.x = 0.0, stream.y = 0.0, stream.z = 15.0;
    EXPECT_EQ(Lboss04::kStreamDamage, LossAt(0.0, 0.0, 15.0));
    stream.z = 25.0;  // a shot needs to be at the ship's depth
    EXPECT_EQ(0, LossAt(0.0, 0.0, 15.0));
    stream.alive = 0;

    // A wave's line passes through the screen's centre at its angle, wherever the wave stands, when its
    // front (z - rz) meets the ship's.
    BossBullet& wave = Entry(Lboss04::kWaveList, 1);
    wave.alive = 1;
    wave.x = 8.0, wave.y = -3.0, wave.z = 40.0;
    wave.roll = 45.0;
    wave.rz = 40.0 - 15.5;
    EXPECT_EQ(Lboss04::kWaveDamage, LossAt(4.0, 4.0 * std::sin(45.0 * std::acos(-1.0) / 180.0), 15.0));
    EXPECT_EQ(0, LossAt(4.0, -3.0, 15.0));
    wave.rz = 10.0;
    EXPECT_EQ(0, LossAt(4.0, 4.0 * std::sin(45.0 * std::acos(-1.0) / 180.0), 15.0));
    wave.alive = 0;

    // Lances and lasers hurt inside their depth slab.
    for (int list : {Lboss04::kLanceList, Lboss04::kLaserList}) {
        BossBullet& b = Entry(list, 0);
        b.alive = 1;
        b.x = 3.0, b.y = 2.0, b.z = 18.0;
        b.rz = 4.0;
        EXPECT_EQ(list == Lboss04::kLanceList ? Lboss04::kLanceDamage : Lboss04::kLaserDamage, LossAt(3.0, 2.0, 15.0))
            << list;
        b.z = 30.0;
        EXPECT_EQ(0, LossAt(3.0, 2.0, 15.0)) << list;
        b.alive = 0;
    }
    Entry(Lboss04::kLanceList, 1).alive = 0;

    // Snow hurts in the screen plane at any depth.
    BossBullet& flake = Entry(Lboss04::kSnowList, 0);
    flake.alive = 1;
    flake.x = -4.0, flake.y = 1.0, flake.z = 60.0;
    EXPECT_EQ(Lboss04::kSnowDamage, LossAt(-4.0, 1.0, 15.0));
    flake.alive = 0;

    BossBullet& eyeShot = Entry(Lboss04::kEyeShotList, 6);
    eyeShot.alive = 1;
    eyeShot.x = -5.0, eyeShot.y = -2.0, eyeShot.z = 15.0;
    EXPECT_EQ(Lboss04::kEyeShotDamage, LossAt(-5.0, -2.0, 15.0));
    eyeShot.z = 30.0;
    EXPECT_EQ(0, LossAt(-5.0, -2.0, 15.0));
}

TEST_F(Lboss04Test, ItsFallEndsTheGame) {
    Enter();
    Steps(30);
    const std::int32_t score = GetScore();
    KillWithShot(kIndex);
    Step();
    EXPECT_EQ(0, Body().active);
    EXPECT_EQ(1, audio_.Count(13));
    EXPECT_EQ((std::vector<int>{2000}), audio_.fades);
    EXPECT_EQ(score + 10000, GetScore());
    EXPECT_EQ(StageEnd::kLastClear, lastEnd_);
    EXPECT_EQ(1, roster_.Explosions().ActiveCount());
    EXPECT_EQ(0, IsBossBattleActive());
    EXPECT_EQ(1, IsBossBattleEnded());
}

TEST_F(Lboss04Test, ResetGivesBackTheGridAsFirstAttackAndListsSizedForTheirRememberedEntries) {
    ASSERT_NO_FATAL_FAILURE(RunTo(Attack::kEye));
    FrameAt(launch_ + 9000);
    ASSERT_EQ(1, AliveIn(Lboss04::kEyeShotList));
    BeginStage(3);
    EXPECT_EQ(Attack::kLasers, Boss().Next());
    EXPECT_FALSE(Boss().Running());
    EXPECT_FALSE(Boss().EyeShown());
    for (int list :
         {Lboss04::kStreamList, Lboss04::kWaveList, Lboss04::kLaserList, Lboss04::kSnowList, Lboss04::kEyeShotList}) {
        EXPECT_EQ(0, AliveIn(list)) << list;
    }
    EXPECT_EQ(2, AliveIn(Lboss04::kLanceList));
    // The eye shots' targets are a table of seven; the snow's longest fall times the eye attack.
    EXPECT_EQ(7u, Boss().List(Lboss04::kEyeShotList).Size());
    ASSERT_GE(Boss().List(Lboss04::kLaserList).Size(), 1u);
    ASSERT_LT(Boss().LongestSnow(), Boss().List(Lboss04::kSnowList).Size());
    for (std::size_t i = 0; i < Boss().List(Lboss04::kSnowList).Size(); ++i) {
        EXPECT_LE(Boss().SnowX(i).Duration(), Boss().SnowX(Boss().LongestSnow()).Duration()) << i;
    }
}

}  // namespace

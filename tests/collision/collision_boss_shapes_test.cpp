#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "collision_support.h"

using namespace collision_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = std::numbers::pi;

class BossShapes : public ::testing::Test {
protected:
    const CollisionTests tests_{};
};

BossBullet Bullet(Pos p, double rv, double rz) {
    BossBullet b = Place<BossBullet>(p, 0.0, rv);
    b.rz = rz;
    return b;
}

TEST_F(BossShapes, AlwaysHitIgnoresTheBody) {
    BodyRecord body;
    body.x = kNaN;
    EXPECT_TRUE(tests_.AlwaysHit(body));
    EXPECT_TRUE(tests_.AlwaysHit(BodyRecord{}));
}

TEST_F(BossShapes, FlowerNeedsThePlayersDepthSlabStrictlyThenTheScreenCircle) {
    PetalItem flower = Place<PetalItem>({0.0, 0.0, 15.0});
    flower.rv = 2.0;  // reach 2.5 with the player's 0.5
    const PlayerState player = PlayerAt({0.0, 0.0, 15.0});
    EXPECT_TRUE(tests_.FlowerHitsPlayer(flower, player));
    for (double dz : {0.5, -0.5}) {
        flower.z = 15.0 + dz;
        EXPECT_FALSE(tests_.FlowerHitsPlayer(flower, player)) << dz;
        flower.z = 15.0 + dz * 0.5;
        EXPECT_TRUE(tests_.FlowerHitsPlayer(flower, player)) << dz;
    }
    flower.z = 15.0;
    flower.x = 1.5;
    flower.y = 2.0;  // 1.5² + 2² = 2.5²: touching
    EXPECT_FALSE(tests_.FlowerHitsPlayer(flower, player));
    flower.y = 1.75;
    EXPECT_TRUE(tests_.FlowerHitsPlayer(flower, player));
    flower.z = kNaN;
    EXPECT_FALSE(tests_.FlowerHitsPlayer(flower, player));
    flower.z = 15.0;
    flower.x = kNaN;
    EXPECT_FALSE(tests_.FlowerHitsPlayer(flower, player));
}

TEST_F(BossShapes, FlatBulletIgnoresDepth) {
    const PlayerState player = PlayerAt({1.0, 1.0, 15.0});
    BossBullet bullet = Bullet({1.0, 3.5, 400.0}, 2.0, 0.0);  // reach 2.5, far deeper than the player
    bullet.rh = 50.0;                                         // the horizontal radius plays no part
    EXPECT_FALSE(tests_.BulletHitsPlayerFlat(bullet, player));
    bullet.y = 3.25;
    EXPECT_TRUE(tests_.BulletHitsPlayerFlat(bullet, player));
    bullet.x = 3.5;
    bullet.y = 1.0;
    EXPECT_FALSE(tests_.BulletHitsPlayerFlat(bullet, player));
    bullet.x = kNaN;
    EXPECT_FALSE(tests_.BulletHitsPlayerFlat(bullet, player));
}

TEST_F(BossShapes, SlabBulletNeedsTheCircleAndThePlayerStrictlyInsideItsDepth) {
    const PlayerState player = PlayerAt({0.0, 0.0, 15.0});
    BossBullet bullet = Bullet({0.0, 0.0, 25.0}, 1.0, 10.0);  // slab 15..35, reach 1.5
    EXPECT_FALSE(tests_.BulletInSlabHitsPlayer(bullet, player));
    bullet.z = 5.0;  // slab -5..15
    EXPECT_FALSE(tests_.BulletInSlabHitsPlayer(bullet, player));
    bullet.z = 24.75;
    EXPECT_TRUE(tests_.BulletInSlabHitsPlayer(bullet, player));
    bullet.y = 1.5;
    EXPECT_FALSE(tests_.BulletInSlabHitsPlayer(bullet, player));
    bullet.y = 1.25;
    EXPECT_TRUE(tests_.BulletInSlabHitsPlayer(bullet, player));
    bullet.rz = kNaN;
    EXPECT_FALSE(tests_.BulletInSlabHitsPlayer(bullet, player));
}

TEST_F(BossShapes, RingHitsOnlyOnItsRim) {
    const PlayerState player = PlayerAt({0.0, 0.0, 15.0});
    BossBullet ring = Bullet({0.0, 0.0, 15.0}, 4.5, 0.0);  // rim from 3 to 5
    EXPECT_FALSE(tests_.RingHitsPlayer(ring, player));     // the centre is the hole
    ring.x = 3.0;
    EXPECT_FALSE(tests_.RingHitsPlayer(ring, player));
    ring.x = 3.25;
    EXPECT_TRUE(tests_.RingHitsPlayer(ring, player));
    ring.x = 3.0;
    ring.y = 4.0;  // d = 5: the outer edge
    EXPECT_FALSE(tests_.RingHitsPlayer(ring, player));
    ring.y = 3.75;
    EXPECT_TRUE(tests_.RingHitsPlayer(ring, player));
    for (double dz : {0.5, -0.5}) {  // the player's depth slab, strict
        ring.z = 15.0 + dz;
        EXPECT_FALSE(tests_.RingHitsPlayer(ring, player)) << dz;
        ring.z = 15.0 + dz / 2;
        EXPECT_TRUE(tests_.RingHitsPlayer(ring, player)) << dz;
    }
    ring.y = kNaN;
    EXPECT_FALSE(tests_.RingHitsPlayer(ring, player));
}

TEST_F(BossShapes, BarLiesInThePlayersPlaneWithinOneOfItsHeight) {
    PlayerState player = PlayerAt({2.0, 3.0, 15.0});
    BossBullet bar = Bullet({2.0, 3.0, 300.0}, 0.0, 0.0);  // its own depth plays no part
    EXPECT_TRUE(tests_.BarHitsPlayer(bar, player));
    for (double dy : {1.0, -1.0}) {
        bar.y = 3.0 + dy;
        EXPECT_FALSE(tests_.BarHitsPlayer(bar, player)) << dy;
        bar.y = 3.0 + dy * 0.75;
        EXPECT_TRUE(tests_.BarHitsPlayer(bar, player)) << dy;
    }
    bar.y = 3.0;
    bar.x = 3.0;  // reach 1.0: touching
    EXPECT_FALSE(tests_.BarHitsPlayer(bar, player));
    // Off the plane the reach shrinks: 1.5² + 2² = (2 + 0.5)².
    player.rh = 2.0;
    player.z = 16.5;
    bar.x = 4.0;
    EXPECT_FALSE(tests_.BarHitsPlayer(bar, player));
    bar.x = 3.75;
    EXPECT_TRUE(tests_.BarHitsPlayer(bar, player));
    bar.y = kNaN;
    EXPECT_FALSE(tests_.BarHitsPlayer(bar, player));
}

TEST_F(BossShapes, BeamDepthWindowIsStrict) {
    PlayerState player = PlayerAt({0.0, 0.0, 15.0});
    BossBullet beam = Bullet({0.0, 0.0, 0.0}, 0.0, 30.0);  // its near end is z - 30, the player's far face 15.5
    for (double gap : {2.0, -2.0}) {
        beam.z = 45.5 + gap;
        EXPECT_FALSE(tests_.BeamHitsPlayer(beam, player)) << gap;
        beam.z = 45.5 + gap * 0.875;
        EXPECT_TRUE(tests_.BeamHitsPlayer(beam, player)) << gap;
    }
    beam.rz = kNaN;
    EXPECT_FALSE(tests_.BeamHitsPlayer(beam, player));
}

TEST_F(BossShapes, BeamRunsThroughTheScreenCentreAlongItsRollInDegrees) {
    const BossBullet flat = Bullet({50.0, 50.0, 45.5}, 0.0, 30.0);  // its x and y play no part
    BossBullet tilted = flat;
    tilted.roll = 30.0;  // slope 0.5; read as radians it would fall the other way
    struct Probe {
        const BossBullet* beam;
        Pos player;
        bool hit;
    } probes[] = {
        {&flat, {0.0, 1.5, 15.0}, false},  // touching the sample at the centre (reach 1.5)
        {&flat, {0.0, 1.25, 15.0}, true},  //
        {&flat, {-21.25, 0.0, 15.0}, true},  // near the first sample, k = -20
        {&flat, {20.5, 0.0, 15.0}, false},   // the last sample is k = 19
        {&flat, {20.25, 0.0, 15.0}, true},   //
        {&tilted, {10.0, 5.0, 15.0}, true},  //
        {&tilted, {10.0, -5.0, 15.0}, false},
        {&tilted, {kNaN, 5.0, 15.0}, false},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(tests_.BeamHitsPlayer(*p.beam, PlayerAt(p.player)), p.hit)
            << "roll " << p.beam->roll << " at " << p.player.x << ", " << p.player.y;
    }
}

TEST_F(BossShapes, OffsetPoint25CirclesTheBossAlongTheBulletsYaw) {
    BodyRecord boss = Place<BodyRecord>({4.0, 0.0, 40.0});
    BossBullet bullet = Bullet({-80.0, 2.0, 500.0}, 0.0, 0.0);  // only its height and yaw count
    for (double yaw : {0.0, kPi / 2, kPi, -kPi / 2, kPi / 6}) {
        bullet.yaw = yaw;
        const Pos point{4.0 + 25.0 * std::sin(yaw), 2.0, 40.0 + 25.0 * std::cos(yaw)};
        EXPECT_TRUE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point))) << yaw;
        // Reach 2.5 in the ground plane.
        EXPECT_TRUE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point + Pos{2.4, 0.0, 0.0}))) << yaw;
        EXPECT_FALSE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point + Pos{0.0, 0.0, -2.51}))) << yaw;
        // Within one unit of the bullet's height, strictly.
        EXPECT_FALSE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point + Pos{0.0, 1.0, 0.0}))) << yaw;
        EXPECT_FALSE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point + Pos{0.0, -1.0, 0.0}))) << yaw;
        EXPECT_TRUE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt(point + Pos{0.0, -0.75, 0.0}))) << yaw;
    }
    bullet.yaw = kNaN;
    EXPECT_FALSE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt({4.0, 2.0, 65.0})));
    bullet.yaw = 0.0;
    boss.x = kNaN;
    EXPECT_FALSE(tests_.OffsetPointHitsPlayer25(boss, bullet, PlayerAt({4.0, 2.0, 65.0})));
}

TEST_F(BossShapes, OffsetPoint5LiesAlongTheBulletsAngles) {
    BossBullet bullet = Bullet({0.0, 0.0, 40.0}, 0.0, 0.0);  // the point (5, 0, 40)
    const Pos point{5.0, 0.0, 40.0};
    struct Probe {
        Pos offset;
        bool hit;
    } probes[] = {
        {{0.0, 0.0, 0.0}, true},    {{0.0, 0.0, 5.25}, true},  // ground reach 5.5
        {{0.0, 0.0, -5.5}, false},  {{0.0, 3.25, 0.0}, true},  // screen reach 3.5
        {{0.0, 3.5, 0.0}, false},   {{3.5, 0.0, 0.0}, false},  // dx counts in both planes
        {{-5.0, 0.0, 0.0}, false},                             // the bullet's own position is not the point
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt(point + p.offset)), p.hit)
            << p.offset.x << ", " << p.offset.y << ", " << p.offset.z;
    }
    bullet.yaw = kPi / 2;  // the point moves in depth: (0, 0, 45)
    EXPECT_TRUE(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt({0.0, 0.0, 47.0})));
    EXPECT_FALSE(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt({5.0, 0.0, 40.0})));
    bullet.pitch = kPi / 2;  // and up: (0, 5, 45)
    EXPECT_TRUE(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt({0.0, 7.0, 45.0})));
    EXPECT_FALSE(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt({0.0, 1.0, 45.0})));
    bullet.pitch = kNaN;
    EXPECT_FALSE(tests_.OffsetPointHitsPlayer5(bullet, PlayerAt({0.0, 5.0, 45.0})));
}

TEST(RadarProjection, WritesTheMarkOnlyForEnemiesInRangeAndAhead) {
    const CollisionTests tests;
    const PlayerState player = PlayerAt({2.0, 0.0, 15.0});
    struct Probe {
        Pos enemy;
        bool shown;
        float markX, markY;
    } probes[] = {
        {{7.0, 9.0, 115.0}, true, 405.0f, 515.0f},  // 4 px per unit across, 0.5 px per unit of depth
        {{-3.0, 0.0, 5.0}, true, 365.0f, 570.0f},   // behind the player
        {{2.0, 0.0, 165.0}, false, 0.0f, 0.0f},  // range 150, strict
        {{2.0, 0.0, 164.5}, true, 385.0f, 490.25f},
        {{22.0, 0.0, 15.0}, false, 0.0f, 0.0f},  // |dx| 20, strict
        {{-17.5, 0.0, 15.0}, true, 307.0f, 565.0f},
        {{kNaN, 0.0, 15.0}, false, 0.0f, 0.0f},
        {{2.0, 0.0, kNaN}, false, 0.0f, 0.0f},
    };
    for (const Probe& p : probes) {
        float x = -1.0f, y = -1.0f;
        EXPECT_EQ(tests.RadarProjection(385.0f, 565.0f, player, Place<EnemyRecord>(p.enemy), &x, &y), p.shown)
            << p.enemy.x << ", " << p.enemy.z;
        EXPECT_FLOAT_EQ(x, p.shown ? p.markX : -1.0f);
        EXPECT_FLOAT_EQ(y, p.shown ? p.markY : -1.0f);
    }
}

}  // namespace

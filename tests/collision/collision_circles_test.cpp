#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "collision_support.h"

using namespace collision_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A pair of records at a and b, with radii chosen per member so that the ground-plane and screen-plane
// reaches differ: a test that mixes them up fails at a boundary.
using PairTest = bool (*)(const CollisionTests&, Pos a, Pos b);

struct CircleCase {
    const char* name;
    PairTest test;
    double reachH;  // radius sum in the ground plane
    double reachV;  // radius sum in the screen plane
};

const CircleCase kCircleCases[] = {
    {"PlayerShotHitsEnemy",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.PlayerShotHitsEnemy(Place<PlayerShot>(a, 5.0, 2.0), Place<EnemyRecord>(b));
     },
     6.0, 3.0},
    {"PlayerShotHitsBoss",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.PlayerShotHitsBoss(Place<PlayerShot>(a), Place<BodyRecord>(b, 2.0, 1.0));
     },
     7.0, 6.0},
    {"EnemyShotHitsPlayer",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.EnemyShotHitsPlayer(Place<EnemyShotRecord>(a, 1.0, 2.0), PlayerAt(b));
     },
     1.5, 2.5},
    {"EnemyShotHitsPlayerBossBullet",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.EnemyShotHitsPlayer(Place<BossBullet>(a, 2.5, 1.0), PlayerAt(b));
     },
     3.0, 1.5},
    {"EnemyHitsPlayer",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.EnemyHitsPlayer(Place<EnemyRecord>(a, 1.0, 1.5), PlayerAt(b));
     },
     1.5, 2.0},
    {"BuildingStopsEnemyShot",
     [](const CollisionTests& t, Pos a, Pos b) {
         BuildingItem building;  // its own size plays no part
         building.x = static_cast<float>(a.x);
         building.y = static_cast<float>(a.y);
         building.z = static_cast<float>(a.z);
         building.halfX = building.halfY = building.halfZ = 100.0;
         return t.BuildingStopsEnemyShot(building, Place<EnemyShotRecord>(b, 30.0, 30.0));
     },
     9.0, 11.0},
    {"BlastHitsEnemy",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.BlastHitsEnemy(Place<EnemyRecord>(a, 7.0, 7.0), Place<EnemyRecord>(b, 1.0, 2.0));
     },
     51.0, 52.0},
    {"HazardHitsPlayer",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.HazardHitsPlayer(Place<SpaceItem>(a, 4.0, 2.0), PlayerAt(b));
     },
     4.5, 2.5},
    {"PlayerShotHitsStarItem",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.PlayerShotHitsStarItem(Place<SpaceItem>(a, 3.0, 1.0), Place<PlayerShot>(b));
     },
     8.0, 6.0},
    {"ItemTouchesPlayer",
     [](const CollisionTests& t, Pos a, Pos b) {
         return t.ItemTouchesPlayer(Place<PickupRecord>(a, 5.0, 2.0), PlayerAt(b));
     },
     5.5, 2.5},
    {"BigBulletHitsPlayer",
     [](const CollisionTests& t, Pos a, Pos b) {
         PlayerState player = PlayerAt(b);
         player.rv = 1.0;
         return t.BigBulletHitsPlayer(Place<BossBullet>(a, 9.0, 9.0), player);
     },
     1.5, 2.0},
};

class CircleShapes : public ::testing::TestWithParam<CircleCase> {
protected:
    bool Hit(Pos offset) const { return GetParam().test(tests_, kBase + offset, kBase); }
    static constexpr Pos kBase{3.0, -2.0, 40.0};
    const CollisionTests tests_{};
};

TEST_P(CircleShapes, TouchingIsNoHitAndJustInsideIs) {
    const double h = GetParam().reachH, v = GetParam().reachV;
    const double side = std::min(h, v);  // dx counts in both planes
    EXPECT_TRUE(Hit({0.0, 0.0, 0.0}));
    for (double sign : {1.0, -1.0}) {
        EXPECT_FALSE(Hit({0.0, 0.0, sign * h}));
        EXPECT_TRUE(Hit({0.0, 0.0, sign * (h - 0.25)}));
        EXPECT_FALSE(Hit({0.0, sign * v, 0.0}));
        EXPECT_TRUE(Hit({0.0, sign * (v - 0.25), 0.0}));
        EXPECT_FALSE(Hit({sign * side, 0.0, 0.0}));
        EXPECT_TRUE(Hit({sign * (side - 0.25), 0.0, 0.0}));
    }
}

TEST_P(CircleShapes, CrossedCylindersNotASphere) {
    const double h = GetParam().reachH, v = GetParam().reachV;
    // Near both rims at once: a sphere of either radius would miss, the two plane circles both hold.
    EXPECT_TRUE(Hit({0.0, v - 0.25, h - 0.25}));
    // Each plane alone is not enough.
    EXPECT_FALSE(Hit({0.0, 0.0, 10.0 * h}));
    EXPECT_FALSE(Hit({0.0, 10.0 * v, 0.0}));
}

TEST_P(CircleShapes, NaNNeverHits) {
    for (int axis = 0; axis < 3; ++axis) {
        Pos nan{0.0, 0.0, 0.0};
        (axis == 0 ? nan.x : axis == 1 ? nan.y : nan.z) = kNaN;
        EXPECT_FALSE(Hit(nan)) << "axis " << axis;
        EXPECT_FALSE(GetParam().test(tests_, kBase, kBase + nan)) << "axis " << axis;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMember, CircleShapes, ::testing::ValuesIn(kCircleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CollisionTests, ShotLevelWithThePlayerButFarToTheSideMisses) {
    const CollisionTests tests;
    const PlayerState player = PlayerAt({0.0, 0.0, 15.0});
    // A wide shot (ground reach 5.5) whose screen-plane reach is 1.5: level with the player at dx = 3 the
    // ground circles overlap and the vertical radii overlap, but the screen-plane circles do not.
    EXPECT_FALSE(tests.EnemyShotHitsPlayer(Place<EnemyShotRecord>({3.0, 0.0, 15.0}, 5.0, 1.0), player));
    EXPECT_TRUE(tests.EnemyShotHitsPlayer(Place<EnemyShotRecord>({1.25, 0.0, 15.0}, 5.0, 1.0), player));
}

TEST(CollisionTests, EnemyShotFarAheadAtThePlayersHeightMisses) {
    const CollisionTests tests;
    EXPECT_FALSE(tests.EnemyShotHitsPlayer(Place<EnemyShotRecord>({0.0, 0.0, 100.0}), PlayerAt({0.0, 0.0, 15.0})));
}

// The building box: its half-extents against the player's 0.5 on each axis, touching included.
TEST(CollisionTests, BuildingBoxTouchingIsAHitOnEveryFace) {
    const CollisionTests tests;
    BuildingItem building;
    building.x = 10.0f;
    building.y = 4.0f;
    building.z = 50.0f;
    building.halfX = 2.0;
    building.halfY = 3.0;
    building.halfZ = 5.0;
    const Pos centre{10.0, 4.0, 50.0};
    const double touch[3] = {2.5, 3.5, 5.5};
    for (int axis = 0; axis < 3; ++axis) {
        for (double sign : {1.0, -1.0}) {
            Pos touching = centre, apart = centre;
            double* t = axis == 0 ? &touching.x : axis == 1 ? &touching.y : &touching.z;
            double* a = axis == 0 ? &apart.x : axis == 1 ? &apart.y : &apart.z;
            *t += sign * touch[axis];
            *a += sign * (touch[axis] + 0.25);
            EXPECT_TRUE(tests.BuildingHitsPlayer(building, PlayerAt(touching))) << axis << " " << sign;
            EXPECT_FALSE(tests.BuildingHitsPlayer(building, PlayerAt(apart))) << axis << " " << sign;
        }
    }
    EXPECT_FALSE(tests.BuildingHitsPlayer(building, PlayerAt({kNaN, 4.0, 50.0})));
    EXPECT_FALSE(tests.BuildingHitsPlayer(building, PlayerAt({10.0, kNaN, 50.0})));
    EXPECT_FALSE(tests.BuildingHitsPlayer(building, PlayerAt({10.0, 4.0, kNaN})));
    building.halfY = kNaN;
    EXPECT_FALSE(tests.BuildingHitsPlayer(building, PlayerAt(centre)));
}

}  // namespace

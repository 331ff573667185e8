#include "collision/collision_tests.h"
#include "core/angles.h"

#include <cmath>
#include <numbers>

// Every comparison is written so that it holds only for a real overlap: a NaN makes it false and the
// test misses, never hits.

namespace {

// The depth of the player's flight plane, where bars lie.
constexpr double kPlayerPlaneZ = 15.0;

struct Point {
    double x, y, z;
};

template <class Record>
Point At(const Record& r) {
    return {r.x, r.y, r.z};
}

Point At(const BuildingItem& b) { return {b.x, b.y, b.z}; }

double Sq(double v) { return v * v; }

bool Between(double low, double v, double high) { return low < v && v < high; }

// Two crossed cylinders rather than a sphere: the circles in the ground plane (xz) must overlap first, then
// the circles in the screen plane (xy).
bool TwoPlaneCircles(Point a, Point b, double reachH, double reachV) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    if (!(Sq(reachH) > Sq(dx) + Sq(dz))) return false;
    return Sq(reachV) > Sq(dx) + Sq(dy);
}

bool ScreenCircle(Point a, Point b, double reach) { return Sq(reach) > Sq(a.x - b.x) + Sq(a.y - b.y); }

// Closed intervals: touching still overlaps.
bool Overlaps(double centreA, double halfA, double centreB, double halfB) {
    return centreB - halfB <= centreA + halfA && centreB + halfB >= centreA - halfA;
}

// Within the player's height, with the bounds the wrong way round a NaN would slip through.
bool WithinOneOfHeight(double y, const PlayerState& player) { return player.y + 1.0 > y && player.y - 1.0 < y; }

}  // namespace

bool CollisionTests::PlayerShotHitsEnemy(PlayerShot shot, EnemyRecord enemy) const {
    return TwoPlaneCircles(At(shot), At(enemy), shot.rh + enemy.rh, shot.rv + enemy.rv);
}

bool CollisionTests::PlayerShotHitsBoss(PlayerShot shot, BodyRecord boss) const {
    return TwoPlaneCircles(At(shot), At(boss), shot.rh + boss.rh, shot.rv + boss.rv);
}

bool CollisionTests::EnemyShotHitsPlayer(EnemyShotRecord shot, PlayerState player) const {
    return TwoPlaneCircles(At(shot), At(player), shot.rh + player.rh, shot.rv + player.rv);
}

bool CollisionTests::EnemyShotHitsPlayer(BossBullet bullet, PlayerState player) const {
    return TwoPlaneCircles(At(bullet), At(player), bullet.rh + player.rh, bullet.rv + player.rv);
}

bool CollisionTests::EnemyHitsPlayer(EnemyRecord enemy, PlayerState player) const {
    return TwoPlaneCircles(At(enemy), At(player), enemy.rh + player.rh, enemy.rv + player.rv);
}

bool CollisionTests::BuildingStopsEnemyShot(BuildingItem building, EnemyShotRecord shot) const {
    constexpr double kGroundReach = 9.0;
    constexpr double kScreenReach = 11.0;
    return TwoPlaneCircles(At(building), At(shot), kGroundReach, kScreenReach);
}

bool CollisionTests::BlastHitsEnemy(EnemyRecord centre, EnemyRecord enemy) const {
    constexpr double kBlastReach = 50.0;
    return TwoPlaneCircles(At(centre), At(enemy), kBlastReach + enemy.rh, kBlastReach + enemy.rv);
}

bool CollisionTests::AlwaysHit(BodyRecord) const { return true; }

bool CollisionTests::BuildingHitsPlayer(BuildingItem building, PlayerState player) const {
    const Point b = At(building);
    return Overlaps(b.z, building.halfZ, player.z, player.rz) && Overlaps(b.y, building.halfY, player.y, player.rv) &&
           Overlaps(b.x, building.halfX, player.x, player.rh);
}

bool CollisionTests::HazardHitsPlayer(SpaceItem item, PlayerState player) const {
    return TwoPlaneCircles(At(item), At(player), item.rh + player.rh, item.rv + player.rv);
}

bool CollisionTests::PlayerShotHitsStarItem(SpaceItem item, PlayerShot shot) const {
    return TwoPlaneCircles(At(item), At(shot), item.rh + shot.rh, item.rv + shot.rv);
}

bool CollisionTests::FlowerHitsPlayer(PetalItem flower, PlayerState player) const {
    if (!Between(player.z - player.rz, flower.z, player.z + player.rz)) return false;
    return ScreenCircle(At(flower), At(player), flower.rv + player.rv);
}

bool CollisionTests::ItemTouchesPlayer(PickupRecord item, PlayerState player) const {
    return TwoPlaneCircles(At(item), At(player), item.rh + player.rh, item.rv + player.rv);
}

bool CollisionTests::RingHitsPlayer(BossBullet ring, PlayerState player) const {
    constexpr double kHoleRadius = 3.0;
    if (!Between(player.z - player.rz, ring.z, player.z + player.rz)) return false;
    const double d = std::sqrt(Sq(ring.x - player.x) + Sq(ring.y - player.y));
    return d < ring.rv + player.rv && d > kHoleRadius;
}

bool CollisionTests::OffsetPointHitsPlayer25(BodyRecord boss, BossBullet bullet, PlayerState player) const {
    constexpr double kOrbit = 25.0;
    constexpr double kReach = 2.0;
    const double px = boss.x + kOrbit * std::sin(bullet.yaw);
    const double pz = boss.z + kOrbit * std::cos(bullet.yaw);
    if (!WithinOneOfHeight(bullet.y, player)) return false;
    return Sq(player.rh + kReach) > Sq(px - player.x) + Sq(pz - player.z);
}

bool CollisionTests::BulletHitsPlayerFlat(BossBullet bullet, PlayerState player) const {
    return ScreenCircle(At(bullet), At(player), bullet.rv + player.rv);
}

bool CollisionTests::BigBulletHitsPlayer(BossBullet bullet, PlayerState player) const {
    constexpr double kBulletRadius = 1.0;
    return TwoPlaneCircles(At(bullet), At(player), kBulletRadius + player.rh, kBulletRadius + player.rv);
}

bool CollisionTests::OffsetPointHitsPlayer5(BossBullet bullet, PlayerState player) const {
    constexpr double kOffset = 5.0;
    constexpr double kGroundReach = 5.0;
    constexpr double kScreenReach = 3.0;
    const Point p{bullet.x + kOffset * std::cos(bullet.yaw), bullet.y + kOffset * std::sin(bullet.pitch),
                  bullet.z + kOffset * std::sin(bullet.yaw)};
    return TwoPlaneCircles(p, At(player), player.rh + kGroundReach, player.rv + kScreenReach);
}

bool CollisionTests::BarHitsPlayer(BossBullet bar, PlayerState player) const {
    constexpr double kReach = 0.5;
    if (!WithinOneOfHeight(bar.y, player)) return false;
    return Sq(player.rh + kReach) > Sq(bar.x - player.x) + Sq(kPlayerPlaneZ - player.z);
}

bool CollisionTests::BulletInSlabHitsPlayer(BossBullet bullet, PlayerState player) const {
    if (!ScreenCircle(At(bullet), At(player), bullet.rv + player.rv)) return false;
    return Between(bullet.z - bullet.rz, player.z, bullet.z + bullet.rz);
}

bool CollisionTests::BeamHitsPlayer(BossBullet beam, PlayerState player) const {
    constexpr double kDepthWindow = 2.0;
    constexpr double kReach = 1.0;
    constexpr int kHalfLength = 20;
    const double gap = (beam.z - beam.rz) - (player.z + player.rz);
    if (!Between(-kDepthWindow, gap, kDepthWindow)) return false;
    const double slope = std::sin(beam.roll * kRadiansPerDegree);
    const double reach = Sq(player.rv + kReach);
    for (int k = -kHalfLength; k < kHalfLength; ++k) {
        if (Sq(k - player.x) + Sq(k * slope - player.y) < reach) return true;
    }
    return false;
}

bool CollisionTests::RadarProjection(float screenX, float screenY, PlayerState player, EnemyRecord enemy, float* markX,
                                     float* markY) const {
    constexpr double kRange = 150.0;
    constexpr double kHalfWidth = 20.0;
    constexpr double kPixelsPerUnitX = 4.0;
    constexpr double kPixelsPerUnitZ = 0.5;
    const double dx = player.x - enemy.x;
    const double dz = player.z - enemy.z;
    if (!(Sq(dx) + Sq(dz) < Sq(kRange)) || !(std::fabs(dx) < kHalfWidth)) return false;
    *markX = static_cast<float>(screenX - kPixelsPerUnitX * dx);
    *markY = static_cast<float>(screenY - kPixelsPerUnitZ * (enemy.z - player.z));
    return true;
}

#pragma once
// Every hit test of the game. Each takes full copies of its records and answers one pair; the callers walk
// their own lists and apply the consequences. Touching is never a hit (the building box excepted), and a
// NaN anywhere in what a test compares is never a hit either.

#include "collision/body_record.h"
#include "collision/boss_bullet.h"
#include "collision/enemy_record.h"
#include "collision/enemy_shot_record.h"
#include "collision/pickup_record.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "collision/scenery_items.h"

class CollisionTests {
public:
    bool PlayerShotHitsEnemy(PlayerShot shot, EnemyRecord enemy) const;
    bool PlayerShotHitsBoss(PlayerShot shot, BodyRecord boss) const;
    // Boss bullets keep their position and radii where enemy shots do, and obey the same rule.
    bool EnemyShotHitsPlayer(EnemyShotRecord shot, PlayerState player) const;
    bool EnemyShotHitsPlayer(BossBullet bullet, PlayerState player) const;
    bool EnemyHitsPlayer(EnemyRecord enemy, PlayerState player) const;
    // The building's own size is not used: a fixed reach around its position stops the shot.
    bool BuildingStopsEnemyShot(BuildingItem building, EnemyShotRecord shot) const;
    // Only the centre's position is read; the blast reaches 50 beyond the enemy's radii.
    bool BlastHitsEnemy(EnemyRecord centre, EnemyRecord enemy) const;
    // For the bomb's strike on a locked-on boss, which cannot miss.
    bool AlwaysHit(BodyRecord boss) const;
    bool BuildingHitsPlayer(BuildingItem building, PlayerState player) const;
    bool HazardHitsPlayer(SpaceItem item, PlayerState player) const;
    bool PlayerShotHitsStarItem(SpaceItem item, PlayerShot shot) const;
    bool FlowerHitsPlayer(PetalItem flower, PlayerState player) const;
    bool ItemTouchesPlayer(PickupRecord item, PlayerState player) const;
    // Only the rim hurts: the hole in the middle has radius 3.
    bool RingHitsPlayer(BossBullet ring, PlayerState player) const;
    // The point circling the boss at radius 25 along the bullet's yaw, at the bullet's height.
    bool OffsetPointHitsPlayer25(BodyRecord boss, BossBullet bullet, PlayerState player) const;
    bool BulletHitsPlayerFlat(BossBullet bullet, PlayerState player) const;
    bool BigBulletHitsPlayer(BossBullet bullet, PlayerState player) const;
    // The point 5 units from the bullet along its yaw and pitch.
    bool OffsetPointHitsPlayer5(BossBullet bullet, PlayerState player) const;
    // A bar at the bullet's height lying across the player's flight plane.
    bool BarHitsPlayer(BossBullet bar, PlayerState player) const;
    bool BulletInSlabHitsPlayer(BossBullet bullet, PlayerState player) const;
    // A straight beam through the screen centre whose slope follows the bullet's roll (degrees).
    bool BeamHitsPlayer(BossBullet beam, PlayerState player) const;

    // Where the radar draws an enemy: false when it is out of range; otherwise the mark's position relative
    // to the radar point (screenX, screenY) is written to markX and markY.
    bool RadarProjection(float screenX, float screenY, PlayerState player, EnemyRecord enemy, float* markX,
                         float* markY) const;
};

#pragma once
// The ship the user flies: control and movement in the plane z = 15, the dash with its meter and
// sparks, the tilt and roll, the glide to the centre of a confined flight, the hit checks against
// everything that can hurt it, and its drawing (mesh, flames or light wings, sparks). Its weapons,
// pickups, sight and damage flash are members. It has one life bar and no spare lives.

#include <array>
#include <cstdint>
#include <vector>

#include "core/input_state.h"
#include "core/keyframe_track.h"
#include "core/step_track.h"
#include "collision/body_record.h"
#include "collision/collision_tests.h"
#include "effects/damage_flash.h"
#include "hud/sight.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "player/homing_bomb.h"
#include "player/main_gun.h"
#include "player/pickups.h"
#include "collision/player_state.h"
#include "collision/ship_life.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class Explosion;
struct EnemyRecord;
struct EnemyShotRecord;
struct BuildingItem;
struct SpaceItem;
struct PetalItem;

class Player : public Drawable, public ShipLife {
public:
    static constexpr int kSparkCount = 20;
    static constexpr std::int32_t kDashLimit = 157;
    static constexpr std::int32_t kShotDamage = 5;
    static constexpr std::int32_t kBodyDamage = 15;
    static constexpr double kTiltLimit = 45.0;

    // The ship's own: its mesh, the dash sparks, the flames and the light wings. Its weapons, pickups
    // and flash load theirs after these (AppendAssets gives them all in that order).
    static constexpr std::array<AssetRef, 4> kAssets{MeshAsset("x\\plu2c.x"), PictureAsset("t\\dashspark.png"),
                                                     PictureAsset("t\\booster 2.png"),
                                                     PictureAsset("t\\lightwing.png")};
    // Everything Load loads but the sight's pictures, in its order.
    static void AppendAssets(std::vector<platform::PrefetchItem>* out);

    Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    bool Load();
    void ResetForNewGame(std::uint32_t now);
    void ResetForStage(std::uint32_t now);

    // The frame's button codes, stored as given.
    void SetInput(const InputState& input) { codes_ = input; }
    // The main gun's expiry, then the controls and the movement, and the aim points for the sight;
    // keeps the ship as this frame shows it.
    void Control(std::uint32_t now);
    // The ship's mesh as Control kept it.
    void DrawShip() const;
    // The weapons (shots, firing, bomb arming and expiry) and the pickups.
    void Weapons(std::uint32_t now);
    // Shots, bomb and pickups as Weapons kept them.
    void DrawWeapons() const;
    // The dash sparks, the flames or light wings and the ring sparkles take their places around the ship.
    void StepTrail(std::uint32_t now);
    // Sparks, flames or wings and sparkles as StepTrail placed them.
    void DrawTrail() const;
    // The crosshairs, inside the game frame's first sprite bracket.
    void DrawSight();
    // The damage flash: its step retires it once its time is over; its draw goes inside the game
    // frame's second sprite bracket.
    void StepFlash(std::uint32_t now) { flash_.Step(now); }
    void DrawFlash() const { flash_.Draw(); }
    // Every hit this frame. bodyHit is the enemy manager's flag (read and cleared here); shakeRequest
    // is the camera director's, raised on every hit.
    void CheckHits(std::uint32_t now, std::uint8_t* bodyHit, std::uint8_t* shakeRequest);
    // While the bomb is armed: the nearest enemy and the bosses' lock-on target.
    void LaunchBomb(std::uint32_t now, const std::vector<EnemyRecord>& enemies, const std::vector<BodyRecord>& bosses);

    // The one writer of the ship's life: damage stops at 0, healing at full.
    void Damage(std::int32_t amount) override;
    void Heal(std::int32_t amount) override;

    // What may hit the ship, registered once at load.
    void AddEnemy(const EnemyRecord* enemy) { enemies_.push_back(enemy); }
    void AddEnemyShot(EnemyShotRecord* shot) { enemyShots_.push_back(shot); }
    void AddBuilding(BuildingItem* building) { buildings_.push_back(building); }
    void AddRock(SpaceItem* rock) { rocks_.push_back(rock); }
    void AddStarItem(SpaceItem* item) { starItems_.push_back(item); }
    void AddPetal(PetalItem* petal) { petals_.push_back(petal); }
    // The program-wide explosion, spawned where a star-field item is shot down.
    void SetExplosion(Explosion* explosion) { explosion_ = explosion; }

    const PlayerState& State() const { return state_; }
    // The record whose address the sceneries and the bosses keep.
    PlayerState* StateRecord() { return &state_; }
    const std::int32_t* DashingFlag() const { return &dashing_; }
    std::int32_t Dashing() const { return dashing_; }
    std::uint8_t DashReady() const { return dashReady_; }
    MainGun& Gun() { return gun_; }
    const MainGun& Gun() const { return gun_; }
    HomingBomb& Bomb() { return bomb_; }
    Pickups& Items() { return pickups_; }
    Sight& Crosshairs() { return sight_; }
    const DamageFlash& Flash() const { return flash_; }
    DamageFlash& Flash() { return flash_; }

private:
    struct Spark {
        double x = 0.0, y = 0.0, z = 0.0;
        double angle = 0.0;
        double alpha = 0.0;
        std::uint8_t active = 0;
    };
    // The ship's attitude and place, as drawn.
    struct Pose {
        double x = 0.0, y = 0.0, z = 0.0;
        double yaw = 0.0, pitch = 0.0, roll = 0.0;
    };
    struct FlameQuad {
        double x = 0.0, y = 0.0, z = 0.0;
        double yaw = 0.0, pitch = 0.0, roll = 0.0;
        double u = 0.0, v = 0.0;
        std::uint8_t active = 0;
    };

    void ResetCommon(std::uint32_t now);
    void Controls(std::uint32_t now);
    void Movement(std::uint32_t now);
    void StartDashSparks(std::uint32_t now);
    void EndDash(std::uint32_t now);
    void PlaceSparks(std::uint32_t now);
    void PlaceFlames(std::uint32_t now);
    void DrawSparks() const;
    void DrawFlames() const;
    void UpdateAimPoints();
    // Sound, flash, shake and the life lost, for any hit.
    void TakeHit(std::uint32_t now, std::int32_t damage, std::uint8_t* shakeRequest);
    bool Guarded(std::uint32_t now) const;

    PlayerState state_;
    MeshResource mesh_;
    platform::TexturePtr sparkPicture_;
    platform::TexturePtr flamePicture_;
    platform::TexturePtr wingPicture_;
    platform::VertexBufferPtr sparkQuad_;
    platform::VertexBufferPtr flameQuad_;

    KeyframeTrack pitchTrack_;
    KeyframeTrack yawTrack_;
    KeyframeTrack rollTrack_;
    KeyframeTrack wobble_;
    KeyframeTrack sparkRadius_[kSparkCount];
    KeyframeTrack sparkAlpha_[kSparkCount];
    Spark sparks_[kSparkCount];
    // Whether spark i takes part in this frame's picture (its radius has not yet run out).
    std::array<bool, kSparkCount> sparkShown_{};
    FlameQuad flames_[2];
    // Light wings rather than flames: the dash as it stood when the flames were placed.
    bool wingsShown_ = false;
    // The ship as Control left it, and whether it and its trail are drawn (a wreck shows neither).
    Pose shipShown_;
    bool aliveShown_ = false;
    bool trailShown_ = false;
    StepTrack flameU_;
    StepTrack flameV_;
    KeyframeTrack glideX_;
    KeyframeTrack glideY_;
    // 1 while the glide runs. The centring byte also freezes the buttons for a boss's capture, which must
    // not glide.
    std::uint8_t gliding_ = 0;

    double tiltStep_ = 0.8;
    std::int32_t dashing_ = 0;
    std::uint8_t dashReady_ = 1;
    // Set while a dash runs; the tilt does not build up meanwhile.
    std::uint8_t dashRunning_ = 0;
    std::uint8_t moved_ = 0;
    InputState codes_{};

    MainGun gun_;
    HomingBomb bomb_;
    Pickups pickups_;
    Sight sight_;
    CollisionTests collision_;
    DamageFlash flash_;
    Explosion* explosion_ = nullptr;

    std::vector<const EnemyRecord*> enemies_;
    std::vector<EnemyShotRecord*> enemyShots_;
    std::vector<BuildingItem*> buildings_;
    std::vector<SpaceItem*> rocks_;
    std::vector<SpaceItem*> starItems_;
    std::vector<PetalItem*> petals_;
};

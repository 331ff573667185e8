#include "player/homing_bomb.h"

#include "core/registry.h"
#include "platform/core/clock.h"
#include "player/shot_flight.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"

HomingBomb::HomingBomb() : bomb_(ClearedBomb()) {}

PlayerShot HomingBomb::ClearedBomb() {
    PlayerShot bomb;
    bomb.damage = PlayerShot::kBombDamage;
    bomb.rh = bomb.rv = bomb.rz = PlayerShot::kBombExtent;
    return bomb;
}

bool HomingBomb::Load() {
    if (!MeshLoad(kAssets[0].path, &mesh_, *this, 1.0f)) return LoadFailed(*this, "atack03ロスト");
    return true;
}

void HomingBomb::Reset() {
    bomb_ = ClearedBomb();
    codes_ = InputState{};
    armed_ = 0;
    blast_ = 0;
    fresh_ = true;
    centre_ = EnemyRecord{};
    shown_.reset();
}

std::int32_t HomingBomb::SinceArrival(std::uint32_t now) const {
    return static_cast<std::int32_t>(now - (trackZ_.Start() + trackZ_.Duration()));
}

void HomingBomb::Update(std::uint32_t now, const InputState& codes, const PlayerState& ship) {
    codes_ = codes;
    if (codes.button3 != kInputButton3 || ship.bombs <= 0 || Flying()) return;
    // Compared signed: while a bomb is on its way its arrival lies ahead, which must never count as
    // long past.
    if (fresh_ || SinceArrival(now) > static_cast<std::int32_t>(kBlastMs)) armed_ = 1;
}

bool HomingBomb::CanLaunch(double targetZ, const PlayerState& ship) const {
    return armed_ && !Flying() && ship.bombs > 0 && targetZ > 0.0 && targetZ < kReach;
}

void HomingBomb::Fly(std::uint32_t now, double x, double y, double z, double burstZ, PlayerState& ship) {
    bomb_ = ClearedBomb();
    bomb_.x = ship.x;
    bomb_.y = ship.y;
    bomb_.z = ship.z;
    bomb_.yaw = ship.yaw;
    bomb_.pitch = ship.pitch;
    bomb_.roll = ship.roll;
    bomb_.active = 1;
    AimTrackEased(trackX_, ship.x, x, kSideFlightMs, now);
    AimTrackEased(trackY_, ship.y, y, kSideFlightMs, now);
    AimTrackEased(trackZ_, ship.z, burstZ, kDepthFlightMs, now);
    ship.bombs -= 1;
    fresh_ = false;
    centre_ = EnemyRecord{};
    centre_.x = x;
    centre_.y = y;
    centre_.z = z;
}

bool HomingBomb::LaunchAtEnemies(std::uint32_t now, const std::vector<EnemyRecord>& targets, PlayerState& ship) {
    const bool launch = !targets.empty() && CanLaunch(targets.front().z, ship);
    if (launch) {
        const EnemyRecord& t = targets.front();
        Fly(now, t.x, t.y, t.z, t.z, ship);
    }
    armed_ = 0;
    return launch;
}

bool HomingBomb::LaunchAtBoss(std::uint32_t now, const std::vector<BodyRecord>& targets, PlayerState& ship) {
    const bool launch = !targets.empty() && CanLaunch(targets.front().z, ship);
    if (launch) {
        const BodyRecord& t = targets.front();
        Fly(now, t.x, t.y, t.z, ship.z + kBossBurstAhead, ship);
    }
    armed_ = 0;
    return launch;
}

bool HomingBomb::Launch(std::uint32_t now, const std::vector<EnemyRecord>& enemies,
                        const std::vector<BodyRecord>& bosses, PlayerState& ship) {
    return IsBossBattleActive() ? LaunchAtBoss(now, bosses, ship) : LaunchAtEnemies(now, enemies, ship);
}

void HomingBomb::Expire(std::uint32_t now) {
    if (Flying() && SinceArrival(now) >= 0) {
        bomb_ = ClearedBomb();
        blast_ = 1;
    }
    if (blast_ && SinceArrival(now) >= static_cast<std::int32_t>(kBlastMs)) blast_ = 0;
}

void HomingBomb::Step(std::uint32_t now) {
    shown_.reset();
    if (!Flying() || SinceArrival(now) >= 0) return;
    FollowTracks(bomb_, trackX_, trackY_, trackZ_, now);
    shown_ = bomb_;
}

void HomingBomb::Draw() const {
    if (!shown_) return;
    ScopedDrawState state(GetDevice(), draw_state::kAlphaBlend);
    DrawShotMesh(*this, mesh_, *shown_);
}

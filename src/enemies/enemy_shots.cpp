#include "enemies/enemy_shots.h"

#include <cmath>

#include "enemies/facing.h"
#include "platform/core/random.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"

namespace {

void SetFlight(KeyframeTrack& track, double from, double to, std::uint32_t ms, std::uint32_t now) {
    track.SetKey(0, 0.0f, static_cast<float>(from));
    track.SetKey(1, 1.0f, static_cast<float>(to));
    track.SetDuration(ms);
    track.SetLooping(0);
    track.SetStart(now);
}

void SetResting(KeyframeTrack& track, double value) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, static_cast<float>(value));
    track.SetKey(1, 1.0f, static_cast<float>(value));
    track.SetDuration(0);
    track.SetLooping(0);
    track.SetStart(0);
}

}  // namespace

bool EnemyShots::LoadModel() {
    if (!MeshLoad(kAssets[0].path, &mesh_, *this, 1.0f)) return LoadFailed(*this, "enemyatack02Xfileロスト");
    return true;
}

void EnemyShots::AddShot(const EnemyShotRecord& record) {
    shots_.push_back(record);
    launched_.push_back(0);
    fx_.emplace_back();
    fy_.emplace_back();
    fz_.emplace_back();
}

void EnemyShots::SetRestingKeys() {
    for (std::size_t i = 0; i < shots_.size(); ++i) {
        SetResting(fx_[i], shots_[i].x);
        SetResting(fy_[i], shots_[i].y);
        SetResting(fz_[i], shots_[i].z);
    }
}

bool EnemyShots::ReadyToFire(std::size_t i, std::uint32_t now) const {
    if (!launched_[i]) return true;
    const KeyframeTrack& z = fz_[i];
    return static_cast<std::int32_t>(now - z.Start() - z.Duration()) >= 0;
}

void EnemyShots::Launch(std::size_t i, const EnemyRecord& enemy, const PlayerState& ship, std::uint32_t now) {
    EnemyShotRecord& shot = shots_[i];
    const double d = enemy.z - kFarPlane;
    double tx = enemy.x;
    double ty = enemy.y;
    if (enemy.fireKind == kAimed) {
        const Facing f = FacingTowards(enemy.x, enemy.y, enemy.z, ship.x, ship.y, ship.z);
        shot.yaw = f.yaw;
        shot.pitch = f.pitch;
        // The angles serve directly as slopes, with a small scatter of whole units.
        tx = enemy.x - d * f.yaw + static_cast<double>(platform::Rand() % 6);
        ty = enemy.y + d * f.pitch + static_cast<double>(platform::Rand() % 6);
    } else {
        shot.yaw = enemy.yaw;
        shot.pitch = enemy.pitch;
        tx = enemy.x + std::sin(-enemy.yaw) * d;
        ty = enemy.y + std::sin(enemy.pitch) * d;
    }
    shot.roll = 0.0;
    shot.x = enemy.x;
    shot.y = enemy.y;
    shot.z = enemy.z;
    shot.active = 1;
    launched_[i] = 1;
    const double dx = enemy.x - tx;
    const double dy = enemy.y - ty;
    const auto ms = static_cast<std::uint32_t>(std::sqrt(d * d + dx * dx + dy * dy) * kMsPerUnit);
    SetFlight(fx_[i], enemy.x, tx, ms, now);
    SetFlight(fy_[i], enemy.y, ty, ms, now);
    SetFlight(fz_[i], enemy.z, kEndDepth, ms, now);
}

void EnemyShots::Place(std::uint32_t now) {
    shown_.clear();
    for (std::size_t i = 0; i < shots_.size(); ++i) {
        EnemyShotRecord& shot = shots_[i];
        if (!shot.active || !launched_[i]) continue;
        shot.x = Enemy::FlightValue(fx_[i], now, shot.x);
        shot.y = Enemy::FlightValue(fy_[i], now, shot.y);
        shot.z = Enemy::FlightValue(fz_[i], now, shot.z);
        shown_.push_back({shot.x, shot.y, shot.z, shot.yaw, shot.pitch, shot.roll});
    }
}

void EnemyShots::Draw() const {
    ScopedDrawState state(device_, draw_state::kOpaque);
    for (const EnemyPose& pose : shown_) DrawEnemyMesh(device_, mesh_, pose);
}

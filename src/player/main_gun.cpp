#include "player/main_gun.h"

#include <cmath>

#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "player/shot_flight.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"

namespace {

// The shot leaves 3 units ahead of the ship and ends 180 further on.
constexpr double kMuzzle = 3.0;
constexpr double kReach = 180.0;

}  // namespace

MainGun::MainGun() = default;

bool MainGun::Load() {
    if (!MeshLoad(kAssets[0].path, &mesh_, *this, 1.0f)) return LoadFailed(*this, "atack02ロスト");
    return true;
}

void MainGun::Reset() {
    for (PlayerShot& shot : shots_) shot = PlayerShot{};
    shownCount_ = 0;
}

int MainGun::Fire(std::uint32_t now, const InputState& codes, const PlayerState& ship) {
    if (codes.button1 != kInputButton1) return -1;
    for (int i = 0; i < kPoolSize; ++i) {
        PlayerShot& shot = shots_[static_cast<std::size_t>(i)];
        if (shot.active) continue;
        shot = PlayerShot{};
        shot.x = ship.x;
        shot.y = ship.y;
        shot.z = ship.z;
        shot.yaw = ship.yaw;
        shot.pitch = ship.pitch;
        shot.roll = ship.roll;
        // A shot fired by a wrecked ship never flies.
        shot.active = ship.alive;
        const double yaw = ship.yaw * kShotRadians;
        const double pitch = -ship.pitch * kShotRadians;
        const auto k = static_cast<std::size_t>(i);
        AimTrack(trackX_[k], ship.x + kMuzzle * std::sin(yaw), ship.x + kReach * std::tan(yaw), kFlightMs, now);
        AimTrack(trackY_[k], ship.y + kMuzzle * std::sin(pitch), ship.y + kReach * std::tan(pitch), kFlightMs, now);
        AimTrackEased(trackZ_[k], ship.z + kMuzzle, ship.z + kMuzzle + kReach, kFlightMs, now);
        return i;
    }
    return -1;
}

void MainGun::Expire(std::uint32_t now) {
    for (std::size_t i = 0; i < shots_.size(); ++i) {
        const KeyframeTrack& z = trackZ_[i];
        if (z.Count() == 0) continue;  // never fired since the game started
        if (static_cast<std::int32_t>(now - z.Start()) >= static_cast<std::int32_t>(kLifeMs)) shots_[i] = PlayerShot{};
    }
}

void MainGun::Step(std::uint32_t now) {
    shownCount_ = 0;
    for (std::size_t i = 0; i < shots_.size(); ++i) {
        PlayerShot& shot = shots_[i];
        if (!shot.active) continue;
        FollowTracks(shot, trackX_[i], trackY_[i], trackZ_[i], now);
        shown_[static_cast<std::size_t>(shownCount_++)] = shot;
    }
}

void MainGun::Draw() const {
    ScopedDrawState state(GetDevice(), draw_state::kAlphaBlend);
    for (int i = 0; i < shownCount_; ++i) DrawShotMesh(*this, mesh_, shown_[static_cast<std::size_t>(i)]);
}

int MainGun::ActiveCount() const {
    int n = 0;
    for (const PlayerShot& shot : shots_) n += shot.active ? 1 : 0;
    return n;
}

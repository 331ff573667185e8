// The last boss's placing steps. Each places its records for the frame (the controller tests them where
// these steps leave them) and lists the parts they show.

#include <cmath>

#include "core/track_value.h"
#include "bosses/lboss04.h"
#include "core/play_once.h"
#include "core/angles.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"

using namespace platform;

namespace {

constexpr double kCircleRadius = 8.0;
// The fixed circles stand just behind the body, the dark circles in front of it.
constexpr double kCircleBehind = 2.0;
constexpr double kDarkCircleDepth = 37.0;
constexpr double kHoleX = 0.0;
constexpr double kHoleY = 5.0;
constexpr double kHoleAhead = 4.0;
constexpr double kHoleScale = 2.0;
constexpr double kLaserAlpha = 0.5;
constexpr double kLaserFactor = 128.0 / 255.0;
constexpr double kStreamFactor = 204.0 / 255.0;
constexpr double kLanceRestSide = 5.0;
constexpr double kLanceRestDrop = 1.0;
constexpr double kLanceSwing = 5.0;
// Nearer than this an eye shot has reached the ship's plane and shows as a flash.
constexpr double kEyeShotFlashDepth = 16.0;

float F(double v) { return static_cast<float>(v); }

}  // namespace

void Lboss04::ShowSlot(SpriteSlot slot, double x, double y, double z, double scaleX, double scaleY, double alpha) {
    SpriteRecord& sprite = sprites_[slot];
    if (!sprite.texture) return;
    QuadPlacement placement;
    placement.x = x;
    placement.y = y;
    placement.z = z;
    placement.scaleX = scaleX;
    placement.scaleY = scaleY;
    placement.factor = FadeColour(alpha);
    // Their see-through edges must not hide what is drawn behind them later.
    ShowFlipbook(sprite.quad.get(), sprite.texture.get(), placement, draw_state::kNoDepthWrite);
}

void Lboss04::ShowMeshAt(const BossMesh& mesh, const Matrix& world, double factor, double alpha) {
    // The texture factor's alpha scales the lit alpha, so it is folded into each material's.
    ShowMesh(mesh, world, draw_state::kTranslucent + draw_state::kTwoSided, alpha >= 0.0 ? F(alpha) : -1.0f,
             F(factor));
}

void Lboss04::ShowWaves() {
    for (std::size_t i = 0; i < kWaveCount; ++i) {
        BossBullet& wave = live_[kWaveList][i];
        if (!wave.alive) continue;
        wave.sx = play_once::Value(waveX_[i], now_);
        wave.sz = play_once::Value(waveZ_[i], now_);
        wave.rh = kWaveReachPerScale * wave.sx;
        wave.rz = kWaveReachPerScale * wave.sz;
        Matrix scale, turn, world;
        MatrixScaling(&scale, F(wave.sx), F(wave.sy), F(wave.sz));
        MatrixRotationYawPitchRoll(&turn, F(wave.yaw), F(wave.pitch), F(wave.roll * kRadiansPerDegree));
        MatrixMultiply(&world, &scale, &turn);
        SetMatrixTranslation(&world, F(wave.x), F(wave.y), F(wave.z));
        ShowMeshAt(meshes_[kWaveMesh], world, 1.0);
    }
}

void Lboss04::ShowMagicCircles() {
    for (std::size_t k = 0; k < 4; ++k) {
        const double a = 90.0 * static_cast<double>(k) * kRadiansPerDegree;
        ShowSlot(static_cast<SpriteSlot>(kDenCircle + k), body_.x + kCircleRadius * std::cos(a),
                   body_.y + kCircleRadius * std::sin(a), body_.z + kCircleBehind, 1.0, 1.0, 1.0);
    }
}

void Lboss04::ShowStreamShots() {
    for (std::size_t i = 0; i < kOrbitPoints; ++i) {
        BossBullet& shot = live_[kStreamList][i];
        if (!shot.alive) continue;
        shot.z = play_once::Value(streamDepth_[i], now_);
        shot.x = play_once::Value(streamX_[i], now_);
        if (!(shot.z < kStreamFrom)) continue;
        Matrix world;
        MatrixTranslation(&world, F(shot.x), F(shot.y), F(shot.z));
        ShowMeshAt(meshes_[kStreamMesh], world, kStreamFactor);
    }
}

void Lboss04::ShowLances() {
    const bool moving = LancesMoving();
    const double spin = play_once::Value(lanceSpin_, now_);
    for (std::size_t i = 0; i < kLanceCount; ++i) {
        BossBullet& lance = live_[kLanceList][i];
        if (moving) {
            const double a = (180.0 * static_cast<double>(i) + spin) * kRadiansPerDegree;
            lance.x = play_once::Value(lance_[i].x, now_) + kLanceSwing * std::cos(a);
            lance.y = play_once::Value(lance_[i].y, now_) + kLanceSwing * std::sin(a);
            lance.z = play_once::Value(lance_[i].z, now_);
            lance.roll = spin * kRadiansPerDegree;
        } else {
            lance.x = body_.x - kLanceRestSide + 2.0 * kLanceRestSide * static_cast<double>(i);
            lance.y = body_.y - kLanceRestDrop;
            lance.z = kLanceRestDepth;
            lance.roll = 0.0;
        }
        if (!lance.alive) continue;
        Matrix world;
        MatrixRotationYawPitchRoll(&world, F(lance.yaw), F(lance.pitch), F(lance.roll));
        SetMatrixTranslation(&world, F(lance.x), F(lance.y), F(lance.z));
        ShowMeshAt(meshes_[kLanceMesh], world, 1.0);
    }
}

void Lboss04::ShowLasers() {
    for (std::size_t i = 0; i < kLaserCount; ++i) {
        BossBullet& laser = live_[kLaserList][i];
        if (!laser.alive) continue;
        laser.z = play_once::Value(laserDepth_[i], now_);
        laser.sz = play_once::Value(laserLength_[i], now_);
        // The hit reaches as far along the depth as the laser is drawn.
        laser.rz = kLaserHalfLengthPerScale * laser.sz;
        Matrix world;
        MatrixScaling(&world, F(laser.sx), F(laser.sy), F(laser.sz));
        SetMatrixTranslation(&world, F(laser.x), F(laser.y), F(laser.z));
        ShowMeshAt(meshes_[kLaserMesh], world, kLaserFactor, kLaserAlpha);
    }
}

void Lboss04::ShowDarkCircles() {
    const double a = TrackValue(orbit_, now_);
    for (std::size_t i = 0; i < kOrbitPoints; ++i) {
        ShowSlot(kDarkCircle, OrbitX(i, a), OrbitY(i, a), kDarkCircleDepth, 1.0, 1.0, 1.0);
    }
}

void Lboss04::ShowEmitters() {
    const double fade = play_once::Value(emitterFade_, now_);
    for (std::size_t i = 0; i < kLaserCount; ++i) {
        if (!emitters_[i]) continue;
        const BossBullet& laser = live_[kLaserList][i];
        ShowSlot(kEmitter, laser.x, laser.y, emitterZ_, 1.0, 1.0, fade);
    }
}

void Lboss04::ShowHole() {
    if (!eyeShown_) return;
    ShowSlot(kHole, kHoleX, kHoleY, body_.z - kHoleAhead, kHoleScale, kHoleScale, play_once::Value(eyeFade_, now_));
}

void Lboss04::ShowEye() {
    if (!eyeShown_) return;
    eyeX_ = HopValue(eyeHopX_, now_);
    eyeY_ = HopValue(eyeHopY_, now_);
    ShowSlot(kEye, eyeX_, eyeY_, body_.z - kEyeAhead, 1.0, 1.0, play_once::Value(eyeFade_, now_));
}

void Lboss04::ShowEyeShots() {
    if (!flags_[static_cast<std::size_t>(Attack::kEye)] || !running_) return;
    for (std::size_t j = 0; j < kEyeShotCount; ++j) {
        BossBullet& shot = live_[kEyeShotList][j];
        const bool flying = shot.alive && play_once::Reached(now_, eyeShot_[j].z.Start());
        if (flying) {
            MoveTo(shot, eyeShot_[j].Pass(now_));
        } else {
            // Waiting in the eye.
            shot.x = eyeX_;
            shot.y = eyeY_;
            shot.z = body_.z - kEyeAhead;
        }
        if (flying && !(shot.z > kEyeShotFlashDepth)) {
            ShowSlot(kFlash, shot.x, shot.y, shot.z, 1.0, 1.0, 1.0);
            continue;
        }
        Matrix world;
        MatrixTranslation(&world, F(shot.x), F(shot.y), F(shot.z));
        ShowMeshAt(meshes_[kEyeShotMesh], world, 1.0);
    }
}

void Lboss04::ShowSnow() {
    const double sx = HopValue(snowSizeX_, now_);
    const double sy = HopValue(snowSizeY_, now_);
    for (std::size_t i = 0; i < kSnowCount; ++i) {
        BossBullet& flake = live_[kSnowList][i];
        if (!flake.alive) continue;
        flake.x = play_once::Value(snowX_[i], now_);
        flake.y = play_once::Value(snowY_[i], now_);
        flake.sx = sx;
        flake.sy = sy;
        ShowSlot(kSnow, flake.x, flake.y, flake.z, flake.sx, flake.sy, 1.0);
    }
}

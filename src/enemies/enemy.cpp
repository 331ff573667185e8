#include "enemies/enemy.h"

#include <cmath>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/track_value.h"
#include "enemies/facing.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"

namespace {

constexpr std::uint32_t kCircleMs = 8000;
constexpr std::uint32_t kRadiusMs = 20000;
constexpr float kCircleRadius = 5.0f;

void Loop(KeyframeTrack& track, float from, float to, std::uint32_t ms) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 1.0f, to);
    track.SetDuration(ms);
    track.SetLooping(1);
}

}  // namespace

void Enemy::AddRecord(const EnemyRecord& record) {
    records_.push_back(record);
    x_.emplace_back();
    y_.emplace_back();
    z_.emplace_back();
    angle_.emplace_back();
    radius_.emplace_back();
}

void Enemy::StartTracks(std::size_t i, std::uint32_t tick) {
    x_[i].SetStart(tick);
    y_[i].SetStart(tick);
    z_[i].SetStart(tick);
    angle_[i].SetStart(tick);
    radius_[i].SetStart(tick);
}

bool Enemy::PathEnded(std::size_t i, std::uint32_t now) const {
    const KeyframeTrack& z = z_[i];
    // Taken as a signed difference: the start is a recent tick, so this holds across the tick's wrap.
    return static_cast<std::int32_t>(now - z.Start() - z.Duration()) >= 0;
}

double Enemy::FlightValue(const KeyframeTrack& track, std::uint32_t now, double current) {
    if (!track.Looping() && now == track.Start()) return current;
    return TrackValue(track, now, static_cast<float>(current));
}

bool Enemy::Load() {
    if (!MeshLoad(kind_.mesh.path, &mesh_, *this, 1.0f)) return LoadFailed(*this, kind_.lostText);
    return true;
}

void Enemy::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    if (kind_.flight == EnemyFlight::kCircling) {
        OrderCircling(index, x, y, z, durationMs, kind_.facesTarget);
    } else {
        OrderStraight(index, x, y, z, durationMs, kind_.facesTarget);
    }
}

bool Enemy::HasIndex(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < records_.size();
}

void Enemy::OrderStraight(std::int32_t index, double x, double y, double z, std::int32_t durationMs, bool face) {
    if (!HasIndex(index)) return;
    const auto i = static_cast<std::size_t>(index);
    EnemyRecord& e = records_[i];
    play_once::Make(x_[i], static_cast<std::uint32_t>(durationMs), static_cast<float>(e.x), static_cast<float>(x));
    play_once::Make(y_[i], static_cast<std::uint32_t>(durationMs), static_cast<float>(e.y), static_cast<float>(y));
    play_once::Make(z_[i], static_cast<std::uint32_t>(durationMs), static_cast<float>(e.z), static_cast<float>(z));
    e.targetX = x;
    e.targetY = y;
    e.targetZ = z;
    e.roll = 0.0;
    if (face) {
        const Facing f = FacingTowards(e.x, e.y, e.z, x, y, z);
        e.yaw = f.yaw;
        e.pitch = f.pitch;
    }
}

void Enemy::OrderCircling(std::int32_t index, double x, double y, double z, std::int32_t durationMs, bool face) {
    if (!HasIndex(index)) return;
    const auto i = static_cast<std::size_t>(index);
    EnemyRecord& e = records_[i];
    if (face) {
        const Facing f = FacingTowards(e.x, e.y, e.z, x, y, z);
        e.yaw = f.yaw;
        e.pitch = f.pitch;
    }
    e.roll = 0.0;
    e.targetX = x;
    e.targetY = y;
    e.targetZ = z;
    Loop(angle_[i], 0.0f, 360.0f, kCircleMs);
    Loop(radius_[i], kCircleRadius, kCircleRadius, kRadiusMs);
    play_once::Make(z_[i], static_cast<std::uint32_t>(durationMs), static_cast<float>(e.z), static_cast<float>(z));
}

void Enemy::Step(std::uint32_t now) {
    shown_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        EnemyRecord& e = records_[i];
        if (!e.active) continue;
        if (kind_.flight == EnemyFlight::kCircling) {
            MoveCircling(e, i, now);
        } else {
            MoveStraight(e, i, now);
        }
        shown_.push_back({e.x, e.y, e.z, e.yaw, e.pitch, e.roll});
    }
}

void Enemy::MoveStraight(EnemyRecord& e, std::size_t i, std::uint32_t now) {
    e.x = FlightValue(x_[i], now, e.x);
    e.y = FlightValue(y_[i], now, e.y);
    e.z = FlightValue(z_[i], now, e.z);
}

void Enemy::MoveCircling(EnemyRecord& e, std::size_t i, std::uint32_t now) {
    // A circling enemy that never got an order has no circle: it stays where it appeared.
    if (angle_[i].Count() > 0) {
        const double angle = TrackValue(angle_[i], now) * kEnemyRadiansPerDegree;
        const double radius = TrackValue(radius_[i], now);
        e.x = e.homeX + radius * std::cos(angle);
        e.y = e.homeY + radius * std::sin(angle);
    }
    e.z = FlightValue(z_[i], now, e.z);
}

void Enemy::Draw() const {
    ScopedDrawState state(device_, draw_state::kOpaque);
    for (const EnemyPose& pose : shown_) DrawEnemyMesh(device_, mesh_, pose);
}

void DrawEnemyMesh(platform::Device* device, const MeshResource& mesh, const EnemyPose& pose) {
    platform::Matrix world;
    platform::MatrixRotationYawPitchRoll(&world, static_cast<float>(pose.yaw), static_cast<float>(pose.pitch),
                                         static_cast<float>(pose.roll));
    SetMatrixTranslation(&world, static_cast<float>(pose.x), static_cast<float>(pose.y), static_cast<float>(pose.z));
    device->SetTransform(platform::D3DTS_WORLD, &world);
    device->SetTexture(0, nullptr);
    DrawMeshSubsets(device, mesh, nullptr);
}

#include "player/shot_flight.h"

#include "core/track_value.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"

void AimTrack(KeyframeTrack& track, double from, double to, std::uint32_t ms, std::uint32_t now) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, static_cast<float>(from));
    track.SetKey(1, 1.0f, static_cast<float>(to));
    track.SetDuration(ms);
    track.SetLooping(0);
    track.SetStart(now);
}

void AimTrackEased(KeyframeTrack& track, double from, double to, std::uint32_t ms, std::uint32_t now) {
    track.SetKeyCount(3);
    track.SetKey(0, 0.0f, static_cast<float>(from));
    track.SetKey(1, 0.9f, static_cast<float>(to));
    track.SetKey(2, 1.0f, static_cast<float>(to));
    track.SetDuration(ms);
    track.SetLooping(0);
    track.SetStart(now);
}

void FollowTracks(PlayerShot& shot, const KeyframeTrack& x, const KeyframeTrack& y, const KeyframeTrack& z,
                  std::uint32_t now) {
    shot.x = TrackValue(x, now, static_cast<float>(shot.x));
    shot.y = TrackValue(y, now, static_cast<float>(shot.y));
    shot.z = TrackValue(z, now, static_cast<float>(shot.z));
}

void DrawShotMesh(const Drawable& drawable, const MeshResource& mesh, const PlayerShot& shot) {
    platform::Device* device = drawable.GetDevice();
    platform::Matrix world;
    platform::MatrixRotationYawPitchRoll(&world, static_cast<float>(shot.yaw * kShotRadians),
                                         static_cast<float>(shot.pitch * kShotRadians),
                                         static_cast<float>(shot.roll * kShotRadians));
    SetMatrixTranslation(&world, static_cast<float>(shot.x), static_cast<float>(shot.y), static_cast<float>(shot.z));
    device->SetTransform(platform::D3DTS_WORLD, &world);
    device->SetTexture(0, nullptr);
    DrawMeshSubsets(device, mesh, nullptr);
}

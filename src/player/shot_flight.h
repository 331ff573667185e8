#pragma once
// What the two weapons share: aiming a play-once track, reading a shot's position from its tracks and
// drawing a shot's mesh at its attitude.

#include <cstdint>

#include "core/keyframe_track.h"
#include "collision/player_shot.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

// Degrees to radians as the weapons convert their attitudes.
inline constexpr double kShotRadians = 0.017453293;

// Two keys: from `from` at the start to `to` at the end of `ms`, starting at `now`, played once.
void AimTrack(KeyframeTrack& track, double from, double to, std::uint32_t ms, std::uint32_t now);
// Three keys: `to` is reached at 0.9 of `ms` and held to the end.
void AimTrackEased(KeyframeTrack& track, double from, double to, std::uint32_t ms, std::uint32_t now);

// The shot's position from its three tracks at `now` (a track without keys leaves its axis alone).
void FollowTracks(PlayerShot& shot, const KeyframeTrack& x, const KeyframeTrack& y, const KeyframeTrack& z,
                  std::uint32_t now);

// The mesh turned by the shot's yaw, pitch and roll and placed at its position, untextured.
void DrawShotMesh(const Drawable& drawable, const MeshResource& mesh, const PlayerShot& shot);

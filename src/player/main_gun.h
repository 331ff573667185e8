#pragma once
// The ship's main gun: a fixed pool of 50 shots, one launched on every frame whose codes hold the fire
// button. A shot flies 180 units ahead along the ship's heading in 500 ms and is cleared after 400 ms,
// so the pool never runs dry at the fastest possible rate (one shot per frame).

#include <array>
#include <cstdint>

#include "core/input_state.h"
#include "core/keyframe_track.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class MainGun : public Drawable {
public:
    static constexpr int kPoolSize = 50;
    static constexpr std::uint32_t kFlightMs = 500;
    // A shot is cleared this long after it was fired, before its flight has run out.
    static constexpr std::uint32_t kLifeMs = 400;

    static constexpr std::array<AssetRef, 1> kAssets{MeshAsset("x\\atack02.x")};

    MainGun();
    bool Load();
    void Reset();

    // Launches the first free shot when the fire button is among the codes; answers its index, or -1
    // when nothing was launched.
    int Fire(std::uint32_t now, const InputState& codes, const PlayerState& ship);
    // Clears every shot fired kLifeMs or more ago.
    void Expire(std::uint32_t now);
    // Moves every flying shot to where its tracks are now and keeps it as this frame shows it: a shot
    // the hit tests stop later in the frame is still drawn, one fired after the step is not.
    void Step(std::uint32_t now);
    // The shots the last step kept.
    void Draw() const;

    // The pool's records; their addresses are handed out at load and stay valid for the whole run.
    std::array<PlayerShot, kPoolSize>& Shots() { return shots_; }
    const std::array<PlayerShot, kPoolSize>& Shots() const { return shots_; }
    int ActiveCount() const;

private:
    std::array<PlayerShot, kPoolSize> shots_;
    // Track i moves shot i.
    std::array<KeyframeTrack, kPoolSize> trackX_;
    std::array<KeyframeTrack, kPoolSize> trackY_;
    std::array<KeyframeTrack, kPoolSize> trackZ_;
    MeshResource mesh_;
    std::array<PlayerShot, kPoolSize> shown_;
    int shownCount_ = 0;
};

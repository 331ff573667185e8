#pragma once
// The slow turn of the distant scenery (the planet, the sky and the ground) with the movement buttons,
// so that the far background drifts against the ship's motion. It turns only while the ship is alive
// and neither dashing nor reeling from a hit. The input copy, the ship's record and its dashing flag
// belong to the game object and the player, which hand out their addresses once at load.

#include <cstdint>

#include "core/input_state.h"
#include "collision/player_state.h"

class SceneryTurn {
public:
    static constexpr double kDegreesPerFrame = 0.05;

    void SetInputState(const InputState* input) { input_ = input; }
    void SetPlayerState(const PlayerState* player) { player_ = player; }
    void SetDashing(const std::int32_t* dashing) { dashing_ = dashing; }

    // One frame's turn. Without the input or the ship's record nothing turns; without the dashing
    // flag the ship counts as not dashing.
    void Step();
    void Clear();

    // Degrees: yaw follows left and right, pitch up and down.
    double Yaw() const { return yaw_; }
    double Pitch() const { return pitch_; }

private:
    const InputState* input_ = nullptr;
    const PlayerState* player_ = nullptr;
    const std::int32_t* dashing_ = nullptr;
    double yaw_ = 0.0;
    double pitch_ = 0.0;
};

#pragma once
// The ship's kinematic record. The player owns it for the whole run and never moves it: the bosses and
// the sceneries keep its address, and the collision tests, the enemies and the HUD take copies.

#include <cstdint>

struct PlayerState {
    static constexpr std::int32_t kFullLife = 223;
    static constexpr double kStartDepth = 15.0;
    static constexpr double kNormalSpeedX = 0.1;
    static constexpr double kNormalSpeedY = 0.2;
    static constexpr double kNormalSpeedZ = 0.3;
    static constexpr double kDashSpeedX = 0.25;
    static constexpr double kDashSpeedY = 0.35;
    static constexpr double kDashSpeedZ = 0.4;

    double x = 0.0, y = 0.0, z = kStartDepth;
    // Degrees: yaw follows sideways motion, pitch vertical motion, roll the dash spin and the hit wobble.
    double yaw = 0.0, pitch = 0.0, roll = 0.0;
    double prevX = 0.0, prevY = 0.0;
    double unused[4] = {};
    std::uint8_t alive = 0;
    std::int32_t life = 1;
    double rh = 0.5, rv = 0.5, rz = 0.5;
    std::int32_t hit = 0;
    std::int32_t dashCounter = 0;
    std::int32_t bombs = 0;
    // 1 while the glide to the centre of a confined flight runs; the movement buttons do nothing then.
    std::uint8_t centring = 0;
    double speedX = kNormalSpeedX, speedY = kNormalSpeedY, speedZ = kNormalSpeedZ;
    std::int32_t boundsHit = 0;
    std::int32_t spare = 0;

    // The record as a new game starts it.
    static PlayerState NewGame() {
        PlayerState s;
        s.alive = 1;
        s.life = kFullLife;
        s.bombs = 1;
        return s;
    }
};

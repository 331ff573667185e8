#pragma once
// Angles: the game keeps them in degrees and turns them into radians where a sine or a matrix needs them.

#include <numbers>

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// The ship and the enemies have always turned by these rounded factors. They differ from the exact one
// only in the ninth digit, but a recorded game replays bit for bit only with them, so they stay.
inline constexpr double kShipRadiansPerDegree = 0.017453292;
inline constexpr double kEnemyRadiansPerDegree = 0.0174533;

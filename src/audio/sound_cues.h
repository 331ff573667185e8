#pragma once
// The sound bank's effect slots, one name each, for what the game plays them for. Where several
// moments share a sound (a boss's strike, the blast on an enemy and on a boss), they share its name.

#include <cstdint>

namespace sound {

inline constexpr std::int32_t kShot = 0;        // the main gun fires
inline constexpr std::int32_t kEnemyDown = 1;   // an enemy or a star-field item shot down
inline constexpr std::int32_t kBlast = 2;       // the bomb's blast takes an enemy or a boss
inline constexpr std::int32_t kShipHit = 3;     // the ship takes damage
inline constexpr std::int32_t kConfirm = 4;     // a screen is left by a confirmation
inline constexpr std::int32_t kRing = 5;        // a ring collected
inline constexpr std::int32_t kBombItem = 6;    // a bomb item collected
inline constexpr std::int32_t kBossShots = 7;   // a boss's volley, rings of shots
inline constexpr std::int32_t kBossBeam = 8;    // a boss's beam or wave
inline constexpr std::int32_t kBossSweep = 9;   // swords and bars sweeping
inline constexpr std::int32_t kBossStrike = 10; // pincers, hammer, lances, the eye, a dash
inline constexpr std::int32_t kBossLaser = 11;  // the last boss's lasers
inline constexpr std::int32_t kMenuMove = 12;   // the title menu's cursor moves
inline constexpr std::int32_t kBossDown = 13;   // a boss, or a boss's shield, falls
inline constexpr std::int32_t kStageClear = 14; // the stage-clear banner lands

}  // namespace sound

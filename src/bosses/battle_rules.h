#pragma once
// What a boss's battle controller tests against the player, list by list, and what its death does. Each
// boss's rules stand in its entry (boss_entries.cpp).

#include <cstdint>
#include <vector>

// The hit test a bullet list is checked with.
enum class BulletTest : std::uint8_t {
    kShot,     // EnemyShotHitsPlayer
    kFlat,     // BulletHitsPlayerFlat
    kSlab,     // BulletInSlabHitsPlayer
    kRing,     // RingHitsPlayer
    kOrbit25,  // OffsetPointHitsPlayer25, with the boss's body
    kOffset5,  // OffsetPointHitsPlayer5
    kBar,      // BarHitsPlayer
    kBeam,     // BeamHitsPlayer
    kBig,      // BigBulletHitsPlayer
};

struct ListRule {
    int list = 0;
    BulletTest test = BulletTest::kShot;
    // Only while the entry is wide (sx above 1): beams that have narrowed no longer hurt.
    bool wideOnly = false;
    // A hit also opens the energy shell around the player.
    bool shell = false;
    // Entries from this index on do not hurt on touch: they capture the ship (-1: none do).
    int captureFrom = -1;
};

// How a boss's death ends its battle.
enum class DeathKind : std::uint8_t {
    kStageOneMid,    // the stage-1 scenery's byte, then the standard end
    kStageOneFinal,  // the stage is cleared, next stage 2
    kMid,            // the standard end
    kStageTwoFinal,  // the stage is cleared, next stage 3; the battle is left standing
    kMoon,           // no explosion; the stage-3 ground changes
    kMoonLast,       // the standard end and the ground's last change
    kLast,           // the game is cleared
};

struct BattleRules {
    std::vector<ListRule> lists;
    // The test for the class's records kept outside its lists (none when the class has none).
    BulletTest extraTest = BulletTest::kShot;
    DeathKind death = DeathKind::kMid;
    // The ground variant a moon's death switches to (0: none).
    std::int32_t sceneryVariant = 0;
    // Music started when the boss enters (-1: the stage's music goes on).
    std::int32_t entryTrack = -1;
};

#pragma once
// The eight bosses, one entry each in roster order: how the boss is made, where and when it fights, how
// its battle is judged and what it loads. Adding a boss is one entry here and its class.

#include <cstdint>
#include <memory>
#include <span>

#include "bosses/battle_rules.h"
#include "bosses/boss.h"
#include "render/asset_ref.h"

struct BossEntry {
    std::unique_ptr<Boss> (*make)();
    // Its meshes and pictures in load order (the start-up prefetch appends them).
    std::span<const AssetRef> (*assets)();
    std::int32_t stage = 0;
    std::int32_t life = 0;
    // The stage clock's millisecond it enters at.
    std::uint32_t appearAt = 0;
    // The body's hit radii: sideways, up and down, in depth.
    double rh = 0.0, rv = 0.0, rz = 0.0;
    // The camera's cut-in at entry.
    std::int32_t introKind = 0;
    // The player's shots cannot hurt the body until its extra bodies have fallen.
    std::uint8_t shielded = 0;
    BattleRules rules;
    // Fought in the open: the flight area stops being confined when it enters.
    bool opensFlightArea = false;
    // Its capture bullets take the ship (ListRule::captureFrom); it holds still while the ship is held.
    bool captures = false;
};

// Every boss in roster order.
std::span<const BossEntry> BossEntries();

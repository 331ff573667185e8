#pragma once
// A ring or a bomb item waiting on the stage. Its z track and shrink track are held by the pickups beside
// the record, which the player's hit check copies into the touch test.

#include <cstdint>

struct PickupRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    double scaleX = 1.0, scaleY = 1.0, scaleZ = 1.0;
    std::uint8_t shown = 0;
    std::uint8_t taken = 0;
    double rh = 5.0, rv = 5.0, rz = 3.0;
    // Stage-clock milliseconds after which it moves and can be taken.
    std::int32_t appearTime = 0;
    std::int32_t stage = 0;
    // Bomb items fade out as they rise after being taken.
    double alpha = 1.0;
};

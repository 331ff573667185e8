#pragma once
// One entry of a boss's bullet list: a projectile, a beam or a detachable part. The lists hold these by
// value and are reset by copying entry by entry, so the record holds no tracks: a class keeps the tracks
// of its entries itself and stores their indices here.

#include <cstdint>

struct BossBullet {
    double x = 0.0, y = 0.0, z = 0.0;
    // Each class gives these its own meaning (angles, a direction or a speed). The offset-point tests read
    // yaw and pitch in radians; the beam test reads roll in degrees.
    double yaw = 0.0, pitch = 0.0, roll = 0.0;
    // Drawn and hit-tested while 1.
    std::uint8_t alive = 0;
    // Life the player loses on a hit.
    std::int32_t damage = 0;
    double sx = 0.0, sy = 0.0, sz = 0.0;  // draw scale
    double work[2] = {};
    double rh = 0.0, rv = 0.0, rz = 0.0;
    // The class's per-entry bookkeeping.
    double angles[3] = {};
    std::uint32_t timers[2] = {};
    std::int32_t tracks[3] = {};
};

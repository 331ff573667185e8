#pragma once
// One entry of an effect pool. The pools are fixed arrays built with their owners; spawning and
// expiring only rewrite records in place.

#include <cstdint>

struct EffectRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    // Texture offsets: the flip-book cell of an explosion, the scroll of the lava.
    double u = 0.0, v = 0.0;
    double scaleX = 0.0, scaleY = 0.0;
    double scaleZ = 0.0;
    std::int32_t stepInterval = 0;  // ms between animation steps
    std::uint32_t lastStep = 0;     // tick of the last animation step
    std::uint32_t now = 0;          // tick read at the current draw
    std::uint32_t start = 0;        // tick at spawn
    std::uint8_t active = 0;
};

#pragma once
// The magic circles of the moons and the last boss: rings, a band of runes, a star and a sigil.

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"

namespace assetgen::pictures {

enum class Sigil { kNone, kBolt, kSnowflake, kBlade, kTriad, kAperture, kChevronsOut, kChevronsIn, kCrosshair, kEye };

struct CircleLook {
    Rgba line = Hex(0xFFE7A0);       // the drawn strokes
    Rgba glow = Hex(0xFF9AD5);       // the halo around them
    Rgba fill = Hex(0x000000, 0.0);  // the disc behind them (transparent unless a dark circle)
    int starPoints = 6;              // 0 for none; 5 a pentagram, 6 a hexagram
    int runes = 24;                  // marks in the band between the outer rings
    Sigil sigil = Sigil::kNone;
    std::uint32_t seed = 1;
};

// Draws the circle centred at (cx, cy) with outer radius r.
void MagicCircle(Canvas& canvas, double cx, double cy, double r, const CircleLook& look);

}  // namespace assetgen::pictures

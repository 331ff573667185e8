#pragma once
// Pieces of scenery shared by the title, the stage cards, the story and the staff roll, so that
// the city, the planets, the moons and the fighter look the same wherever they appear.

#include <cairo.h>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"
#include "assetgen/pictures/noise.h"

namespace assetgen::pictures {

// A vertical sky gradient through up to four colours, filling the rectangle.
void SkyGradient(cairo_t* cr, double x, double y, double w, double h, const Rgba& top, const Rgba& upper,
                 const Rgba& lower, const Rgba& horizon);

// Scattered stars (a few with sparkle rays, unless `sparkles` is false) inside the rectangle.
void Starfield(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count, double brightness,
               bool sparkles = true);

// The stage-1 city at dusk: layers of towers with lit windows, fading into haze with distance.
void CitySkyline(cairo_t* cr, Rng& rng, double x, double w, double baseY, double maxHeight, int layers);

// Planet surfaces as functions of longitude u and latitude v (both 0..1, u wrapping), so that the
// planet textures and the planets in the illustrations are the same worlds.
Rgba BluePlanetSurface(double u, double v);
Rgba MysteryPlanetSurface(double u, double v);

// A lit sphere of radius r showing `surface`, with an atmosphere rim, drawn centred at (cx, cy).
void Planet(Canvas& canvas, double cx, double cy, double r, Rgba (*surface)(double, double), double spin,
            const Rgba& atmosphere);

// Nebula clouds over a deep-space gradient, filling the rectangle.
void Nebula(Canvas& canvas, double x, double y, double w, double h, const Rgba& deep, const Rgba& cloudA,
            const Rgba& cloudB, std::uint32_t seed);

// A lumpy rock lit from the upper left, with a few craters.
void Rock(cairo_t* cr, Rng& rng, double cx, double cy, double r, const Rgba& light, const Rgba& dark);

// A moon: shaded disc with craters and a halo.
void Moon(Canvas& canvas, double cx, double cy, double r, const Rgba& light, const Rgba& dark, std::uint32_t seed);

// Rolling hills of the flower field from `horizonY` down to `bottom`, strewn with flowers.
struct MeadowLook {
    Rgba hillFar = Hex(0x7FC7A0);
    Rgba hillNear = Hex(0x2E8F4E);
    Rgba grassDark = Hex(0x185E33);
    Rgba flowerA = Hex(0xFF9AD5);
    Rgba flowerB = Hex(0xFFE27A);
    Rgba flowerC = Hex(0xFFF4FA);
};
void Meadow(cairo_t* cr, Rng& rng, double x, double w, double horizonY, double bottom, const MeadowLook& look);

// The KORVEX prototype seen from above, nose towards -y; `length` is nose to tail in pixels.
void Fighter(Canvas& canvas, double cx, double cy, double length, double angle, bool enginesLit);

// The team emblem: a ring with a forward chevron, as on the shutters and the title.
void Emblem(cairo_t* cr, double cx, double cy, double r, const Rgba& colour, double lineWidth);

// A translucent instrument panel behind text in full-screen pictures.
void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double cut, double alpha);

}  // namespace assetgen::pictures

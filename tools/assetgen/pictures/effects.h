#pragma once
// Raster effects on top of Cairo: blur, glow, and filling pixels from a function.

#include <functional>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"

namespace assetgen::pictures {

// Blurs an ARGB32 or A8 surface in place: three box passes, close to a Gaussian whose halo reaches
// about `radius` pixels. `rx` and `ry` may differ for art that is stretched later.
void Blur(cairo_surface_t* surface, double rx, double ry);

// Paints a soft halo of `colour` around what `shape` draws. `shape` is called on a mask context
// with the canvas's current transform and an opaque source; it fills or strokes as it likes.
// `gain` above 1 makes the halo denser near the shape.
void Glow(Canvas& canvas, const Rgba& colour, double radius, const std::function<void(cairo_t*)>& shape,
          double gain = 1.0);

// Replaces every pixel with f(x, y) (straight alpha).
void Shade(Canvas& canvas, const std::function<Rgba(int x, int y)>& f);

// Draws `draw` nine times, shifted by the tile size in each direction, so that vector art near the
// edges wraps around and the picture tiles.
void DrawWrapped(cairo_t* cr, double width, double height, const std::function<void()>& draw);

// Multiplies the alpha of every pixel by f(x, y) in 0..1 (a soft mask drawn after the art).
void FadeAlpha(Canvas& canvas, const std::function<double(int x, int y)>& f);

}  // namespace assetgen::pictures

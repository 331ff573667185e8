// Textures of the stage scenery and the title backdrop. The meshes show them unlit, so light and
// shade are painted in; every one tiles, since the meshes may repeat or scroll them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/noise.h"
#include "assetgen/pictures/scenes.h"
#include "assetgen/pictures/shapes.h"

namespace assetgen::pictures {
namespace {

// Distance on a torus, for features that must wrap at the tile's edges.
double WrapDelta(double a, double b) {
    double d = a - b;
    d -= std::round(d);
    return d;
}

// The title backdrop: deep blue space crossed by a luminous grid.
Canvas DrawBlue() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double u = x / 256.0, v = y / 256.0;
        const double n = TiledFbm(u, v, 3, 5, 9301u, 0.55);
        const double m = TiledFbm(u, v, 6, 4, 9302u, 0.5);
        Rgba col = Mix(Hex(0x04123A), Hex(0x1A56C8), std::clamp((n - 0.3) * 1.6, 0.0, 1.0));
        col = Mix(col, Hex(0x6A3AD8), std::clamp((m - 0.6) * 2.5, 0.0, 1.0) * 0.5);
        // Grid lines every 32 pixels with a soft falloff.
        const double gx = std::abs(WrapDelta(x / 32.0, 0.0)) * 32.0;
        const double gy = std::abs(WrapDelta(y / 32.0, 0.0)) * 32.0;
        const double line = std::max(std::exp(-gx * gx / 1.2), std::exp(-gy * gy / 1.2));
        col = Mix(col, Hex(0x6FE3FF), line * 0.55);
        return col;
    });
    cairo_t* cr = c.cr();
    DrawWrapped(cr, 256, 256, [&] {
        Rng local(9304);
        for (int i = 0; i < 14; ++i) {
            const double nx = local.Below(8) * 32.0, ny = local.Below(8) * 32.0;
            SoftDisc(cr, nx, ny, 6, Hex(0xE8FDFF), Hex(0x3FD8FF, 0.6), 0.3);
        }
    });
    DrawWrapped(cr, 256, 256, [&] {
        Rng local(9305);
        for (int i = 0; i < 60; ++i) {
            SetSource(cr, Hex(0xFFFFFF, local.Range(0.3, 0.9)));
            cairo_new_path(cr);
            cairo_arc(cr, local.Range(0, 256), local.Range(0, 256), local.Range(0.4, 1.1), 0, 2 * kPi);
            cairo_fill(cr);
        }
    });
    return c;
}

Canvas DrawRed() {
    Canvas c(64, 64);
    Shade(c, [](int x, int y) -> Rgba {
        const double n = TiledFbm(x / 64.0, y / 64.0, 2, 3, 9401u, 0.5);
        return Mix(Hex(0x5A0A12), Hex(0xE0303A), n);
    });
    return c;
}

// Stage-1 ground: grey-blue concrete slabs, seams, guide lights in the evening.
Canvas DrawGround() {
    Canvas c(512, 512);
    Shade(c, [](int x, int y) -> Rgba {
        const double u = x / 512.0, v = y / 512.0;
        const double grime = TiledFbm(u, v, 8, 5, 9501u, 0.55);
        const double slab =
            Hash(static_cast<std::uint32_t>(x / 64), static_cast<std::uint32_t>(y / 128), 9502u) / 4294967295.0;
        Rgba col = Mix(Hex(0x4E5F74), Hex(0x7D8FA3), 0.35 + 0.4 * slab);
        col = Scale(col, 0.78 + 0.35 * grime);
        // Seams between the slabs, dark with a lit lip.
        const int sx = x % 64, sy = y % 128;
        if (sx < 2 || sy < 2) col = Scale(col, 0.45);
        if (sx == 2 || sy == 2) col = Scale(col, 1.2);
        return col;
    });
    cairo_t* cr = c.cr();
    // A lane down the middle with its guide lights (the ground scrolls along it).
    SetSource(cr, Hex(0x2A3646, 0.85));
    cairo_rectangle(cr, 192, 0, 128, 512);
    cairo_fill(cr);
    SetSource(cr, Hex(0xFFB44A, 0.95));
    for (int i = 0; i < 8; ++i) {
        cairo_rectangle(cr, 252, i * 64 + 12, 8, 36);
    }
    cairo_fill(cr);
    for (int i = 0; i < 16; ++i) {
        const double ly = i * 32 + 16;
        SoftDisc(cr, 196, ly, 9, Hex(0xFFF0C8), Hex(0xFFA040, 0.5), 0.3);
        SoftDisc(cr, 316, ly, 9, Hex(0xFFF0C8), Hex(0xFFA040, 0.5), 0.3);
    }
    // Cyan pad markings on the slabs.
    SetSource(cr, Hex(0x3FD8FF, 0.55));
    cairo_set_line_width(cr, 3);
    for (int i = 0; i < 2; ++i) {
        const double my = 64 + i * 256;
        cairo_new_path(cr);
        cairo_arc(cr, 96, my, 34, 0, 2 * kPi);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, 416, my + 128, 34, 0, 2 * kPi);
        cairo_stroke(cr);
    }
    return c;
}

// A tower's face: concrete bands between floors of glass, some windows lit warm.
Canvas DrawFacade() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double u = x / 256.0, v = y / 256.0;
        const double grime = TiledFbm(u, v, 4, 4, 9601u, 0.5);
        const int col = x / 32, row = y / 16;
        const int wx = x % 32, wy = y % 16;
        const bool window = wx >= 4 && wx < 28 && wy >= 4 && wy < 14;
        Rgba c0;
        if (window) {
            const double lit =
                Hash(static_cast<std::uint32_t>(col), static_cast<std::uint32_t>(row), 9602u) / 4294967295.0;
            if (lit < 0.22) {
                c0 = Mix(Hex(0xFFC870), Hex(0xFFE6B0), (wy - 4) / 10.0);
            } else {
                // Glass reflecting the evening sky, lighter at the top of each pane.
                c0 = Mix(Hex(0x6FB8E0), Hex(0x1C3656), (wy - 4) / 10.0);
                if (wx == 4 + (wy - 4) * 2 % 24) c0 = Mix(c0, Hex(0xFFFFFF), 0.3);
            }
            if (wx == 16) c0 = Scale(c0, 0.6);  // mullion
        } else {
            c0 = Mix(Hex(0x5A6B80), Hex(0x8496AA), grime);
            if (wy >= 14) c0 = Scale(c0, 0.7);  // shadow under the sill
        }
        return c0;
    });
    return c;
}

// Rock relief: noise with craters scattered on a torus (so the rock tiles), shaded by a light
// from the upper left.
Canvas DrawRock() {
    constexpr int kSize = 256;
    std::vector<double> height(kSize * kSize);
    Rng rng(9703);
    struct Crater {
        double x, y, r;
    };
    std::vector<Crater> craters;
    for (int i = 0; i < 16; ++i) craters.push_back({rng.Uniform(), rng.Uniform(), rng.Range(0.025, 0.1)});
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double u = x / double(kSize), v = y / double(kSize);
            double h = 0.6 * TiledFbm(u, v, 4, 6, 9701u, 0.55);
            for (const Crater& c : craters) {
                const double dx = WrapDelta(u, c.x), dy = WrapDelta(v, c.y);
                const double d = std::sqrt(dx * dx + dy * dy) / c.r;
                if (d < 1.0) h += (d * d - 1.0) * c.r * 1.2;
                h += c.r * 0.5 * std::exp(-std::pow((d - 1.0) / 0.18, 2.0));
            }
            height[y * kSize + x] = h;
        }
    }
    auto at = [&](int x, int y) { return height[((y + kSize) % kSize) * kSize + (x + kSize) % kSize]; };
    Canvas c(kSize, kSize);
    Shade(c, [&](int x, int y) -> Rgba {
        const double gx = (at(x + 1, y) - at(x - 1, y)) * 40.0;
        const double gy = (at(x, y + 1) - at(x, y - 1)) * 40.0;
        const double nl = std::sqrt(gx * gx + gy * gy + 1.0);
        const double lambert = std::max(0.0, (gx * 0.6 + gy * 0.6 + 0.55) / nl / 1.0);
        const double u = x / double(kSize), v = y / double(kSize);
        const double tone = TiledFbm(u, v * 0.5, 8, 3, 9702u, 0.5);
        Rgba col = Mix(Hex(0x6A5E80), Hex(0x9C8A78), std::clamp((tone - 0.4) * 2.5, 0.0, 1.0));
        return Scale(col, 0.3 + 0.95 * lambert);
    });
    return c;
}

// The stage-2 star items: pale crystal that glows from inside.
Canvas DrawMoonTexture() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double u = x / 256.0, v = y / 256.0;
        // Cells of a wrapped Voronoi pattern give facets with bright edges.
        Rng rng(9801);
        double best = 9.0, second = 9.0;
        double tone = 0.0;
        for (int i = 0; i < 18; ++i) {
            const double px = rng.Uniform(), py = rng.Uniform(), t = rng.Uniform();
            const double dx = WrapDelta(u, px), dy = WrapDelta(v, py);
            const double d = dx * dx + dy * dy;
            if (d < best) {
                second = best;
                best = d;
                tone = t;
            } else if (d < second) {
                second = d;
            }
        }
        const double edge = std::sqrt(second) - std::sqrt(best);
        Rgba col = Mix(Hex(0xB8D8FF), Hex(0xFFE9B8), tone);
        col = Scale(col, 0.75 + 0.3 * TiledFbm(u, v, 4, 3, 9802u, 0.5));
        col = Mix(col, Hex(0xFFFFFF), std::exp(-edge * 60.0) * 0.8);
        return col;
    });
    return c;
}

Canvas DrawPlanetMap(Rgba (*surface)(double, double)) {
    Canvas c(512, 256);
    Shade(c, [surface](int x, int y) -> Rgba { return surface((x + 0.5) / 512.0, (y + 0.5) / 256.0); });
    return c;
}

Canvas DrawPetal() {
    Canvas c(128, 128);
    Shade(c, [](int x, int y) -> Rgba {
        // From the flower's heart at the bottom middle out to the rim.
        const double dx = (x - 64) / 64.0, dy = (128 - y) / 128.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double a = std::atan2(dx, dy);
        Rgba col = Mix(Hex(0xFFF4C8), Hex(0xFFA8D6), std::clamp(r * 1.6, 0.0, 1.0));
        col = Mix(col, Hex(0xE8509E), std::clamp((r - 0.6) * 2.0, 0.0, 1.0));
        const double vein = std::pow(std::abs(std::cos(a * 9.0)), 40.0);
        col = Mix(col, Hex(0xFFE8F4), vein * 0.5 * std::clamp(1.0 - r, 0.0, 1.0));
        return col;
    });
    return c;
}

struct SkyLook {
    Rgba base, high, cloud, accent;
    std::uint32_t seed;
    double strangeness;  // 0 a kind sky, 1 one that watches back
};

Canvas DrawSky(const SkyLook& look) {
    Canvas c(512, 512);
    Shade(c, [&](int x, int y) -> Rgba {
        const double u = x / 512.0, v = y / 512.0;
        const double warp = TiledFbm(u, v, 2, 3, look.seed, 0.5) - 0.5;
        const double n = TiledFbm(u + warp * 0.3 * look.strangeness, v + warp * 0.2, 3, 6, look.seed + 1, 0.55);
        Rgba col = Mix(look.base, look.high, std::clamp(TiledFbm(u, v, 2, 3, look.seed + 2, 0.5), 0.0, 1.0));
        // Clouds with a warmer, shaded underside where they are thin.
        const double cover = std::clamp((n - 0.45) * 5.0, 0.0, 1.0);
        col = Mix(col, Mix(Scale(look.cloud, 0.85), look.cloud, cover), cover);
        // Bands of strange light as the sky turns.
        const double band = std::sin((v + warp * 0.5) * 2 * kPi * 3 + u * 2 * kPi);
        col = Mix(col, look.accent, std::clamp(band - 0.75, 0.0, 1.0) * 3.0 * look.strangeness * 0.6);
        return col;
    });
    if (look.strangeness > 0.9) {
        // Eyes open in the clouds.
        cairo_t* cr = c.cr();
        DrawWrapped(cr, 512, 512, [&] {
            Rng rng(look.seed + 5);
            for (int i = 0; i < 5; ++i) {
                const double ex = rng.Range(0, 512), ey = rng.Range(0, 512), er = rng.Range(18, 30);
                SoftDisc(cr, ex, ey, er * 2.0, WithAlpha(look.accent, 0.35), WithAlpha(look.accent, 0.12), 0.4);
                cairo_save(cr);
                cairo_new_path(cr);
                cairo_move_to(cr, ex - er, ey);
                cairo_curve_to(cr, ex - er * 0.4, ey - er * 0.75, ex + er * 0.4, ey - er * 0.75, ex + er, ey);
                cairo_curve_to(cr, ex + er * 0.4, ey + er * 0.75, ex - er * 0.4, ey + er * 0.75, ex - er, ey);
                cairo_close_path(cr);
                SetSource(cr, Hex(0xFFE8F0, 0.95));
                cairo_fill_preserve(cr);
                cairo_clip(cr);
                SoftDisc(cr, ex, ey, er * 0.5, Hex(0xFFE27A), Hex(0xE0307A), 0.45);
                cairo_new_path(cr);
                cairo_move_to(cr, ex, ey - er * 0.4);
                cairo_curve_to(cr, ex + er * 0.12, ey - er * 0.1, ex + er * 0.12, ey + er * 0.1, ex, ey + er * 0.4);
                cairo_curve_to(cr, ex - er * 0.12, ey + er * 0.1, ex - er * 0.12, ey - er * 0.1, ex, ey - er * 0.4);
                SetSource(cr, Hex(0x14020E));
                cairo_fill(cr);
                cairo_restore(cr);
            }
        });
    }
    return c;
}

struct FieldLook {
    Rgba grassDark, grassLight;
    Rgba flowers[3];
    bool glowing;
    std::uint32_t seed;
};

Canvas DrawField(const FieldLook& look) {
    Canvas c(512, 512);
    Shade(c, [&](int x, int y) -> Rgba {
        const double u = x / 512.0, v = y / 512.0;
        const double n = TiledFbm(u, v, 6, 5, look.seed, 0.55);
        const double blades = TiledFbm(u * 1.0, v, 64, 2, look.seed + 1, 0.5);
        return Mix(look.grassDark, look.grassLight, std::clamp(n * 0.8 + blades * 0.5 - 0.2, 0.0, 1.0));
    });
    cairo_t* cr = c.cr();
    DrawWrapped(cr, 512, 512, [&] {
        Rng rng(look.seed + 2);
        for (int i = 0; i < 420; ++i) {
            const double fx = rng.Range(0, 512), fy = rng.Range(0, 512), size = rng.Range(4, 9);
            const Rgba petal = look.flowers[rng.Below(3)];
            if (look.glowing) SoftDisc(cr, fx, fy, size * 2.2, WithAlpha(petal, 0.5), WithAlpha(petal, 0.15), 0.4);
            SetSource(cr, petal);
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2 * kPi / 5 + fx;
                cairo_new_path(cr);
                cairo_arc(cr, fx + std::cos(a) * size * 0.5, fy + std::sin(a) * size * 0.5, size * 0.42, 0, 2 * kPi);
                cairo_fill(cr);
            }
            SetSource(cr, Hex(0xFFF0A0));
            cairo_new_path(cr);
            cairo_arc(cr, fx, fy, size * 0.22, 0, 2 * kPi);
            cairo_fill(cr);
        }
    });
    return c;
}

}  // namespace

void AddSceneryPictures(std::vector<Picture>& out) {
    out.push_back({"blue", 256, 256, ColourKey::kBlack, DrawBlue});
    out.push_back({"red", 64, 64, ColourKey::kBlack, DrawRed});
    out.push_back({"ground", 512, 512, ColourKey::kBlack, DrawGround});
    out.push_back({"m2", 256, 256, ColourKey::kBlack, DrawFacade});
    out.push_back({"meteo", 256, 256, ColourKey::kBlack, DrawRock});
    out.push_back({"moon", 256, 256, ColourKey::kBlack, DrawMoonTexture});
    out.push_back({"space", 512, 256, ColourKey::kBlack, [] { return DrawPlanetMap(BluePlanetSurface); }});
    out.push_back({"space3", 64, 64, ColourKey::kWhite, [] {
                       Canvas c(64, 64);
                       Rng rng(9901);
                       SetSource(c.cr(), Hex(0x0A0A2A));
                       cairo_paint(c.cr());
                       Starfield(c.cr(), rng, 0, 0, 64, 64, 20, 0.9, false);
                       return c;
                   }});
    out.push_back({"sexpl", 64, 64, ColourKey::kBlack, [] {
                       Canvas c(64, 64);
                       SoftDisc(c.cr(), 32, 32, 30, Hex(0xFFE7A0), Hex(0xFF6A2A, 0.5), 0.3);
                       return c;
                   }});
    out.push_back({"petal", 128, 128, ColourKey::kBlack, DrawPetal});
    out.push_back({"cloud", 512, 512, ColourKey::kBlack, [] {
                       return DrawSky({Hex(0x86B4F2), Hex(0xF2A6D4), Hex(0xFFF8F0), Hex(0xFFD27A), 9911u, 0.0});
                   }});
    out.push_back({"cloud2", 512, 512, ColourKey::kBlack, [] {
                       return DrawSky({Hex(0x8A5AD0), Hex(0x3AA8B8), Hex(0xF0D8FF), Hex(0x8CFFB8), 9921u, 0.6});
                   }});
    out.push_back({"cloud3", 512, 512, ColourKey::kBlack, [] {
                       return DrawSky({Hex(0x5A0A4A), Hex(0xC0205A), Hex(0xFF9AC8), Hex(0x4FF0FF), 9931u, 1.0});
                   }});
    out.push_back({"flower", 512, 512, ColourKey::kBlack, [] {
                       return DrawField(
                           {Hex(0x1E6A32), Hex(0x7CCB5A), {Hex(0xFF9AD5), Hex(0xFFE27A), Hex(0xFFF4FA)}, false, 9941u});
                   }});
    out.push_back({"flower2", 512, 512, ColourKey::kBlack, [] {
                       return DrawField(
                           {Hex(0x124A5A), Hex(0x4AB8A0), {Hex(0x9A7AFF), Hex(0x5AC8FF), Hex(0xE8D8FF)}, true, 9951u});
                   }});
    out.push_back({"flower3", 512, 512, ColourKey::kBlack, [] {
                       return DrawField(
                           {Hex(0x3A3A4A), Hex(0xB8C0C8), {Hex(0xFF2A5A), Hex(0xFF5AD0), Hex(0xFFE0E8)}, true, 9961u});
                   }});
    out.push_back({"nazo", 512, 256, ColourKey::kBlack, [] { return DrawPlanetMap(MysteryPlanetSurface); }});
}

}  // namespace assetgen::pictures

// Light and fire: the ship's flames and wings, sparkles, explosions, the bomb blast and its lava.
#include <algorithm>
#include <cmath>
#include <functional>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/noise.h"
#include "assetgen/pictures/shapes.h"

namespace assetgen::pictures {
namespace {

// Calls draw(frame, cellX, cellY, cellW, cellH) for every cell of a sheet, clipped to the cell
// minus a transparent gutter so that filtering never mixes neighbours.
void ForEachCell(Canvas& c, int columns, int rows, double gutter,
                 const std::function<void(int, double, double, double, double)>& draw, bool columnMajor = false) {
    const double cw = static_cast<double>(c.Width()) / columns;
    const double ch = static_cast<double>(c.Height()) / rows;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            const int frame = columnMajor ? col * rows + row : row * columns + col;
            cairo_t* cr = c.cr();
            cairo_save(cr);
            cairo_rectangle(cr, col * cw + gutter, row * ch + gutter, cw - 2 * gutter, ch - 2 * gutter);
            cairo_clip(cr);
            draw(frame, col * cw, row * ch, cw, ch);
            cairo_restore(cr);
        }
    }
}

Canvas DrawDashSpark() {
    Canvas c(32, 32);
    SoftDisc(c.cr(), 16, 16, 15, Hex(0x9FEFFF, 0.8), Hex(0x2FA8FF, 0.25), 0.3);
    Sparkle(c.cr(), 16, 16, 14, 0.0, Hex(0xF0FFFF));
    Sparkle(c.cr(), 16, 16, 8, kPi / 4, Hex(0xCFF8FF, 0.8));
    return c;
}

// Engine exhaust seen from behind: a hot core in a flickering ring of blue flame. Frames run
// column by column, the row changing fastest, 16 in 800 ms.
Canvas DrawBooster() {
    Canvas c(256, 256);
    ForEachCell(
        c, 4, 4, 1.5,
        [&](int frame, double x, double y, double w, double h) {
            cairo_t* cr = c.cr();
            Rng rng(8100 + static_cast<std::uint64_t>(frame));
            const double cx = x + w / 2, cy = y + h / 2;
            const double pulse = 0.85 + 0.15 * std::sin(frame * 2 * kPi / 16.0 * 3.0);
            SoftDisc(cr, cx, cy, 30 * pulse, Hex(0x5FA8FF, 0.55), Hex(0x3A4AFF, 0.25), 0.4);
            // Tongues of flame around the nozzle.
            const int tongues = 11;
            cairo_new_path(cr);
            for (int i = 0; i <= tongues * 2; ++i) {
                const double a = i * kPi / tongues + frame * 0.37;
                const double r = (i % 2 == 0) ? (17 + rng.Range(0, 11)) * pulse : 9 * pulse;
                const double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
                if (i == 0) {
                    cairo_move_to(cr, px, py);
                } else {
                    cairo_line_to(cr, px, py);
                }
            }
            cairo_close_path(cr);
            cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 4, cx, cy, 28 * pulse);
            AddStop(p, 0.0, Hex(0xCFF8FF, 0.95));
            AddStop(p, 0.45, Hex(0x3FC8FF, 0.8));
            AddStop(p, 1.0, Hex(0x5A3AFF, 0.0));
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            SoftDisc(cr, cx, cy, 12 * pulse, Hex(0xFFFFFF), Hex(0xBFF0FF, 0.9), 0.45);
        },
        true);
    return c;
}

// Light wings: a blade of light from the ship's side (the cell's left edge) out to the tip.
Canvas DrawLightWing() {
    Canvas c(256, 256);
    ForEachCell(
        c, 4, 4, 1.5,
        [&](int frame, double x, double y, double w, double h) {
            cairo_t* cr = c.cr();
            const double phase = frame / 16.0;
            const double flare = 0.8 + 0.2 * std::sin(phase * 2 * kPi);
            auto blade = [&](cairo_t* g) {
                cairo_new_path(g);
                cairo_move_to(g, x + 2, y + h * 0.44);
                cairo_curve_to(g, x + w * 0.35, y + h * 0.3, x + w * 0.7, y + h * (0.26 - 0.08 * flare), x + w - 3,
                               y + h * (0.2 - 0.05 * flare));
                cairo_curve_to(g, x + w * 0.72, y + h * 0.46, x + w * 0.45, y + h * 0.6, x + 2, y + h * 0.6);
                cairo_close_path(g);
            };
            Glow(c, Hex(0x4FD8FF, 0.8), 4, [&](cairo_t* g) {
                blade(g);
                cairo_fill(g);
            });
            blade(cr);
            cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
            AddStop(p, 0.0, Hex(0xE8FDFF, 0.95));
            AddStop(p, 0.5, Hex(0x6FE3FF, 0.75));
            AddStop(p, 1.0, Hex(0xB68CFF, 0.35));
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            // Feather lines running outwards along the blade; three of them, so that every one of the
            // sixteen frames differs and the sixteenth leads back into the first.
            SetSource(cr, Hex(0xFFFFFF, 0.75));
            cairo_set_line_width(cr, 1.2);
            for (int i = 0; i < 3; ++i) {
                const double t = std::fmod(phase + i / 3.0, 1.0);
                const double fx = x + 6 + t * (w - 14);
                const double top = y + h * (0.44 - 0.22 * t);
                const double bottom = y + h * (0.6 - 0.12 * t * t);
                cairo_new_path(cr);
                cairo_move_to(cr, fx, top + 1);
                cairo_line_to(cr, fx - 4, bottom - 1);
                cairo_stroke(cr);
            }
        },
        true);
    return c;
}

// A ring being taken: a star that bursts into a ring of sparkles and fades, row by row.
Canvas DrawKira() {
    Canvas c(256, 256);
    ForEachCell(c, 4, 4, 1.5, [&](int frame, double x, double y, double w, double h) {
        cairo_t* cr = c.cr();
        const double t = frame / 16.0;  // the last frame keeps a last glint
        const double cx = x + w / 2, cy = y + h / 2;
        const double fade = 1.0 - std::pow(t, 1.5);
        SoftDisc(cr, cx, cy, 10 + 20 * t, Hex(0xFFF6D0, 0.9 * fade), Hex(0xFFC040, 0.35 * fade), 0.3);
        SetSource(cr, Hex(0xFFE7A0, 0.8 * fade));
        cairo_set_line_width(cr, 2.5 * (1.0 - t) + 0.5);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 6 + 22 * std::sqrt(t), 0, 2 * kPi);
        cairo_stroke(cr);
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4 + t * 0.8;
            const double r = 4 + 24 * std::sqrt(t);
            Sparkle(cr, cx + r * std::cos(a), cy + r * std::sin(a), (i % 2 ? 5 : 7) * (1.0 - 0.6 * t), a,
                    Hex(0xFFFFFF, fade));
        }
        Sparkle(cr, cx, cy, 26 * (1.0 - t) + 2, t * 1.5, Hex(0xFFFFFF, fade));
    });
    return c;
}

// One fireball: overlapping puffs whose colour cools from white-hot through orange to a thin red
// smoke as `age` goes 0..1.
void Fireball(cairo_t* cr, Rng& rng, double cx, double cy, double radius, double age) {
    const Rgba smoke = Mix(Hex(0xB04A2A), Hex(0x5A3040), std::clamp((age - 0.4) / 0.6, 0.0, 1.0));
    const double smokeAlpha = std::clamp((age - 0.3) / 0.3, 0.0, 1.0) * (1.0 - 0.6 * age);
    const Rgba billow = Mix(Hex(0xFFC040), Hex(0xF04A14), std::clamp(age * 1.3, 0.0, 1.0));
    const double billowAlpha = 1.0 - 0.75 * age;
    const Rgba hot = Mix(Hex(0xFFFFF0), Hex(0xFFD040), std::clamp(age * 1.8, 0.0, 1.0));
    for (int i = 0; i < 12; ++i) {
        const double a = rng.Range(0, 2 * kPi);
        const double d = radius * 0.6 * std::sqrt(rng.Uniform());
        const double pr = radius * rng.Range(0.35, 0.55);
        if (smokeAlpha > 0.0) {
            SoftDisc(cr, cx + d * std::cos(a), cy + d * std::sin(a), pr, WithAlpha(smoke, 0.8 * smokeAlpha),
                     WithAlpha(smoke, 0.5 * smokeAlpha), 0.6);
        }
    }
    for (int i = 0; i < 12; ++i) {
        const double a = rng.Range(0, 2 * kPi);
        const double d = radius * 0.45 * std::sqrt(rng.Uniform()) * (1.0 + 0.5 * age);
        const double pr = radius * rng.Range(0.3, 0.5) * (1.0 - 0.4 * age);
        SoftDisc(cr, cx + d * std::cos(a), cy + d * std::sin(a), pr, WithAlpha(billow, billowAlpha),
                 WithAlpha(billow, 0.7 * billowAlpha), 0.55);
    }
    const double core = radius * 0.6 * (1.0 - 0.85 * age);
    SoftDisc(cr, cx, cy, core, WithAlpha(hot, 1.0 - 0.5 * age), WithAlpha(hot, 0.8 - 0.5 * age), 0.5);
}

// Ten frames, five across and two down, played row by row in 500 ms; drawn at half opacity, so
// they are painted bright and saturated.
Canvas DrawExplosion() {
    Canvas c(1024, 512);
    ForEachCell(c, 5, 2, 2.0, [&](int frame, double x, double y, double w, double h) {
        cairo_t* cr = c.cr();
        Rng rng(8300);  // the same puffs in every frame, so the fireball grows rather than jitters
        const double t = frame / 9.0;
        const double cx = x + w / 2, cy = y + h / 2;
        const double radius = 44 + 50 * std::sqrt(t);
        if (frame == 0) {
            SoftDisc(cr, cx, cy, 60, Hex(0xFFFFFF), Hex(0xFFE08A, 0.8), 0.3);
            Sparkle(cr, cx, cy, 90, 0.0, Hex(0xFFFFFF));
            return;
        }
        Fireball(cr, rng, cx, cy, radius, t);
        // Sparks flung outwards in the early frames, embers later.
        Rng sparks(8301);
        for (int i = 0; i < 14; ++i) {
            const double a = sparks.Range(0, 2 * kPi);
            const double d = radius * (0.6 + 0.6 * t) * sparks.Range(0.7, 1.1);
            const double len = t < 0.5 ? 12 * (1.0 - t) : 2;
            const double sx = cx + d * std::cos(a), sy = cy + d * std::sin(a);
            SetSource(cr, Hex(0xFFE7A0, 1.0 - t * 0.8));
            cairo_set_line_width(cr, 2.2);
            cairo_new_path(cr);
            cairo_move_to(cr, sx, sy);
            cairo_line_to(cr, sx - len * std::cos(a), sy - len * std::sin(a));
            cairo_stroke(cr);
        }
    });
    return c;
}

// Never drawn by the game; a plain sheet of smoke so that it loads like its siblings.
Canvas DrawExplosionRuin() {
    Canvas c(256, 256);
    ForEachCell(c, 4, 4, 1.5, [&](int frame, double x, double y, double w, double h) {
        Rng rng(8400);
        const double t = frame / 16.0;
        const double cx = x + w / 2, cy = y + h / 2;
        for (int i = 0; i < 8; ++i) {
            const double a = rng.Range(0, 2 * kPi), d = rng.Range(0, 14) * (1 + t);
            SoftDisc(c.cr(), cx + d * std::cos(a), cy + d * std::sin(a), 12 + 10 * t, Hex(0x6A5A5A, 0.7 * (1 - t)),
                     Hex(0x4A3A3A, 0.4 * (1 - t)), 0.5);
        }
        SoftDisc(c.cr(), cx, cy, 10 * (1 - t) + 2, Hex(0xFFB040, 1 - t), Hex(0xFF5A20, 0.5 * (1 - t)), 0.4);
    });
    return c;
}

Canvas DrawBombParticle() {
    Canvas c(64, 64);
    cairo_t* cr = c.cr();
    SoftDisc(cr, 32, 32, 31, Hex(0xFFB84A, 0.9), Hex(0xFF5A1A, 0.45), 0.35);
    SoftDisc(cr, 32, 32, 15, Hex(0xFFFFFF), Hex(0xFFE7A0, 0.9), 0.5);
    Sparkle(cr, 32, 32, 28, 0.3, Hex(0xFFF6D8, 0.9));
    return c;
}

// Molten rock for the bomb's blast; its texture scrolls down, so it tiles (both ways).
Canvas DrawLava() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double u = x / 256.0, v = y / 256.0;
        const double heat = TiledFbm(u, v, 4, 5, 9100u, 0.55);
        const double vein = TiledFbm(u + 0.17, v, 3, 5, 9200u, 0.5);
        const double crack = std::exp(-std::pow((vein - 0.5) / 0.03, 2.0));
        double k = std::clamp((heat - 0.3) * 1.8, 0.0, 1.0) * 0.75 + crack * 0.6;
        k = std::clamp(k, 0.0, 1.0);
        Rgba col;
        if (k < 0.35) {
            col = Mix(Hex(0x3A0A06), Hex(0xB8200C), k / 0.35);
        } else if (k < 0.7) {
            col = Mix(Hex(0xB8200C), Hex(0xFF8A1A), (k - 0.35) / 0.35);
        } else {
            col = Mix(Hex(0xFF8A1A), Hex(0xFFF0A0), (k - 0.7) / 0.3);
        }
        return col;
    });
    return c;
}

}  // namespace

void AddEffectPictures(std::vector<Picture>& out) {
    out.push_back({"dashspark", 32, 32, ColourKey::kBlack, DrawDashSpark});
    out.push_back({"booster 2", 256, 256, ColourKey::kBlack, DrawBooster});
    out.push_back({"lightwing", 256, 256, ColourKey::kBlack, DrawLightWing});
    out.push_back({"kira", 256, 256, ColourKey::kBlack, DrawKira});
    out.push_back({"explosion01", 1024, 512, ColourKey::kBlack, DrawExplosion});
    out.push_back({"explosionRuin", 256, 256, ColourKey::kBlack, DrawExplosionRuin});
    out.push_back({"bom", 64, 64, ColourKey::kBlack, DrawBombParticle});
    out.push_back({"yougan001", 256, 256, ColourKey::kBlack, DrawLava});
}

}  // namespace assetgen::pictures

// The bosses' sprites and textures: holes, shields, circles of power, flares, bolts and the eye.
#include <algorithm>
#include <cmath>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/magic_circle.h"
#include "assetgen/pictures/noise.h"
#include "assetgen/pictures/shapes.h"

namespace assetgen::pictures {
namespace {

Canvas Circle(const CircleLook& look) {
    Canvas c(256, 256);
    MagicCircle(c, 128, 128, 118, look);
    return c;
}

// Stage-2 boss ring: dark board with glowing traces (tiles).
Canvas DrawCircuit() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double n = TiledFbm(x / 256.0, y / 256.0, 4, 4, 10101u, 0.5);
        return Mix(Hex(0x0A1A24), Hex(0x16323E), n);
    });
    cairo_t* cr = c.cr();
    DrawWrapped(cr, 256, 256, [&] {
        Rng rng(10102);
        // Traces run on a 16-pixel grid, turning at right angles, ending in pads.
        for (int i = 0; i < 26; ++i) {
            double x = rng.Below(16) * 16.0 + 8, y = rng.Below(16) * 16.0 + 8;
            cairo_new_path(cr);
            cairo_move_to(cr, x, y);
            const int legs = 2 + rng.Below(3);
            for (int k = 0; k < legs; ++k) {
                const double len = (1 + rng.Below(5)) * 16.0;
                if (k % 2 == 0) {
                    x += rng.Uniform() < 0.5 ? len : -len;
                } else {
                    y += rng.Uniform() < 0.5 ? len : -len;
                }
                cairo_line_to(cr, x, y);
            }
            SetSource(cr, Hex(0x1FA8C8, 0.5));
            cairo_set_line_width(cr, 4);
            cairo_stroke_preserve(cr);
            SetSource(cr, Hex(0x8FF4FF));
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
            SoftDisc(cr, x, y, 6, Hex(0xE8FFFF), Hex(0x3FD8FF, 0.5), 0.35);
        }
        for (int i = 0; i < 4; ++i) {
            const double x = rng.Below(8) * 32.0 + 4, y = rng.Below(8) * 32.0 + 6;
            PanelStyle s;
            s.top = Hex(0x22303A);
            s.bottom = Hex(0x0E161C);
            s.rim = Hex(0xFFA23A, 0.8);
            s.rimWidth = 1;
            BevelPanel(cr, x, y, 24, 20, 3, s);
        }
    });
    return c;
}

// The capture hole: a spiral drawing everything into a dark eye.
Canvas DrawSuction() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double dx = (x + 0.5 - 128) / 124.0, dy = (y + 0.5 - 128) / 124.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        if (r >= 1.0) return {0, 0, 0, 0};
        const double a = std::atan2(dy, dx);
        const double arms = 0.5 + 0.5 * std::cos(3.0 * a + 9.0 * std::log(r + 0.05));
        Rgba col = Mix(Hex(0x2A1470), Hex(0x8F5AFF), arms);
        col = Mix(col, Hex(0xCFF4FF), std::pow(arms, 6.0) * (1.0 - r));
        col = Mix(Hex(0x0A0414), col, std::clamp((r - 0.12) * 5.0, 0.0, 1.0));
        const double edge = std::clamp((1.0 - r) * 6.0, 0.0, 1.0);
        return WithAlpha(col, edge);
    });
    return c;
}

// The stage-1 boss's barrier: a honeycomb of light over a faint field (tiles).
Canvas DrawBarrier() {
    Canvas c(256, 256);
    cairo_t* cr = c.cr();
    SetSource(cr, Hex(0x1A6AC8, 0.35));
    cairo_paint(cr);
    // Hexagons sized so that the pattern repeats exactly across 256 pixels.
    const double w = 256.0 / 8.0;         // column pitch
    const double s = w / std::sqrt(3.0);  // side
    const double rowStep = 256.0 / 10.0;  // close to 1.5 s, so it tiles
    auto hexes = [&](cairo_t* g) {
        for (int row = -1; row <= 10; ++row) {
            for (int col = -1; col <= 8; ++col) {
                const double hx = col * w + (row % 2 ? w / 2 : 0.0), hy = row * rowStep;
                StarPath(g, hx, hy, 6, s * 0.95, 0, kPi / 6);
            }
        }
    };
    Glow(c, Hex(0x3FE0FF, 0.9), 3, [&](cairo_t* g) {
        hexes(g);
        cairo_set_line_width(g, 2.5);
        cairo_stroke(g);
    });
    cairo_new_path(cr);
    hexes(cr);
    SetSource(cr, Hex(0xCFFBFF, 0.95));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    return c;
}

// A launch hole: a dark bore in an armoured collar, lit orange from inside.
Canvas DrawHole() {
    Canvas c(128, 128);
    cairo_t* cr = c.cr();
    SoftDisc(cr, 64, 64, 62, Hex(0xFF7A2A, 0.7), Hex(0xFF4A1A, 0.25), 0.6);
    cairo_new_path(cr);
    cairo_arc(cr, 64, 64, 46, 0, 2 * kPi);
    cairo_pattern_t* collar = cairo_pattern_create_linear(20, 20, 108, 108);
    AddStop(collar, 0.0, Hex(0x9AAABB));
    AddStop(collar, 1.0, Hex(0x2A3440));
    cairo_set_source(cr, collar);
    cairo_fill(cr);
    cairo_pattern_destroy(collar);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        cairo_new_path(cr);
        cairo_move_to(cr, 64 + 30 * std::cos(a), 64 + 30 * std::sin(a));
        cairo_line_to(cr, 64 + 45 * std::cos(a + 0.3), 64 + 45 * std::sin(a + 0.3));
        SetSource(cr, Hex(0x1A222C, 0.9));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 64, 64, 30, 0, 2 * kPi);
    cairo_pattern_t* bore = cairo_pattern_create_radial(64, 64, 2, 64, 64, 30);
    AddStop(bore, 0.0, Hex(0xFFE7A0));
    AddStop(bore, 0.35, Hex(0xFF6A1A));
    AddStop(bore, 1.0, Hex(0x1A0604));
    cairo_set_source(cr, bore);
    cairo_fill(cr);
    cairo_pattern_destroy(bore);
    return c;
}

// The shield glow sheet: 16 frames, row by row, of a pulsing hexagonal light.
Canvas DrawShieldGlow() {
    Canvas c(256, 256);
    cairo_t* cr = c.cr();
    for (int f = 0; f < 16; ++f) {
        const double cx = (f % 4) * 64 + 32, cy = (f / 4) * 64 + 32;
        const double t = f / 16.0;
        const double pulse = 0.5 + 0.5 * std::cos(t * 2 * kPi);
        cairo_save(cr);
        cairo_rectangle(cr, cx - 30.5, cy - 30.5, 61, 61);
        cairo_clip(cr);
        SoftDisc(cr, cx, cy, 30, Hex(0x7FE8FF, 0.35 + 0.4 * pulse), Hex(0x2F8FFF, 0.2 + 0.2 * pulse), 0.4);
        cairo_new_path(cr);
        StarPath(cr, cx, cy, 6, 18 + 6 * pulse, 0, t * kPi / 3);
        SetSource(cr, Hex(0xDFFBFF, 0.6 + 0.4 * pulse));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        SoftDisc(cr, cx, cy, 9, Hex(0xFFFFFF), Hex(0x9FEFFF, 0.6), 0.5);
        cairo_restore(cr);
    }
    return c;
}

Canvas DrawWarp() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double dx = (x + 0.5 - 128) / 120.0, dy = (y + 0.5 - 128) / 120.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double a = std::atan2(dy, dx);
        const double swirl = 0.5 + 0.5 * std::sin(6.0 * a + 14.0 * r);
        const double ring = std::exp(-std::pow((r - 0.7) / 0.16, 2.0));
        const double inner = std::exp(-std::pow(r / 0.35, 2.0));
        Rgba col = Mix(Hex(0x6A3AFF), Hex(0x6FF0FF), swirl);
        const double alpha = std::clamp(ring * (0.6 + 0.4 * swirl) + inner * 0.6, 0.0, 1.0);
        col = Mix(col, Hex(0xFFFFFF), inner * 0.7);
        return WithAlpha(col, alpha);
    });
    return c;
}

Canvas DrawJoin() {
    Canvas c(128, 128);
    cairo_t* cr = c.cr();
    SoftDisc(cr, 64, 64, 60, Hex(0x5FE0FF, 0.6), Hex(0x2A6AFF, 0.2), 0.4);
    for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 2 + kPi / 4;
        cairo_new_path(cr);
        cairo_move_to(cr, 64 + 14 * std::cos(a - 0.3), 64 + 14 * std::sin(a - 0.3));
        cairo_line_to(cr, 64 + 52 * std::cos(a), 64 + 52 * std::sin(a));
        cairo_line_to(cr, 64 + 14 * std::cos(a + 0.3), 64 + 14 * std::sin(a + 0.3));
        cairo_close_path(cr);
        SetSource(cr, Hex(0xBFF6FF, 0.85));
        cairo_fill(cr);
    }
    SoftDisc(cr, 64, 64, 22, Hex(0xFFFFFF), Hex(0x9FEFFF, 0.9), 0.5);
    return c;
}

// Armour of the stage-2 first boss: gunmetal plates with lit seams (tiles).
Canvas DrawMecha() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double n = TiledFbm(x / 256.0, y / 256.0, 8, 4, 10601u, 0.5);
        return Mix(Hex(0x2E3A48), Hex(0x56677A), n);
    });
    cairo_t* cr = c.cr();
    PanelStyle s;
    s.top = Hex(0x5A6C80);
    s.bottom = Hex(0x2A3644);
    s.light = Hex(0xC8D8E8, 0.5);
    s.shade = Hex(0x0A1018, 0.7);
    s.rim = Hex(0x12181F, 0.9);
    s.rimWidth = 2;
    s.bevel = 2.5;
    BevelPanel(cr, 4, 4, 120, 120, 14, s);
    BevelPanel(cr, 132, 4, 120, 56, 8, s);
    BevelPanel(cr, 132, 68, 120, 56, 8, s);
    BevelPanel(cr, 4, 132, 56, 120, 8, s);
    BevelPanel(cr, 68, 132, 184, 120, 14, s);
    SetSource(cr, Hex(0x3FE0FF, 0.9));
    cairo_rectangle(cr, 20, 60, 88, 4);
    cairo_rectangle(cr, 90, 188, 140, 4);
    cairo_fill(cr);
    SetSource(cr, Hex(0xFFA23A, 0.9));
    cairo_rectangle(cr, 150, 28, 40, 6);
    cairo_rectangle(cr, 22, 150, 6, 40);
    cairo_fill(cr);
    return c;
}

// Small black holes: a dark core, a violet disc and four arms turning a quarter turn over the 16
// frames of the sheet, so that the sheet loops without a jump.
Canvas DrawBlackHole() {
    Canvas c(256, 256);
    c.Flush();
    for (int f = 0; f < 16; ++f) {
        const double ox = (f % 4) * 64.0, oy = (f / 4) * 64.0;
        const double turn = f / 16.0 * (kPi / 2);
        for (int y = 1; y < 63; ++y) {
            std::uint32_t* row = c.Row(static_cast<int>(oy) + y);
            for (int x = 1; x < 63; ++x) {
                const double dx = (x + 0.5 - 32) / 29.0, dy = (y + 0.5 - 32) / 29.0;
                const double r = std::sqrt(dx * dx + dy * dy);
                if (r >= 1.0) continue;
                const double a = std::atan2(dy, dx) + turn;
                const double arms = 0.5 + 0.5 * std::cos(4.0 * a + 7.0 * std::log(r + 0.08));
                const double disc = std::exp(-std::pow((r - 0.42) / 0.2, 2.0));
                Rgba col = Mix(Hex(0x4A1A9A), Hex(0xE08AFF), arms * disc);
                col = Mix(col, Hex(0xFFFFFF), std::pow(arms, 8.0) * disc * 0.8);
                double alpha =
                    std::clamp(disc * 1.4 + arms * 0.3 * (1.0 - r), 0.0, 1.0) * std::clamp((1.0 - r) * 5, 0.0, 1.0);
                if (r < 0.26) {
                    col = Hex(0x07020E);  // the hole itself, dark but not the key
                    alpha = 1.0;
                }
                row[static_cast<int>(ox) + x] = ToPixel(WithAlpha(col, alpha));
            }
        }
    }
    c.MarkDirty();
    return c;
}

Canvas DrawFlare(const Rgba& core, const Rgba& tint, int rays, bool soft) {
    Canvas c(soft ? 128 : 256, soft ? 128 : 256);
    cairo_t* cr = c.cr();
    const double m = c.Width() / 2.0;
    SoftDisc(cr, m, m, m - 2, WithAlpha(tint, 0.55), WithAlpha(tint, 0.18), 0.35);
    for (int i = 0; i < rays; ++i) {
        const double a = i * kPi / rays * 2;
        const double len = (i % 2 ? 0.6 : 0.97) * (m - 3);
        cairo_save(cr);
        cairo_translate(cr, m, m);
        cairo_rotate(cr, a);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, -m * 0.04);
        cairo_line_to(cr, len, 0);
        cairo_line_to(cr, 0, m * 0.04);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, len, 0);
        AddStop(p, 0.0, WithAlpha(core, 0.95));
        AddStop(p, 1.0, WithAlpha(tint, 0.0));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    if (!soft) {
        SetSource(cr, WithAlpha(tint, 0.7));
        cairo_set_line_width(cr, 2);
        cairo_new_path(cr);
        cairo_arc(cr, m, m, m * 0.55, 0, 2 * kPi);
        cairo_stroke(cr);
    }
    SoftDisc(cr, m, m, m * 0.3, core, WithAlpha(core, 0.8), 0.5);
    return c;
}

Canvas DrawThunder(const Rgba& core, const Rgba& glow, std::uint64_t seed) {
    Canvas c(256, 256);
    auto bolt = [&](cairo_t* g, double width) {
        Rng local(seed + 1);
        cairo_new_path(g);
        LightningPath(g, local, 128, 4, 120, 252, 26, 2);
        cairo_set_line_width(g, width);
        cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(g);
    };
    Glow(
        c, WithAlpha(glow, 0.95), 10, [&](cairo_t* g) { bolt(g, 6); }, 1.4);
    SetSource(c.cr(), core);
    bolt(c.cr(), 2.5);
    return c;
}

Canvas DrawHoleHirami() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double dx = (x + 0.5 - 128) / 118.0, dy = (y + 0.5 - 128) / 118.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double a = std::atan2(dy, dx);
        const double crackle = TiledFbm(a / (2 * kPi) + 0.5, r * 0.5, 16, 4, 11501u, 0.5);
        const double rim = std::exp(-std::pow((r - 0.8 - 0.08 * (crackle - 0.5)) / 0.07, 2.0));
        if (r < 0.8) {
            const Rgba inner = Mix(Hex(0x0C0418), Hex(0x3A1A6A), r / 0.8);
            return Mix(inner, Hex(0x7FFFE8), rim);
        }
        return WithAlpha(Hex(0x7FFFE8), std::clamp(rim * 1.2, 0.0, 1.0));
    });
    return c;
}

Canvas DrawEye() {
    Canvas c(256, 256);
    cairo_t* cr = c.cr();
    auto lids = [](cairo_t* g) {
        cairo_new_path(g);
        cairo_move_to(g, 8, 128);
        cairo_curve_to(g, 60, 44, 196, 44, 248, 128);
        cairo_curve_to(g, 196, 212, 60, 212, 8, 128);
        cairo_close_path(g);
    };
    Glow(c, Hex(0xFF3AB8, 0.9), 12, [&](cairo_t* g) {
        lids(g);
        cairo_fill(g);
    });
    lids(cr);
    cairo_pattern_t* white = cairo_pattern_create_radial(128, 128, 10, 128, 128, 120);
    AddStop(white, 0.0, Hex(0xFFF0F6));
    AddStop(white, 0.7, Hex(0xF0B8D8));
    AddStop(white, 1.0, Hex(0x9A3A7A));
    cairo_set_source(cr, white);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(white);
    cairo_save(cr);
    cairo_clip(cr);
    // Veins.
    Rng rng(11901);
    SetSource(cr, Hex(0xD0306A, 0.55));
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 10; ++i) {
        const double side = i % 2 ? 1.0 : -1.0;
        cairo_new_path(cr);
        cairo_move_to(cr, 128 + side * 118, 128 + rng.Range(-30, 30));
        cairo_curve_to(cr, 128 + side * 90, 128 + rng.Range(-40, 40), 128 + side * 70, 128 + rng.Range(-30, 30),
                       128 + side * 55, 128 + rng.Range(-20, 20));
        cairo_stroke(cr);
    }
    // Iris rings and a slit pupil.
    cairo_new_path(cr);
    cairo_arc(cr, 128, 128, 56, 0, 2 * kPi);
    cairo_pattern_t* iris = cairo_pattern_create_radial(128, 128, 8, 128, 128, 56);
    AddStop(iris, 0.0, Hex(0xFFE9A0));
    AddStop(iris, 0.35, Hex(0xFF4FA8));
    AddStop(iris, 0.8, Hex(0x7A1A9A));
    AddStop(iris, 1.0, Hex(0x2A0A3A));
    cairo_set_source(cr, iris);
    cairo_fill(cr);
    cairo_pattern_destroy(iris);
    SetSource(cr, Hex(0xFFD0F0, 0.5));
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 36; ++i) {
        const double a = i * kPi / 18;
        cairo_move_to(cr, 128 + 18 * std::cos(a), 128 + 18 * std::sin(a));
        cairo_line_to(cr, 128 + 52 * std::cos(a), 128 + 52 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 82);
    cairo_curve_to(cr, 142, 110, 142, 146, 128, 174);
    cairo_curve_to(cr, 114, 146, 114, 110, 128, 82);
    SetSource(cr, Hex(0x0A020E));
    cairo_fill(cr);
    SoftDisc(cr, 108, 104, 12, Hex(0xFFFFFF, 0.9), Hex(0xFFFFFF, 0.3), 0.4);
    cairo_restore(cr);
    lids(cr);
    SetSource(cr, Hex(0x4A0A3A));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    return c;
}

Canvas DrawSnow() {
    Canvas c(64, 64);
    cairo_t* cr = c.cr();
    SoftDisc(cr, 32, 32, 30, Hex(0xBFEFFF, 0.55), Hex(0x6FC8FF, 0.2), 0.4);
    auto flake = [](cairo_t* g) {
        cairo_new_path(g);
        for (int i = 0; i < 6; ++i) {
            const double a = i * kPi / 3 - kPi / 2;
            cairo_move_to(g, 32, 32);
            cairo_line_to(g, 32 + 24 * std::cos(a), 32 + 24 * std::sin(a));
            for (double k : {0.45, 0.72}) {
                const double mx = 32 + 24 * k * std::cos(a), my = 32 + 24 * k * std::sin(a);
                for (int side = -1; side <= 1; side += 2) {
                    cairo_move_to(g, mx, my);
                    cairo_line_to(g, mx + 8 * (1 - k * 0.5) * std::cos(a + side * 0.9),
                                  my + 8 * (1 - k * 0.5) * std::sin(a + side * 0.9));
                }
            }
        }
        cairo_set_line_cap(g, CAIRO_LINE_CAP_ROUND);
    };
    Glow(c, Hex(0x5FD8FF, 0.9), 3, [&](cairo_t* g) {
        flake(g);
        cairo_set_line_width(g, 4);
        cairo_stroke(g);
    });
    flake(cr);
    SetSource(cr, Hex(0xF4FEFF));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return c;
}

// The last boss's great rift: a dark vortex with a burning violet rim and reaching tendrils.
Canvas DrawLastHole() {
    Canvas c(256, 256);
    Shade(c, [](int x, int y) -> Rgba {
        const double dx = (x + 0.5 - 128) / 124.0, dy = (y + 0.5 - 128) / 124.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double a = std::atan2(dy, dx);
        const double u = a / (2 * kPi) + 0.5;
        const double tendril = TiledFbm(u, r * 0.6, 12, 4, 12301u, 0.55);
        const double reach = 0.62 + 0.3 * tendril;
        const double rim = std::exp(-std::pow((r - 0.5) / 0.09, 2.0));
        Rgba col = Mix(Hex(0x6A1AB8), Hex(0xFF6AD8), rim);
        col = Mix(col, Hex(0xFFE8FF), std::pow(rim, 4.0) * 0.7);
        double alpha = std::clamp((reach - r) * 4.0, 0.0, 1.0);
        if (r < 0.5) {
            col = Mix(Hex(0x0A0214), col, std::pow(r / 0.5, 4.0));
            alpha = 1.0;
        }
        return WithAlpha(col, alpha);
    });
    return c;
}

Canvas DrawBullet() {
    Canvas c(64, 64);
    cairo_t* cr = c.cr();
    SoftDisc(cr, 32, 32, 31, Hex(0xFF4FD8, 0.85), Hex(0xB02AFF, 0.35), 0.4);
    SoftDisc(cr, 32, 32, 14, Hex(0xFFFFFF), Hex(0xFFC8F4, 0.95), 0.55);
    SetSource(cr, Hex(0xFFE0FA, 0.9));
    cairo_set_line_width(cr, 1.5);
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 21, 0, 2 * kPi);
    cairo_stroke(cr);
    return c;
}

}  // namespace

void AddBossPictures(std::vector<Picture>& out) {
    // Stage 1 and 2 bosses.
    out.push_back({"hole", 128, 128, ColourKey::kBlack, DrawHole});
    out.push_back({"baria", 256, 256, ColourKey::kBlack, DrawBarrier});
    out.push_back({"bullet 2", 256, 256, ColourKey::kBlack, DrawShieldGlow});
    out.push_back({"warp2", 256, 256, ColourKey::kBlack, DrawWarp});
    out.push_back({"join", 128, 128, ColourKey::kBlack, DrawJoin});
    out.push_back({"mecha2", 256, 256, ColourKey::kBlack, DrawMecha});
    out.push_back({"circuit", 256, 256, ColourKey::kBlack, DrawCircuit});
    out.push_back({"suik", 256, 256, ColourKey::kBlack, DrawSuction});
    out.push_back({"blackhole", 256, 256, ColourKey::kBlack, DrawBlackHole});
    out.push_back(
        {"flare", 256, 256, ColourKey::kBlack, [] { return DrawFlare(Hex(0xFFFFFF), Hex(0xC89AFF), 12, false); }});
    // The moons.
    out.push_back({"smagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xFFE7A0), Hex(0xFF8AD0), Hex(0, 0), 6, 24, Sigil::kEye, 12001});
                   }});
    out.push_back({"magicup", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xE0FFFF), Hex(0x3FD8FF), Hex(0, 0), 5, 20, Sigil::kChevronsOut, 12002});
                   }});
    out.push_back({"magicdown", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xF0D8FF), Hex(0x9A5AFF), Hex(0, 0), 5, 20, Sigil::kChevronsIn, 12003});
                   }});
    out.push_back(
        {"bmagic", 256, 256, ColourKey::kBlack, [] {
             return Circle({Hex(0xE8FBFF), Hex(0x6FA8FF), Hex(0x2A6AFF, 0.25), 6, 30, Sigil::kAperture, 12004});
         }});
    out.push_back(
        {"moonthunder", 256, 256, ColourKey::kBlack, [] { return DrawThunder(Hex(0xF8F0FF), Hex(0xA06AFF), 12005); }});
    out.push_back({"amagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xFFE0C0), Hex(0xFF4A2A), Hex(0, 0), 3, 24, Sigil::kCrosshair, 12006});
                   }});
    out.push_back({"holeHirami", 256, 256, ColourKey::kBlack, DrawHoleHirami});
    out.push_back(
        {"athunder", 256, 256, ColourKey::kBlack, [] { return DrawThunder(Hex(0xFFFBE0), Hex(0xFFB020), 12007); }});
    // Loaded without a colour key: transparency comes from the alpha channel alone.
    out.push_back(
        {"flare2", 128, 128, ColourKey::kNone, [] { return DrawFlare(Hex(0xFFFFFF), Hex(0xFFD27A), 8, true); }});
    // The last boss.
    out.push_back({"darkmagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xD89AFF), Hex(0xB02AFF), Hex(0x12041E, 0.9), 5, 28, Sigil::kEye, 12101});
                   }});
    out.push_back({"denmagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xFFF6B0), Hex(0xFFD020), Hex(0, 0), 6, 24, Sigil::kBolt, 12102});
                   }});
    out.push_back({"hanmagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xE8FFFF), Hex(0x3FE0FF), Hex(0, 0), 6, 24, Sigil::kSnowflake, 12103});
                   }});
    out.push_back({"bumagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xFFD8D0), Hex(0xFF2A3A), Hex(0, 0), 5, 24, Sigil::kBlade, 12104});
                   }});
    out.push_back({"sanmagic", 256, 256, ColourKey::kBlack, [] {
                       return Circle({Hex(0xD8FFE0), Hex(0x2AE07A), Hex(0, 0), 6, 24, Sigil::kTriad, 12105});
                   }});
    out.push_back({"eye2", 256, 256, ColourKey::kBlack, DrawEye});
    out.push_back({"snow", 64, 64, ColourKey::kBlack, DrawSnow});
    out.push_back({"lasthole", 256, 256, ColourKey::kBlack, DrawLastHole});
    out.push_back({"bullet", 64, 64, ColourKey::kNone, DrawBullet});
}

}  // namespace assetgen::pictures

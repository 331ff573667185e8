#include "assetgen/pictures/scenes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/shapes.h"

namespace assetgen::pictures {

void SkyGradient(cairo_t* cr, double x, double y, double w, double h, const Rgba& top, const Rgba& upper,
                 const Rgba& lower, const Rgba& horizon) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0.0, top);
    AddStop(p, 0.4, upper);
    AddStop(p, 0.78, lower);
    AddStop(p, 1.0, horizon);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Starfield(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count, double brightness,
               bool sparkles) {
    for (int i = 0; i < count; ++i) {
        const double sx = x + rng.Uniform() * w;
        const double sy = y + rng.Uniform() * h;
        const double size = std::pow(rng.Uniform(), 3.0);
        const double tint = rng.Uniform();
        Rgba c = tint < 0.2 ? Hex(0xFFE2C0) : (tint < 0.55 ? Hex(0xCFE6FF) : Hex(0xFFFFFF));
        c.a = brightness * (0.35 + 0.65 * rng.Uniform());
        if (sparkles && size > 0.82) {
            Sparkle(cr, sx, sy, 5.0 + 7.0 * size, 0.0, WithAlpha(c, c.a * 0.9));
        } else {
            SetSource(cr, c);
            cairo_new_path(cr);
            cairo_arc(cr, sx, sy, 0.45 + 1.2 * size, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }
}

void CitySkyline(cairo_t* cr, Rng& rng, double x, double w, double baseY, double maxHeight, int layers) {
    for (int layer = 0; layer < layers; ++layer) {
        const double t = layers > 1 ? static_cast<double>(layer) / (layers - 1) : 1.0;  // 0 far, 1 near
        const Rgba body = Mix(Hex(0x7C93B0), Hex(0x17212E), std::pow(t, 0.8));
        const Rgba bodyTop = Mix(Hex(0x9BB0C8), Hex(0x2B3A4E), std::pow(t, 0.8));
        const double scale = 0.55 + 0.45 * t;
        const double bottom = baseY + 8.0 * t + 2.0;
        double bx = x - rng.Range(0, 30);
        while (bx < x + w) {
            const double bw = rng.Range(18, 58) * scale;
            double bh = maxHeight * scale * (0.25 + 0.75 * std::pow(rng.Uniform(), 1.6));
            if (rng.Uniform() < 0.12) bh *= 1.35;  // the odd tall tower
            const double top = bottom - bh;
            cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
            AddStop(p, 0.0, bodyTop);
            AddStop(p, 1.0, body);
            cairo_set_source(cr, p);
            cairo_new_path(cr);
            const int roof = rng.Below(4);
            if (roof == 0) {
                ChamferPath(cr, bx, top, bw, bh + 40, bw * 0.3, 0, 0, 0);
            } else if (roof == 1) {
                cairo_rectangle(cr, bx, top, bw, bh + 40);
                cairo_rectangle(cr, bx + bw * 0.3, top - bh * 0.08, bw * 0.4, bh * 0.08 + 1);
            } else {
                cairo_rectangle(cr, bx, top, bw, bh + 40);
            }
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            // Windows: a grid of small panes, a quarter of them lit warm by the evening.
            if (t > 0.3) {
                const double pane = 2.0 + 1.6 * t;
                const double stepX = pane * 2.2;
                const double stepY = pane * 2.6;
                for (double wy = top + stepY; wy < bottom - stepY * 0.5; wy += stepY) {
                    for (double wx = bx + stepX * 0.6; wx < bx + bw - pane; wx += stepX) {
                        const double r = rng.Uniform();
                        if (r < 0.28) {
                            SetSource(cr, WithAlpha(r < 0.05 ? Hex(0xFFF0C8) : Hex(0xFFB458), 0.55 + 0.4 * t));
                        } else if (r < 0.45) {
                            SetSource(cr, WithAlpha(Hex(0x8FD8FF), 0.18 * t));
                        } else {
                            continue;
                        }
                        cairo_rectangle(cr, wx, wy, pane, pane * 1.2);
                        cairo_fill(cr);
                    }
                }
            }
            // Aircraft warning lights on the tall ones.
            if (bh > maxHeight * scale * 0.7) {
                SoftDisc(cr, bx + bw / 2, top - 2, 4.0 + 3.0 * t, Hex(0xFF6A4A, 0.95), Hex(0xFF3B2A, 0.4));
                cairo_set_source_rgba(cr, body.r, body.g, body.b, 1);
                cairo_set_line_width(cr, 1.2);
                cairo_move_to(cr, bx + bw / 2, top);
                cairo_line_to(cr, bx + bw / 2, top - bh * 0.1);
                cairo_stroke(cr);
            }
            if (rng.Uniform() < 0.15 && t > 0.2) {
                SetSource(cr, WithAlpha(palette::kCyan, 0.7));
                cairo_rectangle(cr, bx + 1, top + 2, bw - 2, 1.5);
                cairo_fill(cr);
            }
            bx += bw + rng.Range(-4, 10) * scale;
        }
        // Haze between the rows, warm from the low sun.
        if (layer < layers - 1) {
            cairo_pattern_t* haze = cairo_pattern_create_linear(0, baseY - maxHeight, 0, bottom + 10);
            AddStop(haze, 0.0, Hex(0xFFB27A, 0.0));
            AddStop(haze, 0.7, Hex(0xFFB27A, 0.10));
            AddStop(haze, 1.0, Hex(0xFFC89A, 0.35));
            cairo_set_source(cr, haze);
            cairo_rectangle(cr, x, baseY - maxHeight * 1.5, w, maxHeight * 1.5 + 60);
            cairo_fill(cr);
            cairo_pattern_destroy(haze);
        }
    }
}

Rgba BluePlanetSurface(double u, double v) {
    const double h = TiledFbm(u, v, 6, 3, 6, 7101u, 0.55);
    const double lat = std::abs(v - 0.5) * 2.0;  // 0 equator, 1 poles
    Rgba c;
    if (h < 0.57) {
        const double depth = std::clamp((0.57 - h) / 0.2, 0.0, 1.0);
        c = Mix(Hex(0x2FB6E8), Hex(0x0B2F8A), depth);
    } else {
        const double hi = std::clamp((h - 0.57) / 0.16, 0.0, 1.0);
        c = Mix(Hex(0x9BD46A), Hex(0x2F7F4A), hi);
        if (hi > 0.7) c = Mix(c, Hex(0xC9B48A), (hi - 0.7) / 0.3);
        c = Mix(c, Hex(0xE6D69A), std::clamp(1.0 - lat * 3.0, 0.0, 1.0) * 0.15);
    }
    if (lat > 0.78) c = Mix(c, Hex(0xF2FAFF), std::clamp((lat - 0.78) / 0.08, 0.0, 1.0));
    // Clouds stretched along the latitudes.
    const double cloud = TiledFbm(u + 0.05 * std::sin(v * 18.0), v, 8, 8, 5, 7202u, 0.6);
    const double amount = std::clamp((cloud - 0.58) / 0.14, 0.0, 1.0);
    return Mix(c, Hex(0xFFFFFF), amount * 0.85);
}

Rgba MysteryPlanetSurface(double u, double v) {
    const double warp = TiledFbm(u, v, 4, 2, 4, 8101u, 0.55);
    const double band = 0.5 + 0.5 * std::sin((v + 0.12 * warp) * kPi * 11.0 + 3.0 * warp);
    Rgba c = Mix(Hex(0x3A1A78), Hex(0xE070C0), band);
    c = Mix(c, Hex(0xFFD27A), std::clamp((band - 0.82) * 5.0, 0.0, 1.0) * 0.8);
    // Glowing rifts where a second field crosses its midline.
    const double f = TiledFbm(u, v, 6, 3, 5, 8202u, 0.5);
    const double rift = std::exp(-std::pow((f - 0.5) / 0.012, 2.0));
    c = Mix(c, Hex(0xB8FFF6), rift * 0.9);
    // A great staring storm.
    const double du = std::remainder(u - 0.3, 1.0) * 2.0;
    const double dv = v - 0.56;
    const double d = std::sqrt(du * du * 0.5 + dv * dv * 4.0);
    if (d < 0.2) {
        const double k = d / 0.2;
        Rgba eye = Mix(Hex(0x12061E), Hex(0xFF4FA8), std::clamp((k - 0.25) * 3.0, 0.0, 1.0));
        eye = Mix(eye, Hex(0xFFE9A0), std::exp(-std::pow((k - 0.55) / 0.08, 2.0)));
        c = Mix(eye, c, std::clamp((k - 0.8) * 5.0, 0.0, 1.0));
    }
    return c;
}

void Planet(Canvas& canvas, double cx, double cy, double r, Rgba (*surface)(double, double), double spin,
            const Rgba& atmosphere) {
    const double margin = r * 0.18 + 4.0;
    // Only the part of the planet that falls on the canvas is shaded.
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - r - margin)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - r - margin)));
    const int x1 = std::min(canvas.Width(), static_cast<int>(std::ceil(cx + r + margin)));
    const int y1 = std::min(canvas.Height(), static_cast<int>(std::ceil(cy + r + margin)));
    if (x1 <= x0 || y1 <= y0) return;
    Canvas local(x1 - x0, y1 - y0);
    const double lx = -0.62, ly = -0.48, lz = 0.62;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    Shade(local, [&](int px, int py) -> Rgba {
        const double dx = (px + x0 + 0.5 - cx) / r;
        const double dy = (py + y0 + 0.5 - cy) / r;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double light = std::clamp((dx * lx + dy * ly) / ln + 0.35, 0.0, 1.0);
        const double halo = atmosphere.a * std::exp(-std::max(0.0, d - 1.0) * r / margin * 4.0) * (0.25 + 0.75 * light);
        if (d >= 1.0 + 0.5 / r) return WithAlpha(atmosphere, halo);
        const double nz = std::sqrt(std::max(0.0, 1.0 - d * d));
        const double u = spin + std::atan2(dx, nz) / (2.0 * kPi) + 0.5;
        const double v = std::acos(std::clamp(dy, -1.0, 1.0)) / kPi;
        Rgba col = surface(u - std::floor(u), v);
        const double lambert = std::max(0.0, (dx * lx + dy * ly + nz * lz) / ln);
        col = Scale(col, 0.12 + 1.0 * lambert);
        const double rim = std::pow(1.0 - nz, 2.5);
        col = Mix(col, atmosphere, std::clamp(rim * (0.3 + 0.9 * light), 0.0, 1.0));
        // The rim pixel mixes the disc with the halo around it.
        const double edge = std::clamp((1.0 - d) * r + 0.5, 0.0, 1.0);
        const double a = edge + (1.0 - edge) * halo;
        const Rgba out = Mix(atmosphere, col, a > 0.0 ? edge / a : 0.0);
        return WithAlpha(out, a);
    });
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, local.surface(), x0, y0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Nebula(Canvas& canvas, double x, double y, double w, double h, const Rgba& deep, const Rgba& cloudA,
            const Rgba& cloudB, std::uint32_t seed) {
    // Clouds this soft lose nothing at half resolution, and cost a quarter of the noise.
    Canvas local(static_cast<int>(std::ceil(w / 2)) + 1, static_cast<int>(std::ceil(h / 2)) + 1);
    const double aspect = w / h;
    Shade(local, [&](int px, int py) -> Rgba {
        const double u = px * 2.0 / w, v = py * 2.0 / h;
        const double n = TiledFbm(u, v / aspect, 3, 6, seed, 0.55);
        const double m = TiledFbm(u + 0.3, v / aspect, 5, 5, seed + 7, 0.5);
        Rgba col = Mix(deep, Scale(deep, 0.45), v);
        col = Mix(col, cloudA, std::clamp((n - 0.45) * 2.6, 0.0, 1.0) * 0.8);
        col = Mix(col, cloudB, std::clamp((m - 0.55) * 3.0, 0.0, 1.0) * 0.6);
        return col;
    });
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 2.0, 2.0);
    cairo_set_source_surface(cr, local.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    // Padding keeps the filter from fading the last row and column towards transparent.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Rock(cairo_t* cr, Rng& rng, double cx, double cy, double r, const Rgba& light, const Rgba& dark) {
    const int n = 15;
    double radii[n];
    for (double& k : radii) k = r * rng.Range(0.78, 1.08);
    cairo_new_path(cr);
    for (int k = 0; k < n; ++k) {
        const double a = k * 2 * kPi / n;
        const double px = cx + radii[k] * std::cos(a), py = cy + radii[k] * std::sin(a);
        if (k == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.4, r * 0.1, cx, cy, r * 1.1);
    AddStop(body, 0.0, light);
    AddStop(body, 0.55, Mix(light, dark, 0.6));
    AddStop(body, 1.0, dark);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_save(cr);
    cairo_clip(cr);
    for (int i = 0; i < 3; ++i) {
        const double a = rng.Range(0, 2 * kPi), d = rng.Range(0, r * 0.6), cr0 = r * rng.Range(0.12, 0.25);
        const double x = cx + d * std::cos(a), y = cy + d * std::sin(a);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, cr0, 0, 2 * kPi);
        SetSource(cr, WithAlpha(dark, 0.5));
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, cr0, kPi * 0.15, kPi * 0.85);
        SetSource(cr, WithAlpha(light, 0.6));
        cairo_set_line_width(cr, std::max(0.8, cr0 * 0.2));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Moon(Canvas& canvas, double cx, double cy, double r, const Rgba& light, const Rgba& dark, std::uint32_t seed) {
    cairo_t* cr = canvas.cr();
    SoftDisc(cr, cx, cy, r * 2.2, WithAlpha(light, 0.45), WithAlpha(light, 0.12), 0.45);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.35, r * 0.1, cx, cy, r * 1.05);
    AddStop(p, 0.0, Mix(light, Hex(0xFFFFFF), 0.5));
    AddStop(p, 0.6, light);
    AddStop(p, 1.0, dark);
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_save(cr);
    cairo_clip(cr);
    Rng rng(seed);
    for (int i = 0; i < 9; ++i) {
        const double a = rng.Range(0, 2 * kPi);
        const double d = std::sqrt(rng.Uniform()) * r * 0.85;
        const double cr0 = r * rng.Range(0.06, 0.2);
        const double x = cx + d * std::cos(a);
        const double y = cy + d * std::sin(a);
        SetSource(cr, WithAlpha(dark, 0.22));
        cairo_new_path(cr);
        cairo_arc(cr, x, y, cr0, 0, 2 * kPi);
        cairo_fill(cr);
        SetSource(cr, WithAlpha(Mix(light, Hex(0xFFFFFF), 0.5), 0.35));
        cairo_set_line_width(cr, std::max(0.8, cr0 * 0.18));
        cairo_new_path(cr);
        cairo_arc(cr, x, y, cr0, kPi * 0.1, kPi * 0.9);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

namespace {

double HillLine(double x, double base, double amp, double phase, double freq) {
    return base - amp * (0.6 * std::sin(x * freq + phase) + 0.4 * std::sin(x * freq * 2.3 + phase * 1.7));
}

void Flower(cairo_t* cr, double x, double y, double size, const Rgba& petal, const Rgba& centre) {
    SetSource(cr, petal);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5 - kPi / 2;
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, x + std::cos(a) * size * 0.55, y + std::sin(a) * size * 0.35);
        cairo_scale(cr, 1.0, 0.65);
        cairo_arc(cr, 0, 0, size * 0.45, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_fill(cr);
    }
    SetSource(cr, centre);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, size * 0.25, 0, 2 * kPi);
    cairo_fill(cr);
}

}  // namespace

void Meadow(cairo_t* cr, Rng& rng, double x, double w, double horizonY, double bottom, const MeadowLook& look) {
    const int layers = 4;
    std::vector<double> phases;
    for (int i = 0; i < layers; ++i) phases.push_back(rng.Range(0, 2 * kPi));
    for (int layer = 0; layer < layers; ++layer) {
        const double t = static_cast<double>(layer) / (layers - 1);
        const double base = horizonY + (bottom - horizonY) * (0.02 + 0.3 * t * t);
        const double amp = 6.0 + 18.0 * t;
        const double freq = 0.012 / (0.6 + t);
        cairo_new_path(cr);
        cairo_move_to(cr, x, bottom + 2);
        for (double px = x; px <= x + w + 4; px += 4)
            cairo_line_to(cr, px, HillLine(px, base, amp, phases[layer], freq));
        cairo_line_to(cr, x + w + 4, bottom + 2);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, base - amp, 0, bottom);
        const Rgba top = Mix(look.hillFar, look.hillNear, t);
        AddStop(p, 0.0, Mix(top, Hex(0xFFE6F2), 0.25 * (1 - t)));
        AddStop(p, 1.0, Mix(top, look.grassDark, 0.6));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        // Flowers on this hill, denser and larger towards the viewer.
        const int count = static_cast<int>(w * (0.25 + 1.6 * t));
        for (int i = 0; i < count; ++i) {
            const double fx = x + rng.Uniform() * w;
            const double line = HillLine(fx, base, amp, phases[layer], freq);
            const double fy = line + 3 + std::pow(rng.Uniform(), 1.5) * (bottom - line);
            const double depth = std::clamp((fy - horizonY) / (bottom - horizonY), 0.0, 1.0);
            const double size = 1.2 + 9.0 * depth * depth;
            const double pick = rng.Uniform();
            const Rgba petal = pick < 0.5 ? look.flowerA : (pick < 0.8 ? look.flowerB : look.flowerC);
            Flower(cr, fx, fy, size, WithAlpha(petal, 0.75 + 0.25 * depth), Hex(0xFFF3B0));
        }
    }
}

void Fighter(Canvas& canvas, double cx, double cy, double length, double angle, bool enginesLit) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, length, length);
    const double lw = 1.0 / length;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (enginesLit) {
        // Exhaust first, so the hull sits on top of it.
        for (int side = -1; side <= 1; side += 2) {
            cairo_pattern_t* flame = cairo_pattern_create_linear(0, 0.45, 0, 1.1);
            AddStop(flame, 0.0, Hex(0xE8FBFF, 0.95));
            AddStop(flame, 0.25, Hex(0x4FD8FF, 0.7));
            AddStop(flame, 1.0, Hex(0x2A5CFF, 0.0));
            cairo_set_source(cr, flame);
            cairo_new_path(cr);
            cairo_move_to(cr, side * 0.15 - 0.045, 0.46);
            cairo_curve_to(cr, side * 0.15 - 0.05, 0.7, side * 0.15 - 0.01, 0.95, side * 0.15, 1.1);
            cairo_curve_to(cr, side * 0.15 + 0.01, 0.95, side * 0.15 + 0.05, 0.7, side * 0.15 + 0.045, 0.46);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_pattern_destroy(flame);
        }
        Glow(canvas, Hex(0x45D8FF, 0.9), length * 0.06, [&](cairo_t* g) {
            cairo_set_matrix(g, &m);
            cairo_arc(g, -0.15, 0.47, 0.05, 0, 2 * kPi);
            cairo_arc(g, 0.15, 0.47, 0.05, 0, 2 * kPi);
            cairo_fill(g);
        });
    }
    // Main delta wing.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -0.2);
    cairo_line_to(cr, 0.46, 0.26);
    cairo_line_to(cr, 0.47, 0.33);
    cairo_line_to(cr, 0.22, 0.31);
    cairo_line_to(cr, 0.2, 0.4);
    cairo_line_to(cr, -0.2, 0.4);
    cairo_line_to(cr, -0.22, 0.31);
    cairo_line_to(cr, -0.47, 0.33);
    cairo_line_to(cr, -0.46, 0.26);
    cairo_close_path(cr);
    cairo_pattern_t* wing = cairo_pattern_create_linear(-0.4, -0.2, 0.4, 0.4);
    AddStop(wing, 0.0, Hex(0xC9D8E6));
    AddStop(wing, 0.55, Hex(0x8399AE));
    AddStop(wing, 1.0, Hex(0x4A5C70));
    cairo_set_source(cr, wing);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wing);
    SetSource(cr, Hex(0x1C2A38));
    cairo_set_line_width(cr, lw * 1.2);
    cairo_stroke(cr);
    // Orange leading-edge stripes.
    SetSource(cr, palette::kAmber);
    cairo_set_line_width(cr, 0.018);
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_move_to(cr, side * 0.2, 0.02);
        cairo_line_to(cr, side * 0.42, 0.25);
        cairo_stroke(cr);
    }
    // Engine pods.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        ChamferPath(cr, side * 0.15 - 0.055, 0.08, 0.11, 0.4, 0.03, 0.03, 0.01, 0.01);
        cairo_pattern_t* pod = cairo_pattern_create_linear(side * 0.15 - 0.06, 0, side * 0.15 + 0.06, 0);
        AddStop(pod, 0.0, Hex(0x6E8296));
        AddStop(pod, 0.5, Hex(0xB5C6D6));
        AddStop(pod, 1.0, Hex(0x4A5A6C));
        cairo_set_source(cr, pod);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(pod);
        SetSource(cr, Hex(0x1C2A38));
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        // Tail fins, canted outward.
        cairo_new_path(cr);
        cairo_move_to(cr, side * 0.09, 0.18);
        cairo_line_to(cr, side * 0.16, 0.34);
        cairo_line_to(cr, side * 0.14, 0.45);
        cairo_line_to(cr, side * 0.08, 0.42);
        cairo_close_path(cr);
        SetSource(cr, Hex(0x5D7186));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x1C2A38));
        cairo_stroke(cr);
    }
    // Fuselage.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -0.52);
    cairo_curve_to(cr, 0.05, -0.42, 0.085, -0.2, 0.09, 0.05);
    cairo_line_to(cr, 0.08, 0.44);
    cairo_line_to(cr, -0.08, 0.44);
    cairo_line_to(cr, -0.09, 0.05);
    cairo_curve_to(cr, -0.085, -0.2, -0.05, -0.42, 0, -0.52);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(-0.09, 0, 0.09, 0);
    AddStop(body, 0.0, Hex(0x7E93A8));
    AddStop(body, 0.45, Hex(0xEAF2F8));
    AddStop(body, 1.0, Hex(0x5E7286));
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetSource(cr, Hex(0x1C2A38));
    cairo_stroke(cr);
    // Canards.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_move_to(cr, side * 0.06, -0.25);
        cairo_line_to(cr, side * 0.17, -0.14);
        cairo_line_to(cr, side * 0.16, -0.1);
        cairo_line_to(cr, side * 0.07, -0.14);
        cairo_close_path(cr);
        SetSource(cr, Hex(0x9DB0C2));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x1C2A38));
        cairo_stroke(cr);
    }
    // Canopy.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, -0.27);
    cairo_scale(cr, 0.034, 0.1);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, -0.37, 0, -0.17);
    AddStop(glass, 0.0, Hex(0xCFF8FF));
    AddStop(glass, 0.5, Hex(0x2FB8E8));
    AddStop(glass, 1.0, Hex(0x0A3C66));
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    // Spine stripe and wingtip lights.
    SetSource(cr, WithAlpha(palette::kAmber, 0.9));
    cairo_rectangle(cr, -0.008, -0.12, 0.016, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
    for (int side = -1; side <= 1; side += 2) {
        const double wx = 0.465 * side;
        const double wy = 0.3;
        const double px = cx + (wx * std::cos(angle) - wy * std::sin(angle)) * length;
        const double py = cy + (wx * std::sin(angle) + wy * std::cos(angle)) * length;
        SoftDisc(cr, px, py, length * 0.05, side < 0 ? Hex(0xFF6A5A) : Hex(0x7CFFB0),
                 WithAlpha(side < 0 ? Hex(0xFF3B2A) : Hex(0x3BFF8A), 0.4));
    }
}

void Emblem(cairo_t* cr, double cx, double cy, double r, const Rgba& colour, double lineWidth) {
    SetSource(cr, colour);
    cairo_set_line_width(cr, lineWidth);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_set_line_width(cr, lineWidth * 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.84, 0, 2 * kPi);
    cairo_stroke(cr);
    // A forward chevron with swept wings: the prototype from above, reduced to a sign.
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - r * 0.62);
    cairo_line_to(cr, cx + r * 0.56, cy + r * 0.34);
    cairo_line_to(cr, cx + r * 0.2, cy + r * 0.2);
    cairo_line_to(cr, cx, cy + r * 0.5);
    cairo_line_to(cr, cx - r * 0.2, cy + r * 0.2);
    cairo_line_to(cr, cx - r * 0.56, cy + r * 0.34);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double cut, double alpha) {
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, cut, 0, cut, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0.0, Hex(0x0E2436, alpha));
    AddStop(p, 1.0, Hex(0x050B14, alpha * 0.9));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, WithAlpha(palette::kCyan, 0.55 * std::min(1.0, alpha + 0.3)));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Corner ticks.
    SetSource(cr, WithAlpha(palette::kCyanBright, 0.9));
    cairo_set_line_width(cr, 2.0);
    cairo_new_path(cr);
    cairo_move_to(cr, x + w - 24, y - 3);
    cairo_line_to(cr, x + w + 3, y - 3);
    cairo_line_to(cr, x + w + 3, y + 18);
    cairo_move_to(cr, x + 24, y + h + 3);
    cairo_line_to(cr, x - 3, y + h + 3);
    cairo_line_to(cr, x - 3, y + h - 18);
    cairo_stroke(cr);
}

}  // namespace assetgen::pictures

#include "assetgen/pictures/hud_preview.h"

#include <cstdio>
#include <stdexcept>

#include "assetgen/pictures/contact_sheet.h"
#include "assetgen/pictures/hud_layout.h"
#include "assetgen/pictures/scenes.h"

namespace assetgen::pictures {
namespace {

using hud::Rect;

void Piece(cairo_t* cr, const Canvas& picture, const Rect& r, double x, double y, double alpha, double scale = 1.0) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, r.Width(), r.Height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, picture.surface(), -r.left, -r.top);
    cairo_pattern_set_filter(cairo_get_source(cr), scale == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

const Canvas& Find(const std::map<std::string, const Canvas*>& keyed, const char* name) {
    const auto it = keyed.find(name);
    if (it == keyed.end() || !it->second) throw std::runtime_error(std::string("hud preview needs ") + name);
    return *it->second;
}

}  // namespace

Canvas HudPreview(const std::map<std::string, const Canvas*>& keyed) {
    const Canvas hudConsole = AsLoaded(Find(keyed, "console"), ColourKey::kWhite);
    const Canvas scoreConsole = AsLoaded(Find(keyed, "console"), ColourKey::kBlack);
    const Canvas large = AsLoaded(Find(keyed, "console4"), ColourKey::kBlack);
    const Canvas labels = AsLoaded(Find(keyed, "score2"), ColourKey::kBlack);
    const Canvas banner = AsLoaded(Find(keyed, "update"), ColourKey::kBlack);
    const Canvas pickup = AsLoaded(Find(keyed, "getbom"), ColourKey::kBlack);
    const Canvas farSight = AsLoaded(Find(keyed, "sight"), ColourKey::kBlack);
    const Canvas nearSight = AsLoaded(Find(keyed, "sight2"), ColourKey::kBlack);

    Canvas out(800, 600);
    cairo_t* cr = out.cr();
    SkyGradient(cr, 0, 0, 800, 420, Hex(0x2A7FC0), Hex(0x88F0FF), Hex(0xBFE8F0), Hex(0x88F0FF));
    Rng rng(1);
    CitySkyline(cr, rng, 0, 800, 430, 150, 3);
    SetSource(cr, Hex(0x55677A));
    cairo_rectangle(cr, 0, 432, 800, 168);
    cairo_fill(cr);

    // Console, in the order the game draws it: life 150 of 223, dash meter 40 of 157.
    Piece(cr, hudConsole, hud::kLifeFrame, 0, 537, 0.5);
    Piece(cr, hudConsole, {40, 260, 40 + 150, 283}, 8, 541, 0.5);
    Piece(cr, hudConsole, hud::kRightFrame, 503, 537, 0.5);
    // A boss at 60 % of its life: the life bar's art flipped, its right end at 791.
    cairo_save(cr);
    cairo_translate(cr, 503 + hud::kRightFrame.Width(), 0);
    cairo_scale(cr, -1, 1);
    Piece(cr, hudConsole, {40, 260, 40 + 134, 283}, 8, 541, 0.5);
    cairo_restore(cr);
    Piece(cr, hudConsole, hud::kDashFrame, 20, 357, 1.0);
    Piece(cr, hudConsole, {3, 228 + 40, 29, 386}, 23, 361 + 40, 1.0);
    Piece(cr, hudConsole, hud::kCentrePiece, 302, 485, 1.0);
    Piece(cr, hudConsole, hud::kRadarMark, 385, 565, 1.0);
    Piece(cr, hudConsole, hud::kRadarMark, 350, 520, 1.0);
    Piece(cr, hudConsole, hud::kRadarMark, 430, 500, 1.0);
    Piece(cr, pickup, {128, 128, 192, 192}, 65, 490 - 35 * 3, 1.0, 0.5);
    for (int i = 0; i < 3; ++i) Piece(cr, hudConsole, hud::kBombIcon, 70, 500 - 35 * i, 1.0);

    // Score board: frame rate 30, life 67 %, high score 10000, score 2350, banner on.
    auto smallNumber = [&](const char* text, double x, double y) {
        for (int i = 0; text[i]; ++i) Piece(cr, scoreConsole, hud::kSmallDigits[text[i] - '0'], x + 10 * i, y, 1.0);
    };
    smallNumber("30", 530, 549);
    smallNumber("67", 250, 549);
    auto largeNumber = [&](const char* text, double x, double y) {
        for (int i = 0; text[i] && i < 9; ++i) {
            const int d = text[i] - '0';
            Piece(cr, large, hud::kLargeDigits[d], x - (d == 2 ? hud::kLargeTwoShift : 0) + 30 * i, y, 1.0);
        }
    };
    largeNumber("10000", 40, 50);
    largeNumber("2350", 40, 150);
    Piece(cr, labels, {0, 0, 256, 32}, 10, 10, 1.0);
    Piece(cr, labels, {0, 32, 256, 64}, 10, 100, 1.0);
    Piece(cr, banner, {0, 0, 128, 32}, 50, 200, 1.0);

    Piece(cr, nearSight, {0, 0, 64, 64}, 400 - 32, 280 - 32, 1.0);
    Piece(cr, farSight, {0, 0, 32, 32}, 420 - 16, 250 - 16, 1.0);
    return out;
}

}  // namespace assetgen::pictures

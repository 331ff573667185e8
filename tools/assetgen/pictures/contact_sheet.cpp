#include "assetgen/pictures/contact_sheet.h"

#include <algorithm>
#include <cstdio>

#include "assetgen/pictures/colour.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {

namespace {

constexpr int kColumns = 9;
constexpr int kCell = 200;
constexpr int kThumb = 176;
constexpr int kLabel = 30;
constexpr int kMargin = 12;

}  // namespace

Canvas AsLoaded(const Canvas& keyed, ColourKey key) {
    Canvas out(keyed.Width(), keyed.Height());
    const std::uint32_t keyColour = key == ColourKey::kWhite ? 0xFFFFFFFFu : 0xFF000000u;
    for (int y = 0; y < keyed.Height(); ++y) {
        const std::uint32_t* src = keyed.Row(y);
        std::uint32_t* dst = out.Row(y);
        for (int x = 0; x < keyed.Width(); ++x) {
            dst[x] = (key != ColourKey::kNone && src[x] == keyColour) ? 0u : src[x];
        }
    }
    out.MarkDirty();
    return out;
}

namespace {

void Checkerboard(cairo_t* cr, double x, double y, double w, double h, double size) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.16, 0.17, 0.19);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.23, 0.24, 0.27);
    for (int j = 0; j * size < h; ++j) {
        for (int i = (j % 2); i * size < w; i += 2) cairo_rectangle(cr, x + i * size, y + j * size, size, size);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawScaled(cairo_t* cr, const Canvas& picture, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / picture.Width(), h / picture.Height());
    cairo_set_source_surface(cr, picture.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

ContactSheet::ContactSheet(int count)
    : sheet_(kColumns * kCell + 2 * kMargin, ((count + kColumns - 1) / kColumns) * (kCell + kLabel) + 2 * kMargin) {
    cairo_set_source_rgb(sheet_.cr(), 0.05, 0.06, 0.08);
    cairo_paint(sheet_.cr());
}

Canvas Thumbnail(const Picture& picture, const Canvas& keyed) {
    const Canvas loaded = AsLoaded(keyed, picture.key);
    // Full-screen art is shown at the screen's shape, everything else at its own.
    double aspect = static_cast<double>(picture.width) / picture.height;
    if (picture.FullScreen()) aspect = static_cast<double>(picture.shownWidth) / picture.shownHeight;
    const int w = static_cast<int>(aspect >= 1.0 ? kThumb : kThumb * aspect);
    const int h = static_cast<int>(aspect >= 1.0 ? kThumb / aspect : kThumb);
    Canvas thumb(w, h);
    Checkerboard(thumb.cr(), 0, 0, w, h, 8);
    DrawScaled(thumb.cr(), loaded, 0, 0, w, h);
    return thumb;
}

void ContactSheet::Add(const Picture& picture, const Canvas& thumb) {
    const int col = next_ % kColumns;
    const int row = next_ / kColumns;
    ++next_;
    const double cellX = kMargin + col * kCell;
    const double cellY = kMargin + row * (kCell + kLabel);
    const double w = thumb.Width();
    const double h = thumb.Height();
    const double x = cellX + (kCell - w) / 2.0;
    const double y = cellY + (kThumb - h) / 2.0 + 6;
    cairo_t* cr = sheet_.cr();
    cairo_set_source_surface(cr, thumb.surface(), x, y);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 0.4, 0.8, 1.0, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x - 0.5, y - 0.5, w + 1, h + 1);
    cairo_stroke(cr);

    const Font labelFont{"DejaVu Sans", true, false, 12.0, 0.0};
    const Font sizeFont{"DejaVu Sans Mono", false, false, 10.0, 0.0};
    char size[32];
    std::snprintf(size, sizeof size, "%d x %d", picture.width, picture.height);
    cairo_set_source_rgb(cr, 0.85, 0.95, 1.0);
    cairo_new_path(cr);
    TextPath(cr, labelFont, cellX + kCell / 2.0, cellY + kThumb + 20, picture.name, Align::kCentre);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.5, 0.62, 0.7);
    TextPath(cr, sizeFont, cellX + kCell / 2.0, cellY + kThumb + 33, size, Align::kCentre);
    cairo_fill(cr);
}

Canvas ScreenPreview(const Picture& picture, const Canvas& keyed) {
    const Canvas loaded = AsLoaded(keyed, picture.key);
    const int w = picture.shownWidth;
    const int h = picture.shownHeight;
    Canvas out(w, h);
    Checkerboard(out.cr(), 0, 0, w, h, 16);
    DrawScaled(out.cr(), loaded, 0, 0, w, h);
    return out;
}

}  // namespace assetgen::pictures

// Writes the menu icon at every size into the installation's folder beside the data, in the layout
// of an icon theme (icons/hicolor/NxN/apps/korvex.png), and a preview of the sizes side by side, each
// also blown up to the largest so the small ones can be judged pixel by pixel. The game never loads it.
#include <cairo.h>

#include <algorithm>
#include <string>

#include "assetgen/asset_writer.h"
#include "assetgen/icons/icon_art.h"

namespace assetgen::icons {
namespace {

constexpr int kGap = 8;
constexpr int kZoomed = 128;

void GenerateIcons(AssetWriter& out) {
    int natives = kGap;
    for (int size : kIconSizes) natives += size + kGap;
    const int zoomed = kGap + static_cast<int>(kIconSizes.size()) * (kZoomed + kGap);
    pictures::Canvas sheet(std::max(natives, zoomed), kIconSizes.back() + kZoomed + 3 * kGap);
    cairo_t* cr = sheet.cr();
    cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);  // grey shows both light and dark edges
    cairo_paint(cr);
    int x = kGap, zx = kGap;
    for (int size : kIconSizes) {
        pictures::Canvas icon = DrawIcon(size);
        const std::string n = std::to_string(size);
        out.WriteInstallFile("icons/hicolor/" + n + "x" + n + "/apps/korvex.png", pictures::EncodePng(icon, 9));
        cairo_set_source_surface(cr, icon.surface(), x, kGap);
        cairo_paint(cr);
        cairo_save(cr);
        cairo_translate(cr, zx, 2 * kGap + kIconSizes.back());
        const double zoom = static_cast<double>(kZoomed) / size;
        cairo_scale(cr, zoom, zoom);
        cairo_set_source_surface(cr, icon.surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        x += size + kGap;
        zx += kZoomed + kGap;
    }
    out.WritePreview("icons.png", pictures::EncodePng(sheet));
}

KORVEX_ASSET_GENERATOR("icons", GenerateIcons, 30);

}  // namespace
}  // namespace assetgen::icons

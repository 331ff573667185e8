#include "assetgen/icons/icon_art.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/rasterizer.h"
#include "assetgen/pictures/colour.h"

namespace assetgen::icons {

namespace {

using meshes::mat4;
using meshes::vec3;
using pictures::Canvas;

constexpr float kPi = 3.14159265f;

const meshes::Mesh& Fighter() {
    static const meshes::Mesh mesh = [] {
        for (const auto& entry : meshes::Catalogue()) {
            if (entry.gameName == "x\\plu2c.x") return entry.build();
        }
        throw std::runtime_error("icon: the player's fighter is not in the mesh catalogue");
    }();
    return mesh;
}

// Seen from ahead, above and to the right, as it banks towards the viewer: the shape reads as an
// aircraft even at 16 pixels.
const vec3 kViewFrom(0.55f, 0.85f, 0.75f);
const mat4 kBank = meshes::RotationZ(-18.0f);
constexpr float kFieldOfView = 24.0f;
// How much of the picture's half-width the model's bounding sphere takes.
constexpr float kFill = 0.95f;

std::vector<std::uint32_t> Render(int size, int supersample, vec3 background) {
    const meshes::Mesh& mesh = Fighter();
    vec3 lo(1e30f), hi(-1e30f);
    for (const auto& v : mesh.GetGeometry().vertices) {
        const vec3 p(kBank * glm::vec4(v.position, 1.0f));
        lo = glm::min(lo, p);
        hi = glm::max(hi, p);
    }
    const vec3 centre = (lo + hi) * 0.5f;
    float radius = 1e-3f;
    for (const auto& v : mesh.GetGeometry().vertices) {
        radius = std::max(radius, glm::length(vec3(kBank * glm::vec4(v.position, 1.0f)) - centre));
    }
    const float distance = radius / std::sin(kFieldOfView * kPi / 360.0f) / kFill;
    meshes::Rasterizer r(size * supersample, size * supersample);
    r.Clear(background);
    r.SetCamera(centre + glm::normalize(kViewFrom) * distance, centre, kFieldOfView,
                std::max(0.01f, distance - radius * 1.5f));
    meshes::DrawItem item;
    item.mesh = &mesh;
    item.world = kBank;
    r.Draw(item);
    return r.Downsampled(supersample);
}

}  // namespace

Canvas DrawFighter(int size) {
    // The renderer only draws opaque pictures: drawn once over black and once over white, the two
    // differ exactly by how much of the background shows through each pixel.
    const int supersample = std::max(4, 256 / size);
    const std::vector<std::uint32_t> overBlack = Render(size, supersample, vec3(0.0f));
    const std::vector<std::uint32_t> overWhite = Render(size, supersample, vec3(1.0f));
    Canvas canvas(size, size);
    canvas.Flush();
    for (int y = 0; y < size; ++y) {
        std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size + x;
            const std::uint32_t b = overBlack[i], w = overWhite[i];
            int shows = 0;
            for (int shift : {0, 8, 16}) shows += static_cast<int>((w >> shift) & 255) - ((b >> shift) & 255);
            const int alpha = std::clamp(255 - (shows + 1) / 3, 0, 255);
            // Over black the colour is already premultiplied by the coverage; keep it within alpha.
            std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << 24;
            for (int shift : {0, 8, 16}) {
                pixel |= std::min<std::uint32_t>((b >> shift) & 255, static_cast<std::uint32_t>(alpha)) << shift;
            }
            row[x] = pixel;
        }
    }
    canvas.MarkDirty();
    return canvas;
}

Canvas DrawIcon(int size) {
    namespace palette = pictures::palette;
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const double s = size;
    const double inset = std::max(0.5, s / 64.0);
    const double corner = s * 0.18;
    auto tile = [&] {
        const double x0 = inset, y0 = inset, x1 = s - inset, y1 = s - inset;
        cairo_new_path(cr);
        cairo_arc(cr, x1 - corner, y0 + corner, corner, -kPi / 2, 0);
        cairo_arc(cr, x1 - corner, y1 - corner, corner, 0, kPi / 2);
        cairo_arc(cr, x0 + corner, y1 - corner, corner, kPi / 2, kPi);
        cairo_arc(cr, x0 + corner, y0 + corner, corner, kPi, 3 * kPi / 2);
        cairo_close_path(cr);
    };
    // The sky of the first stage: night above, the last of the sun at the horizon.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, s);
    pictures::AddStop(sky, 0.0, palette::kIndigo);
    pictures::AddStop(sky, 0.55, pictures::Hex(0x3A2466));
    pictures::AddStop(sky, 0.85, pictures::Hex(0xC2456A));
    pictures::AddStop(sky, 1.0, palette::kAmber);
    tile();
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);
    cairo_set_line_width(cr, std::max(1.0, s / 48.0));
    pictures::SetSource(cr, pictures::WithAlpha(palette::kCyanBright, 0.55));
    cairo_stroke(cr);

    Canvas fighter = DrawFighter(size);
    cairo_set_source_surface(cr, fighter.surface(), 0, 0);
    tile();
    cairo_clip(cr);
    cairo_paint(cr);
    cairo_reset_clip(cr);
    canvas.Flush();
    return canvas;
}

}  // namespace assetgen::icons

#include "assetgen/meshes/mesh_preview.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "assetgen/asset_writer.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/rasterizer.h"

namespace assetgen::meshes {

namespace {

constexpr int kCellWidth = 240;
constexpr int kCellHeight = 180;
constexpr int kLabelHeight = 18;
constexpr int kColumns = 8;
constexpr int kSupersample = 2;

// The picture as the game would hold it: straight alpha, opaque black keyed out.
bool LoadTexture(const std::filesystem::path& path, Texture* out) {
    if (!std::filesystem::exists(path)) return false;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return false;
    }
    cairo_surface_flush(s);
    out->width = cairo_image_surface_get_width(s);
    out->height = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    out->argb.resize(static_cast<std::size_t>(out->width) * out->height);
    for (int y = 0; y < out->height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < out->width; ++x) {
            std::uint32_t p = row[x];
            std::uint32_t a = p >> 24;
            auto un = [a](std::uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255u + a / 2) / a); };
            std::uint32_t r = un((p >> 16) & 255), g = un((p >> 8) & 255), b = un(p & 255);
            std::uint32_t argb = (a << 24) | (r << 16) | (g << 8) | b;
            if (argb == 0xFF000000u) argb = 0;
            out->argb[static_cast<std::size_t>(y) * out->width + x] = argb;
        }
    }
    cairo_surface_destroy(s);
    return true;
}

// Stand-in for a picture not generated yet: a checker that shows the run of the texture coordinates.
Texture Checker() {
    Texture t;
    t.width = t.height = 64;
    t.argb.resize(64 * 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            bool odd = ((x / 8) + (y / 8)) % 2 != 0;
            std::uint32_t c = odd ? 0xFFD0D4E0u : 0xFF5060A0u;
            if (x < 8 && y < 8) c = 0xFFFF6020u;  // marks where u and v start
            t.argb[static_cast<std::size_t>(y) * 64 + x] = c;
        }
    }
    return t;
}

struct Cell {
    std::string title;
    std::string detail;
    std::vector<std::uint32_t> pixels;
};

vec3 TransformPoint(const mat4& m, vec3 p) { return vec3(m * glm::vec4(p, 1.0f)); }

// Frames the listed items in a cell and renders them.
std::vector<std::uint32_t> RenderItems(const std::vector<DrawItem>& items, const PreviewView& view) {
    Rasterizer r(kCellWidth * kSupersample, kCellHeight * kSupersample);
    r.Clear(vec3(0.055f, 0.065f, 0.1f));
    if (view.gameCamera) {
        r.SetCamera(vec3(0, 4, 0), vec3(0, 0, 20), 45.0f, 1.0f);
    } else {
        vec3 lo(1e30f), hi(-1e30f);
        for (const auto& item : items) {
            for (const auto& v : item.mesh->GetGeometry().vertices) {
                vec3 p = TransformPoint(item.world, v.position);
                lo = glm::min(lo, p);
                hi = glm::max(hi, p);
            }
        }
        vec3 centre = (lo + hi) * 0.5f;
        float radius = 1e-3f;
        for (const auto& item : items) {
            for (const auto& v : item.mesh->GetGeometry().vertices) {
                radius = std::max(radius, glm::length(TransformPoint(item.world, v.position) - centre));
            }
        }
        const float fov = 30.0f;
        float distance = radius / std::sin(fov * 3.14159265f / 360.0f) * 0.92f;
        vec3 eye = centre + glm::normalize(view.from) * distance;
        r.SetCamera(eye, centre, fov, std::max(0.01f, distance - radius * 1.5f));
    }
    for (const auto& item : items) r.Draw(item);
    return r.Downsampled(kSupersample);
}

void PutText(cairo_t* cr, double x, double y, const std::string& s, double size, double grey) {
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, grey, grey, std::min(1.0, grey + 0.08));
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s.c_str());
}

std::string Stem(const std::string& gameName) {
    auto slash = gameName.find_last_of('\\');
    return slash == std::string::npos ? gameName : gameName.substr(slash + 1);
}

const vec3 kStageOneFog(0x88 / 255.0f, 0xF0 / 255.0f, 1.0f);

struct SceneItem {
    std::string gameName;
    mat4 world;
    float alphaScale = 1.0f;
    float fogStart = 0.0f, fogEnd = 0.0f;
};

struct Scene {
    std::string title;
    std::vector<SceneItem> items;
    PreviewView view;
};

mat4 At(vec3 p) { return Translation(p); }

// World matrix of a stage-1 building that has toppled by `roll` degrees, as the stage draws it.
mat4 Toppled(float x, float z, float roll) {
    return Translation(vec3(x - std::sin(roll * 3.14159265f / 180.0f) * 7.0f, 0.0f, z)) * RotationZ(roll);
}

const std::vector<Scene>& Scenes() {
    static const std::vector<Scene> all = [] {
        PreviewView game;
        game.gameCamera = true;
        std::vector<Scene> out;
        out.push_back({"scene: the title",
                       {{"x\\t1.x", At(vec3(0.0f, 2.5f, 200.0f)) * RotationY(40.0f)},
                        {"x\\plu2c.x", At(vec3(0.0f, 2.5f, 5.0f)) * RotationY(210.0f)}},
                       game});
        out.push_back({"scene: the city at dusk",
                       {{"x\\s1.x", mat4(1.0f)},
                        {"x\\s1back4.x", At(vec3(2.5f, 0.0f, 900.0f)), 1.0f, 500.0f, 900.0f},
                        {"x\\hai2.x", Toppled(20.0f, 70.0f, 90.0f), 1.0f, 600.0f, 700.0f},
                        {"x\\hai2.x", Toppled(-10.0f, 120.0f, -90.0f), 1.0f, 600.0f, 700.0f},
                        {"x\\hai2.x", At(vec3(-22.0f, 0.0f, 110.0f)), 1.0f, 600.0f, 700.0f},
                        {"x\\hai2.x", Toppled(10.0f, 330.0f, 40.0f), 1.0f, 600.0f, 700.0f},
                        {"x\\tokio.x", At(vec3(0.0f, 0.0f, 420.0f)), 1.0f, 600.0f, 700.0f},
                        {"x\\kiti02.x", At(vec3(2.5f, 0.0f, 620.0f)), 1.0f, 600.0f, 700.0f},
                        {"x\\enemy05.x", At(vec3(-6.0f, 5.0f, 60.0f))},
                        {"x\\enemy01.x", At(vec3(5.0f, 3.0f, 45.0f)) * RotationY(-10.0f)},
                        {"x\\plu2c.x", At(vec3(-1.0f, 2.0f, 15.0f)) * RotationZ(-8.0f)}},
                       game});
        out.push_back({"scene: the hall, first guardian",
                       {{"x\\kiti02.x", At(vec3(2.5f, 0.0f, -135.0f)), 1.0f, 600.0f, 700.0f},
                        {"x\\bboss01hontai.x", At(vec3(0.0f, 5.0f, 40.0f))},
                        {"x\\bboss01migi.x", At(vec3(4.0f, 5.0f, 43.0f))},
                        {"x\\bboss01hidari.x", At(vec3(-4.0f, 5.0f, 43.0f))},
                        {"x\\bossbeam.x", At(vec3(0.0f, 4.5f, 28.0f)) * Scaling(vec3(3.0f, 2.0f, 4.0f)), 0.3f},
                        {"x\\plu2c.x", At(vec3(0.0f, 2.0f, 15.0f))}},
                       game});
        out.push_back({"scene: the hall, final boss",
                       {{"x\\kiti02.x", At(vec3(2.5f, 0.0f, -135.0f)), 1.0f, 600.0f, 700.0f},
                        {"x\\bboss02.x", At(vec3(0.0f, 5.0f, 40.0f))},
                        {"x\\shield.x", At(vec3(0.0f, 12.0f, 40.0f))},
                        {"x\\shield.x", At(vec3(-6.06f, 1.5f, 40.0f))},
                        {"x\\shield.x", At(vec3(6.06f, 1.5f, 40.0f))},
                        {"x\\baria.x", At(vec3(0.0f, 5.0f, 34.0f)), 0.5f},
                        {"x\\boss01shot.x", At(vec3(3.0f, 4.0f, 24.0f))},
                        {"x\\boss01shot.x", At(vec3(-4.0f, 6.0f, 28.0f))},
                        {"x\\plu2c.x", At(vec3(0.0f, 2.0f, 15.0f))}},
                       game});
        out.push_back({"scene: deep space",
                       {{"x\\tikyu.x", At(vec3(60.0f, 20.0f, 600.0f))},
                        {"x\\meteo.x", At(vec3(20.0f, -20.0f, 120.0f))},
                        {"x\\meteo.x", At(vec3(-24.0f, 18.0f, 200.0f))},
                        {"x\\star.x", At(vec3(-12.0f, -2.0f, 50.0f))},
                        {"x\\star.x", At(vec3(14.0f, 6.0f, 70.0f))},
                        {"x\\enemy02.x", At(vec3(-4.0f, 6.0f, 45.0f))},
                        {"x\\Enemy04.x", At(vec3(5.0f, 1.0f, 40.0f))},
                        {"x\\enemyatack02.x", At(vec3(1.0f, 3.0f, 28.0f))},
                        {"x\\atack02.x", At(vec3(-0.5f, 2.2f, 26.0f))},
                        {"x\\ring.x", At(vec3(-9.0f, -1.0f, 70.0f))},
                        {"x\\plu2c.x", At(vec3(0.0f, 1.0f, 15.0f)) * RotationZ(12.0f)}},
                       game});
        PreviewView front;
        front.from = vec3(0.45f, 0.2f, -1.0f);
        out.push_back({"scene: the knight",
                       {{"x\\bboss03.x", mat4(1.0f)},
                        {"x\\en.x", mat4(1.0f)},
                        {"x\\souti.x", mat4(1.0f)},
                        {"x\\ryou.x", mat4(1.0f)},
                        {"x\\sord.x", At(vec3(1.98f, -1.35f, -3.1f))}},
                       front});
        out.push_back({"scene: the star fortress",
                       {{"x\\boss05.x", mat4(1.0f)},
                        {"x\\bossring.x", At(vec3(0.0f, -2.0f, 3.0f)) * RotationZ(20.0f)},
                        {"x\\fan.x", At(vec3(-3.0f, 3.0f, 3.0f))},
                        {"x\\fan.x", At(vec3(-1.0f, 3.0f, 3.0f))},
                        {"x\\fan.x", At(vec3(1.0f, 3.0f, 3.0f))},
                        {"x\\fan.x", At(vec3(3.0f, 3.0f, 3.0f))},
                        {"x\\holeE.x", At(vec3(-8.0f, -3.0f, -5.0f)) * Scaling(vec3(0.6f, 0.6f, 1.0f))},
                        {"x\\bmeteo.x", At(vec3(6.0f, -4.0f, -6.0f))}},
                       front});
        out.push_back({"scene: the flower field",
                       {{"x\\sora2.x", mat4(1.0f)},
                        {"x\\jimen2.x", mat4(1.0f)},
                        {"x\\hana.x", At(vec3(0.0f, 19.0f, 160.0f)) * RotationZ(-90.0f)},
                        {"x\\hana.x", At(vec3(1.55f, 23.76f, 160.0f)) * RotationZ(-18.0f)},
                        {"x\\hana.x", At(vec3(-4.05f, 21.94f, 160.0f)) * RotationZ(54.0f)},
                        {"x\\hana.x", At(vec3(-4.05f, 16.06f, 160.0f)) * RotationZ(126.0f)},
                        {"x\\hana.x", At(vec3(1.55f, 14.24f, 160.0f)) * RotationZ(198.0f)},
                        {"x\\smoon01.x", At(vec3(-7.0f, 0.0f, 40.0f)) * RotationZ(30.0f)},
                        {"x\\smoon02.x", At(vec3(0.0f, 0.0f, 40.0f))},
                        {"x\\smoon03.x", At(vec3(7.0f, 0.0f, 40.0f))},
                        {"x\\enemy03.x", At(vec3(-3.0f, 5.0f, 28.0f))},
                        {"x\\plu2c.x", At(vec3(0.0f, 2.0f, 15.0f))}},
                       game});
        out.push_back(
            {"scene: the last boss",
             {{"x\\sora2.x", mat4(1.0f)},
              {"x\\jimen2.x", mat4(1.0f)},
              {"x\\kouha.x", At(vec3(0.0f, 0.0f, 40.0f)) * RotationZ(45.0f) * Scaling(vec3(3.0f, 1.0f, 3.0f))},
              {"x\\lboss04.x", At(vec3(0.0f, 0.0f, 40.0f))},
              {"x\\lancer.x", At(vec3(-5.0f, -1.0f, 35.0f))},
              {"x\\lancer.x", At(vec3(5.0f, -1.0f, 35.0f))},
              {"x\\tama.x", At(vec3(8.0f, 5.0f, 30.0f))},
              {"x\\boss04tama.x", At(vec3(-3.0f, 3.0f, 26.0f))},
              {"x\\raser.x", At(vec3(-8.0f, -3.5f, 30.0f)) * Scaling(vec3(1.0f, 1.0f, 3.0f)), 0.5f},
              {"x\\plu2c.x", At(vec3(0.0f, 2.0f, 15.0f))}},
             game});
        return out;
    }();
    return all;
}

}  // namespace

std::vector<std::uint8_t> RenderContactSheet(const std::vector<BuiltMesh>& meshes,
                                             const std::filesystem::path& dataDir) {
    std::map<std::string, Texture> textures;
    const Texture checker = Checker();
    auto textureFor = [&](const std::string& picture) -> const Texture* {
        if (picture.empty()) return nullptr;
        auto it = textures.find(picture);
        if (it == textures.end()) {
            Texture t;
            if (!LoadTexture(dataDir / AssetWriter::ToHostPath(picture), &t)) t = checker;
            it = textures.emplace(picture, std::move(t)).first;
        }
        return &it->second;
    };

    auto itemFor = [&](const BuiltMesh& b, const mat4& world, float alphaScale, float fogStart, float fogEnd) {
        const MeshEntry& e = *b.entry;
        DrawItem item;
        item.mesh = &b.mesh;
        item.world = world;
        item.texture = textureFor(e.picture);
        item.ambientFactor = e.ambientFactor;
        item.cullNone = e.cullNone;
        item.alphaScale = alphaScale;
        if (fogEnd > fogStart) item.fog = {true, fogStart, fogEnd, kStageOneFog};
        return item;
    };

    std::vector<Cell> cells;
    for (const auto& b : meshes) {
        const PreviewView& v = b.entry->view;
        Cell cell;
        cell.title = Stem(b.entry->gameName);
        cell.detail = std::to_string(b.mesh.TriangleCount()) + " tris  " + std::to_string(b.mesh.Materials().size()) +
                      (b.mesh.Materials().size() == 1 ? " mat" : " mats");
        cell.pixels = RenderItems({itemFor(b, v.world, v.alphaScale, v.fogStart, v.fogEnd)}, v);
        cells.push_back(std::move(cell));
    }
    // Scenes: the meshes together, as the game puts them, to judge how the parts fit and read.
    for (const auto& scene : Scenes()) {
        std::vector<DrawItem> items;
        for (const auto& si : scene.items) {
            auto it = std::find_if(meshes.begin(), meshes.end(),
                                   [&](const BuiltMesh& b) { return b.entry->gameName == si.gameName; });
            if (it == meshes.end()) continue;
            items.push_back(itemFor(*it, si.world, si.alphaScale, si.fogStart, si.fogEnd));
        }
        Cell cell;
        cell.title = scene.title;
        cell.pixels = RenderItems(items, scene.view);
        cells.push_back(std::move(cell));
    }

    int rows = static_cast<int>((cells.size() + kColumns - 1) / kColumns);
    int width = kColumns * kCellWidth;
    int height = rows * (kCellHeight + kLabelHeight);
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.02, 0.02, 0.03);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        int cx = static_cast<int>(i % kColumns) * kCellWidth;
        int cy = static_cast<int>(i / kColumns) * (kCellHeight + kLabelHeight);
        cairo_surface_t* img =
            cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(cells[i].pixels.data()),
                                                CAIRO_FORMAT_RGB24, kCellWidth, kCellHeight, kCellWidth * 4);
        cairo_set_source_surface(cr, img, cx, cy);
        cairo_paint(cr);
        cairo_surface_destroy(img);
        PutText(cr, cx + 4, cy + kCellHeight + 13, cells[i].title, 12, 0.92);
        cairo_text_extents_t ext;
        cairo_set_font_size(cr, 10);
        cairo_text_extents(cr, cells[i].detail.c_str(), &ext);
        PutText(cr, cx + kCellWidth - ext.x_advance - 5, cy + kCellHeight + 13, cells[i].detail, 10, 0.55);
        cairo_set_source_rgb(cr, 0.02, 0.02, 0.03);
        cairo_rectangle(cr, cx, cy, kCellWidth, kCellHeight + kLabelHeight);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    std::vector<std::uint8_t> png;
    cairo_surface_write_to_png_stream(
        sheet,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* v = static_cast<std::vector<std::uint8_t>*>(closure);
            v->insert(v->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(sheet);
    if (png.empty()) throw std::runtime_error("cannot encode the mesh contact sheet");
    return png;
}

}  // namespace assetgen::meshes

#pragma once
// A small software renderer for the mesh contact sheet: z-buffer, the game's one white light with its
// ambient and emissive terms, per-pixel textures, fog, alpha blending and culling of counter-clockwise faces,
// so that a face wound the wrong way shows up as a hole.

#include <cstdint>
#include <vector>

#include "assetgen/meshes/mesh.h"

namespace assetgen::meshes {

// A picture as the game sees it after loading: straight (not premultiplied) ARGB, opaque black keyed out.
struct Texture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
};

struct Fog {
    bool on = false;
    float start = 0, end = 0;
    vec3 colour{0.0f};
};

struct DrawItem {
    const Mesh* mesh = nullptr;
    mat4 world{1.0f};
    const Texture* texture = nullptr;  // picture on every material; shown unlit like the game's stages
    float ambientFactor = 1.0f;        // material ambient = diffuse * factor
    bool cullNone = false;
    float alphaScale = 1.0f;  // as the game's draw overrides material alpha (beams, barrier, hits)
    Fog fog;
};

class Rasterizer {
public:
    Rasterizer(int width, int height);

    void Clear(vec3 colour);
    void SetCamera(vec3 eye, vec3 at, float fovYDegrees, float nearZ);
    // Opaque faces first, then translucent ones in mesh order (enough for one model at a time).
    void Draw(const DrawItem& item);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0xAARRGGBB, opaque.
    std::vector<std::uint32_t> Pixels() const;
    // Box-filtered down by an integer factor (antialiasing by supersampling).
    std::vector<std::uint32_t> Downsampled(int factor) const;

private:
    struct ClipVertex {
        vec3 view;  // position in camera space
        glm::vec4 colour;
        vec2 uv;
    };
    void DrawTriangle(const ClipVertex (&v)[3], const Texture* texture, bool translucent);
    // A convex polygon of up to four corners (a triangle after near-plane clipping).
    void Rasterize(const ClipVertex* poly, int count, const Texture* texture, bool translucent);

    int width_, height_;
    std::vector<vec3> colour_;
    std::vector<float> depth_;
    vec3 eye_{0.0f}, right_{1, 0, 0}, up_{0, 1, 0}, forward_{0, 0, 1};
    float focal_ = 1.0f, near_ = 1.0f;
    Fog fog_;
};

}  // namespace assetgen::meshes

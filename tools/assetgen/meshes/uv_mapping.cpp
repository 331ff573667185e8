#include "assetgen/meshes/uv_mapping.h"

#include <algorithm>
#include <cmath>

namespace assetgen::meshes {

namespace {

constexpr float kTwoPi = 6.28318530717959f;

// Gives each triangle corners that do not straddle the wrap of u, and corners on the axis the u of the
// rest of their triangle.
void FixWrap(Geometry& g, float period, const std::vector<bool>& onAxis) {
    for (const auto& t : g.triangles) {
        std::uint32_t idx[3] = {t.a, t.b, t.c};
        float maxU = -1e30f;
        for (auto i : idx) {
            if (!onAxis[i]) maxU = std::max(maxU, g.vertices[i].uv.x);
        }
        for (auto i : idx) {
            if (!onAxis[i] && g.vertices[i].uv.x < maxU - period * 0.5f) g.vertices[i].uv.x += period;
        }
        float sum = 0.0f;
        int count = 0;
        for (auto i : idx) {
            if (!onAxis[i]) {
                sum += g.vertices[i].uv.x;
                ++count;
            }
        }
        for (auto i : idx) {
            if (onAxis[i] && count > 0) g.vertices[i].uv.x = sum / static_cast<float>(count);
        }
    }
}

float Azimuth(vec3 d) {
    // 0.5 at -z (the middle of the picture faces the camera, the seam looks away), 0.75 at +x.
    float u = 0.5f + std::atan2(d.x, -d.z) / kTwoPi;
    return u < 0.0f ? u + 1.0f : u;
}

}  // namespace

Geometry& PlanarUV(Geometry& g, vec3 origin, vec3 uAxis, vec3 vAxis) {
    for (auto& v : g.vertices) v.uv = vec2(glm::dot(v.position - origin, uAxis), glm::dot(v.position - origin, vAxis));
    return g;
}

Geometry& SphericalUV(Geometry& g, vec3 centre, float uRepeat, float vRepeat) {
    g.Unweld();
    std::vector<bool> onAxis(g.vertices.size());
    for (std::size_t i = 0; i < g.vertices.size(); ++i) {
        vec3 d = g.vertices[i].position - centre;
        float len = glm::length(d);
        if (len <= 0.0f) d = vec3(0, 1, 0), len = 1.0f;
        d /= len;
        onAxis[i] = std::sqrt(d.x * d.x + d.z * d.z) < 1e-4f;
        float v = std::acos(std::clamp(d.y, -1.0f, 1.0f)) / (kTwoPi * 0.5f);
        g.vertices[i].uv = vec2(Azimuth(d) * uRepeat, v * vRepeat);
    }
    FixWrap(g, uRepeat, onAxis);
    return g.Weld();
}

Geometry& CylindricalUV(Geometry& g, vec3 centre, float uRepeat, float vPerUnit) {
    g.Unweld();
    std::vector<bool> onAxis(g.vertices.size());
    for (std::size_t i = 0; i < g.vertices.size(); ++i) {
        vec3 d = g.vertices[i].position - centre;
        onAxis[i] = std::sqrt(d.x * d.x + d.z * d.z) < 1e-4f;
        g.vertices[i].uv = vec2(Azimuth(d) * uRepeat, -d.y * vPerUnit);
    }
    FixWrap(g, uRepeat, onAxis);
    return g.Weld();
}

Geometry& BoxUV(Geometry& g, float unitsPerRepeat) {
    g.Unweld();
    float s = 1.0f / unitsPerRepeat;
    for (const auto& t : g.triangles) {
        vec3 n = g.FaceNormal(t);
        vec3 a = glm::abs(n);
        for (auto i : {t.a, t.b, t.c}) {
            vec3 p = g.vertices[i].position * s;
            vec2 uv;
            if (a.x >= a.y && a.x >= a.z) {
                uv = vec2(n.x > 0 ? p.z : -p.z, -p.y);
            } else if (a.y >= a.z) {
                uv = vec2(p.x, n.y > 0 ? p.z : -p.z);
            } else {
                uv = vec2(n.z > 0 ? -p.x : p.x, -p.y);
            }
            g.vertices[i].uv = uv;
        }
    }
    return g.Weld();
}

}  // namespace assetgen::meshes

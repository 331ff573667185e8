#include "assetgen/meshes/design_kit.h"

#include <algorithm>
#include <cmath>

#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

Geometry LatheZ(const std::vector<vec2>& profile, int segments, float creaseDegrees) {
    // Lathe about y with y = z, then stand the axis along z (y goes to +z).
    Geometry g = Lathe(profile, segments, creaseDegrees);
    return g.RotateX(90.0f);
}

Geometry Planform(const std::vector<vec2>& outline, float thickness) {
    // Extruded in xy with depth along z; lying it down sends +y to +z and the depth to y.
    Geometry g = Extrude(outline, thickness);
    return g.RotateX(90.0f);
}

Geometry Plate(const std::vector<vec2>& outline, float thickness) { return Extrude(outline, thickness); }

Geometry MirroredPair(const Geometry& right) {
    Geometry left = right;
    left.MirrorX();
    Geometry both = right;
    return both.Append(left);
}

Geometry RadialZ(const Geometry& g, int count, float startDegrees) {
    Geometry out;
    for (int i = 0; i < count; ++i) {
        Geometry copy = g;
        out.Append(copy.RotateZ(startDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(count)));
    }
    return out;
}

Geometry RadialY(const Geometry& g, int count, float startDegrees) {
    Geometry out;
    for (int i = 0; i < count; ++i) {
        Geometry copy = g;
        out.Append(copy.RotateY(startDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(count)));
    }
    return out;
}

namespace {

float Hash(int x, int y, int z, unsigned seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(z) * 2147483647u + seed * 2654435761u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF) * 2.0f - 1.0f;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

float Noise3(vec3 p, unsigned seed) {
    vec3 f = glm::floor(p);
    vec3 t = p - f;
    int x = static_cast<int>(f.x), y = static_cast<int>(f.y), z = static_cast<int>(f.z);
    float sx = Smooth(t.x), sy = Smooth(t.y), sz = Smooth(t.z);
    auto lerp = [](float a, float b, float k) { return a + (b - a) * k; };
    float c00 = lerp(Hash(x, y, z, seed), Hash(x + 1, y, z, seed), sx);
    float c10 = lerp(Hash(x, y + 1, z, seed), Hash(x + 1, y + 1, z, seed), sx);
    float c01 = lerp(Hash(x, y, z + 1, seed), Hash(x + 1, y, z + 1, seed), sx);
    float c11 = lerp(Hash(x, y + 1, z + 1, seed), Hash(x + 1, y + 1, z + 1, seed), sx);
    return lerp(lerp(c00, c10, sy), lerp(c01, c11, sy), sz);
}

Geometry Rock(float radius, int subdivisions, float roughness, unsigned seed) {
    Geometry g = IcoSphere(1.0f, subdivisions, false);
    g.Displace([&](vec3 p) {
        vec3 d = glm::normalize(p);
        float n = 0.65f * Noise3(d * 1.6f, seed) + 0.35f * Noise3(d * 3.4f, seed + 7u);
        // A squashed, uneven body reads as a rock rather than a ball.
        vec3 squash(1.0f + 0.12f * Hash(1, 2, 3, seed), 0.85f, 1.0f - 0.1f * Hash(4, 5, 6, seed));
        return d * squash * radius * (1.0f + roughness * n);
    });
    g.SmoothNormals(35.0f);
    return SphericalUV(g, vec3(0.0f), 2.0f, 1.0f);
}

}  // namespace assetgen::meshes

namespace assetgen::meshes {

std::vector<vec3> ChamferedSection(float z, float halfWidth, float halfHeight, float chamfer, float centreY) {
    float w = halfWidth, h = halfHeight, c = chamfer;
    return {{w, centreY + h - c, z},  {w - c, centreY + h, z},  {-w + c, centreY + h, z}, {-w, centreY + h - c, z},
            {-w, centreY - h + c, z}, {-w + c, centreY - h, z}, {w - c, centreY - h, z},  {w, centreY - h + c, z}};
}

Geometry GlowDisc(float radius, int segments) {
    return LatheZ({{0.0f, -0.01f}, {radius, -0.01f}, {radius, 0.01f}, {0.0f, 0.01f}}, segments, 50.0f);
}

Geometry& PointAlong(Geometry& g, vec3 direction) {
    vec3 d = glm::normalize(direction);
    // Tip +y down towards +z by the polar angle, then yaw round y to the direction's heading.
    float pitch = std::acos(std::clamp(d.y, -1.0f, 1.0f)) * 57.2957795f;
    float yaw = std::atan2(d.x, d.z) * 57.2957795f;
    return g.RotateX(pitch).RotateY(yaw);
}

}  // namespace assetgen::meshes

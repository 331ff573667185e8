#include "assetgen/meshes/geometry.h"

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

namespace assetgen::meshes {

namespace {

constexpr float kPi = 3.14159265358979f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

// Builds a matrix from the images of the unit axes (column vectors, as glm stores them).
mat4 FromAxes(vec3 x, vec3 y, vec3 z) {
    mat4 m(1.0f);
    m[0] = glm::vec4(x, 0.0f);
    m[1] = glm::vec4(y, 0.0f);
    m[2] = glm::vec4(z, 0.0f);
    return m;
}

}  // namespace

mat4 RotationX(float degrees) {
    float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    // +z goes to (0, -s, c): a positive pitch lowers the nose.
    return FromAxes(vec3(1, 0, 0), vec3(0, c, s), vec3(0, -s, c));
}

mat4 RotationY(float degrees) {
    float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    // +z goes to (s, 0, c): a positive yaw turns the nose right.
    return FromAxes(vec3(c, 0, -s), vec3(0, 1, 0), vec3(s, 0, c));
}

mat4 RotationZ(float degrees) {
    float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return FromAxes(vec3(c, s, 0), vec3(-s, c, 0), vec3(0, 0, 1));
}

mat4 Translation(vec3 offset) {
    mat4 m(1.0f);
    m[3] = glm::vec4(offset, 1.0f);
    return m;
}

mat4 Scaling(vec3 f) { return FromAxes(vec3(f.x, 0, 0), vec3(0, f.y, 0), vec3(0, 0, f.z)); }

std::uint32_t Geometry::AddVertex(vec3 position, vec3 normal, vec2 uv) {
    vertices.push_back({position, normal, uv});
    return static_cast<std::uint32_t>(vertices.size() - 1);
}

void Geometry::AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    Triangle t{a, b, c};
    vec3 n = FaceNormal(t);
    if (glm::dot(n, n) <= 1e-14f) return;
    triangles.push_back(t);
}

void Geometry::AddTriangleFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, vec3 facing) {
    Triangle t{a, b, c};
    vec3 n = FaceNormal(t);
    if (glm::dot(n, n) <= 1e-14f) return;
    if (glm::dot(n, facing) < 0.0f) std::swap(t.b, t.c);
    triangles.push_back(t);
}

void Geometry::AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    AddTriangle(a, b, c);
    AddTriangle(a, c, d);
}

Geometry& Geometry::Append(const Geometry& other) {
    auto base = static_cast<std::uint32_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const auto& t : other.triangles) triangles.push_back({t.a + base, t.b + base, t.c + base});
    return *this;
}

Geometry& Geometry::Transform(const mat4& m) {
    glm::mat3 linear(m);
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(linear));
    for (auto& v : vertices) {
        v.position = vec3(m * glm::vec4(v.position, 1.0f));
        vec3 n = normalMatrix * v.normal;
        float len = glm::length(n);
        v.normal = len > 0.0f ? n / len : n;
    }
    if (glm::determinant(linear) < 0.0f) {
        for (auto& t : triangles) std::swap(t.b, t.c);
    }
    return *this;
}

Geometry& Geometry::FlipWinding() {
    for (auto& t : triangles) std::swap(t.b, t.c);
    for (auto& v : vertices) v.normal = -v.normal;
    return *this;
}

Geometry& Geometry::DoubleSided() {
    Geometry back = *this;
    back.FlipWinding();
    return Append(back);
}

namespace {

using PositionKey = std::tuple<long long, long long, long long>;

PositionKey KeyOf(vec3 p) {
    auto q = [](float f) { return static_cast<long long>(std::llround(static_cast<double>(f) * 1e4)); };
    return {q(p.x), q(p.y), q(p.z)};
}

struct KeyHash {
    std::size_t operator()(const PositionKey& k) const {
        auto h = static_cast<std::size_t>(std::get<0>(k)) * 73856093u;
        h ^= static_cast<std::size_t>(std::get<1>(k)) * 19349663u;
        h ^= static_cast<std::size_t>(std::get<2>(k)) * 83492791u;
        return h;
    }
};

}  // namespace

Geometry& Geometry::SmoothNormals(float creaseDegrees) {
    const float cosCrease = std::cos(Radians(creaseDegrees)) - 1e-5f;
    std::vector<vec3> faceNormals(triangles.size());
    std::vector<vec3> unitNormals(triangles.size());
    std::unordered_map<PositionKey, std::vector<std::uint32_t>, KeyHash> facesAt;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        faceNormals[i] = FaceNormal(triangles[i]);
        unitNormals[i] = glm::normalize(faceNormals[i]);
        const auto& t = triangles[i];
        for (auto idx : {t.a, t.b, t.c})
            facesAt[KeyOf(vertices[idx].position)].push_back(static_cast<std::uint32_t>(i));
    }
    Geometry out;
    out.vertices.reserve(triangles.size() * 3);
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const auto& t = triangles[i];
        std::uint32_t corner[3];
        int k = 0;
        for (auto idx : {t.a, t.b, t.c}) {
            const Vertex& v = vertices[idx];
            vec3 sum(0.0f);
            for (auto f : facesAt[KeyOf(v.position)]) {
                if (glm::dot(unitNormals[f], unitNormals[i]) >= cosCrease) sum += faceNormals[f];
            }
            float len = glm::length(sum);
            corner[k++] = out.AddVertex(v.position, len > 0.0f ? sum / len : unitNormals[i], v.uv);
        }
        out.triangles.push_back({corner[0], corner[1], corner[2]});
    }
    *this = std::move(out);
    return Weld();
}

Geometry& Geometry::Weld() {
    struct VertexKey {
        std::uint32_t bits[8];
        bool operator<(const VertexKey& o) const { return std::memcmp(bits, o.bits, sizeof(bits)) < 0; }
    };
    std::map<VertexKey, std::uint32_t> seen;
    std::vector<Vertex> unique;
    std::vector<std::uint32_t> remap(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vertex& v = vertices[i];
        float f[8] = {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.uv.x, v.uv.y};
        VertexKey key{};
        for (int j = 0; j < 8; ++j) {
            if (f[j] == 0.0f) f[j] = 0.0f;  // one zero, not two
            std::memcpy(&key.bits[j], &f[j], sizeof(float));
        }
        auto [it, inserted] = seen.emplace(key, static_cast<std::uint32_t>(unique.size()));
        if (inserted) unique.push_back(v);
        remap[i] = it->second;
    }
    for (auto& t : triangles) t = {remap[t.a], remap[t.b], remap[t.c]};
    vertices = std::move(unique);
    return *this;
}

Geometry& Geometry::Unweld() {
    Geometry out;
    out.vertices.reserve(triangles.size() * 3);
    for (const auto& t : triangles) {
        auto a = out.AddVertex(vertices[t.a].position, vertices[t.a].normal, vertices[t.a].uv);
        auto b = out.AddVertex(vertices[t.b].position, vertices[t.b].normal, vertices[t.b].uv);
        auto c = out.AddVertex(vertices[t.c].position, vertices[t.c].normal, vertices[t.c].uv);
        out.triangles.push_back({a, b, c});
    }
    *this = std::move(out);
    return *this;
}

Bounds Geometry::GetBounds() const {
    Bounds b;
    if (vertices.empty()) return b;
    b.min = b.max = vertices[0].position;
    for (const auto& v : vertices) {
        b.min = glm::min(b.min, v.position);
        b.max = glm::max(b.max, v.position);
    }
    return b;
}

double Geometry::SignedVolume() const {
    double sum = 0.0;
    for (const auto& t : triangles) {
        glm::dvec3 a(vertices[t.a].position), b(vertices[t.b].position), c(vertices[t.c].position);
        sum += glm::dot(a, glm::cross(b, c));
    }
    return sum / 6.0;
}

vec3 Geometry::FaceNormal(const Triangle& t) const {
    const vec3& a = vertices[t.a].position;
    return glm::cross(vertices[t.b].position - a, vertices[t.c].position - a);
}

Geometry Merge(std::initializer_list<Geometry> parts) {
    Geometry out;
    for (const auto& p : parts) out.Append(p);
    return out;
}

}  // namespace assetgen::meshes

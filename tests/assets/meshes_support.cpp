#include "assets/meshes_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace mesh_tests {

V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(V3 a) { return std::sqrt(Dot(a, a)); }
V3 Normalized(V3 a) { return a * (1.0 / Length(a)); }

namespace {

V3 FromVector(const platform::Vector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

std::optional<platform::MeshData> LoadGameMesh(const std::string& file) {
    const std::filesystem::path path = std::filesystem::path(KORVEX_DATA_DIR) / "x" / file;
    platform::MeshData mesh;
    if (!platform::LoadXMesh(path.string(), &mesh)) {
        ADD_FAILURE() << "x\\" << file << " does not load from " << path;
        return std::nullopt;
    }
    return mesh;
}

std::vector<Tri> Triangles(const platform::MeshData& mesh) {
    std::vector<Tri> out;
    for (std::size_t s = 0; s < mesh.subsets.size(); ++s) {
        const auto& subset = mesh.subsets[s];
        for (std::uint32_t i = 0; i + 2 < subset.indexCount; i += 3) {
            const auto* idx = &mesh.indices[subset.firstIndex + i];
            out.push_back({FromVector(mesh.vertices[idx[0]].position), FromVector(mesh.vertices[idx[1]].position),
                           FromVector(mesh.vertices[idx[2]].position), static_cast<int>(s)});
        }
    }
    return out;
}

Box3 Bounds(const platform::MeshData& mesh) {
    Box3 b;
    b.min = {1e30, 1e30, 1e30};
    b.max = {-1e30, -1e30, -1e30};
    for (std::uint32_t i : mesh.indices) {
        V3 p = FromVector(mesh.vertices[i].position);
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    return b;
}

V3 MaterialCentroid(const std::vector<Tri>& tris, int material) {
    V3 sum;
    double area = 0.0;
    for (const auto& t : tris) {
        if (t.material != material) continue;
        double a = Length(t.Normal()) * 0.5;
        sum = sum + (t.a + t.b + t.c) * (a / 3.0);
        area += a;
    }
    return area > 0.0 ? sum * (1.0 / area) : sum;
}

double RadiusNearEnd(const platform::MeshData& mesh, int direction, double fraction) {
    Box3 b = Bounds(mesh);
    double depth = b.max.z - b.min.z;
    double radius = 0.0;
    for (std::uint32_t i : mesh.indices) {
        V3 p = FromVector(mesh.vertices[i].position);
        double fromEnd = direction < 0 ? p.z - b.min.z : b.max.z - p.z;
        if (fromEnd <= fraction * depth) radius = std::max(radius, std::hypot(p.x, p.y));
    }
    return radius;
}

namespace {

// Möller-Trumbore over the listed triangles. Hits on a shared edge count for both faces (the bounds carry
// a hair of slack), so that a ray along a seam between two parts does not slip through it.
template <typename Indices>
RayHit CastRayAt(const std::vector<Tri>& tris, const Indices& candidates, V3 origin, V3 direction, double maxDistance) {
    const double eps = 1e-12, slack = 1e-7;
    double nearest = maxDistance;
    std::vector<std::pair<double, bool>> hits;
    for (auto index : candidates) {
        const Tri& t = tris[index];
        V3 e1 = t.b - t.a, e2 = t.c - t.a;
        V3 p = Cross(direction, e2);
        double det = Dot(e1, p);
        if (std::abs(det) < eps) continue;
        double inv = 1.0 / det;
        V3 s = origin - t.a;
        double u = Dot(s, p) * inv;
        if (u < -slack || u > 1.0 + slack) continue;
        V3 q = Cross(s, e1);
        double v = Dot(direction, q) * inv;
        if (v < -slack || u + v > 1.0 + slack) continue;
        double dist = Dot(e2, q) * inv;
        if (dist <= 1e-9 || dist > maxDistance) continue;
        hits.emplace_back(dist, Dot(t.Normal(), direction) < 0.0);
        nearest = std::min(nearest, dist);
    }
    RayHit result;
    for (const auto& [dist, front] : hits) {
        // Faces at the same distance (a decal on a hull, the two sides of a sheet) count as one surface.
        if (dist <= nearest * (1.0 + 1e-6) + 1e-6) {
            result.hit = true;
            result.front = result.front || front;
        }
    }
    return result;
}

struct AllIndices {
    std::size_t n;
    struct It {
        std::size_t i;
        std::size_t operator*() const { return i; }
        It& operator++() {
            ++i;
            return *this;
        }
        bool operator!=(const It& o) const { return i != o.i; }
    };
    It begin() const { return {0}; }
    It end() const { return {n}; }
};

}  // namespace

RayHit CastRay(const std::vector<Tri>& tris, V3 origin, V3 direction, double maxDistance) {
    return CastRayAt(tris, AllIndices{tris.size()}, origin, direction, maxDistance);
}

int BackFacesSeenFromOutside(const std::vector<Tri>& tris, const std::vector<V3>& directions) {
    V3 lo{1e30, 1e30, 1e30}, hi{-1e30, -1e30, -1e30};
    for (const auto& t : tris) {
        for (V3 p : {t.a, t.b, t.c}) {
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
    }
    V3 centre = (lo + hi) * 0.5;
    double radius = Length(hi - lo) * 0.5 + 1e-3;
    int bad = 0;
    const int n = 11;
    for (V3 d : directions) {
        d = Normalized(d);
        V3 side = Normalized(Cross(d, std::abs(d.y) < 0.9 ? V3{0, 1, 0} : V3{1, 0, 0}));
        V3 up = Cross(side, d);
        // Rays are parallel: bin the triangles by the grid cells their outline covers, seen along d.
        std::vector<std::vector<std::size_t>> cells(static_cast<std::size_t>(n) * n);
        auto cellOf = [&](double along) { return (along / radius + 1.0) * 0.5 * n - 0.5; };
        for (std::size_t k = 0; k < tris.size(); ++k) {
            double lo0 = 1e30, hi0 = -1e30, lo1 = 1e30, hi1 = -1e30;
            for (V3 p : {tris[k].a, tris[k].b, tris[k].c}) {
                double a = cellOf(Dot(p - centre, side)), b = cellOf(Dot(p - centre, up));
                lo0 = std::min(lo0, a), hi0 = std::max(hi0, a), lo1 = std::min(lo1, b), hi1 = std::max(hi1, b);
            }
            int i0 = std::max(0, static_cast<int>(std::floor(lo0 - 0.2))),
                i1 = std::min(n - 1, static_cast<int>(std::ceil(hi0 + 0.2)));
            int j0 = std::max(0, static_cast<int>(std::floor(lo1 - 0.2))),
                j1 = std::min(n - 1, static_cast<int>(std::ceil(hi1 + 0.2)));
            for (int i = i0; i <= i1; ++i) {
                for (int j = j0; j <= j1; ++j) cells[static_cast<std::size_t>(i) * n + j].push_back(k);
            }
        }
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                // An irrational jitter keeps the rays off the edges and axes the models are built on.
                double a = (static_cast<double>(i) + 0.5 + 0.1234567 * j / n) / n * 2.0 - 1.0;
                double b = (static_cast<double>(j) + 0.5 + 0.0765432 * i / n) / n * 2.0 - 1.0;
                V3 origin = centre - d * (radius * 2.0) + side * (a * radius) + up * (b * radius);
                RayHit hit = CastRayAt(tris, cells[static_cast<std::size_t>(i) * n + j], origin, d, 1e30);
                if (hit.hit && !hit.front) ++bad;
            }
        }
    }
    return bad;
}

int BackFacesSeenFromInside(const std::vector<Tri>& tris, V3 eye, const std::vector<V3>& directions) {
    int bad = 0;
    for (V3 d : directions) {
        RayHit hit = CastRay(tris, eye, Normalized(d));
        if (hit.hit && !hit.front) ++bad;
    }
    return bad;
}

std::vector<V3> SpreadDirections(int count) {
    std::vector<V3> out;
    const double golden = 2.39996322972865332;
    for (int i = 0; i < count; ++i) {
        double y = 1.0 - (static_cast<double>(i) + 0.5) * 2.0 / count;
        double r = std::sqrt(std::max(0.0, 1.0 - y * y));
        double a = golden * i + 0.3;
        out.push_back({r * std::cos(a), y, r * std::sin(a)});
    }
    return out;
}

}  // namespace mesh_tests

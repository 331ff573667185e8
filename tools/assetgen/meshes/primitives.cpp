#include "assetgen/meshes/primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

constexpr float kPi = 3.14159265358979f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

// A flat convex polygon as a fan, facing `facing`.
void AddConvexPolygon(Geometry& g, const std::vector<vec3>& points, vec3 facing) {
    std::vector<std::uint32_t> idx;
    for (const auto& p : points) idx.push_back(g.AddVertex(p));
    for (std::size_t i = 1; i + 1 < idx.size(); ++i) g.AddTriangleFacing(idx[0], idx[i], idx[i + 1], facing);
}

// Ear clipping of a simple polygon; returns index triples (orientation to be set by the caller).
std::vector<std::array<int, 3>> Triangulate(const std::vector<vec2>& poly) {
    std::vector<std::array<int, 3>> out;
    int n = static_cast<int>(poly.size());
    if (n < 3) return out;
    double area = 0.0;
    for (int i = 0; i < n; ++i) {
        const vec2& a = poly[i];
        const vec2& b = poly[(i + 1) % n];
        area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    std::vector<int> ring(n);
    for (int i = 0; i < n; ++i) ring[i] = area >= 0 ? i : n - 1 - i;  // counter-clockwise
    auto cross = [&](int a, int b, int c) {
        vec2 u = poly[b] - poly[a], v = poly[c] - poly[a];
        return static_cast<double>(u.x) * v.y - static_cast<double>(u.y) * v.x;
    };
    auto inside = [&](int p, int a, int b, int c) {
        return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
    };
    int guard = 0;
    while (ring.size() > 3 && guard < 10000) {
        ++guard;
        bool clipped = false;
        int m = static_cast<int>(ring.size());
        for (int i = 0; i < m; ++i) {
            int a = ring[(i + m - 1) % m], b = ring[i], c = ring[(i + 1) % m];
            if (cross(a, b, c) <= 1e-12) continue;
            bool ear = true;
            for (int j = 0; j < m && ear; ++j) {
                int p = ring[j];
                if (p == a || p == b || p == c) continue;
                if (poly[p] == poly[a] || poly[p] == poly[b] || poly[p] == poly[c]) continue;
                if (inside(p, a, b, c)) ear = false;
            }
            if (!ear) continue;
            out.push_back({a, b, c});
            ring.erase(ring.begin() + i);
            clipped = true;
            break;
        }
        if (!clipped) {
            // Degenerate rest (collinear points): close it as a fan.
            for (std::size_t i = 1; i + 1 < ring.size(); ++i) out.push_back({ring[0], ring[i], ring[i + 1]});
            return out;
        }
    }
    if (ring.size() == 3) out.push_back({ring[0], ring[1], ring[2]});
    return out;
}

vec3 NewellNormal(const std::vector<vec3>& pts) {
    vec3 n(0.0f);
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const vec3& a = pts[i];
        const vec3& b = pts[(i + 1) % pts.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n;
}

vec3 Centroid(const std::vector<vec3>& pts) {
    vec3 c(0.0f);
    for (const auto& p : pts) c += p;
    return c / static_cast<float>(pts.size());
}

// A flat cap over a closed section, facing `facing`, mapped by its own extent.
void AddCap(Geometry& g, const std::vector<vec3>& section, vec3 facing) {
    vec3 n = NewellNormal(section);
    if (glm::length(n) < 1e-9f) return;  // a point or a line: nothing to close
    n = glm::normalize(n);
    vec3 ref = std::abs(n.y) < 0.9f ? vec3(0, 1, 0) : vec3(1, 0, 0);
    vec3 u = glm::normalize(glm::cross(ref, n));
    vec3 v = glm::cross(n, u);
    std::vector<vec2> flat;
    vec2 lo(1e30f), hi(-1e30f);
    for (const auto& p : section) {
        flat.emplace_back(glm::dot(p, u), glm::dot(p, v));
        lo = glm::min(lo, flat.back());
        hi = glm::max(hi, flat.back());
    }
    vec2 span = glm::max(hi - lo, vec2(1e-6f));
    auto base = static_cast<std::uint32_t>(g.vertices.size());
    for (std::size_t i = 0; i < section.size(); ++i) {
        g.AddVertex(section[i], vec3(0.0f), vec2((flat[i].x - lo.x) / span.x, 1.0f - (flat[i].y - lo.y) / span.y));
    }
    for (const auto& t : Triangulate(flat)) {
        g.AddTriangleFacing(base + static_cast<std::uint32_t>(t[0]), base + static_cast<std::uint32_t>(t[1]),
                            base + static_cast<std::uint32_t>(t[2]), facing);
    }
}

}  // namespace

Geometry BoxBetween(vec3 lo, vec3 hi) {
    Geometry g;
    vec3 size = hi - lo;
    for (int axis = 0; axis < 3; ++axis) {
        for (int sign = -1; sign <= 1; sign += 2) {
            int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
            vec3 facing(0.0f);
            facing[axis] = static_cast<float>(sign);
            std::uint32_t idx[4];
            const int corners[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
            for (int k = 0; k < 4; ++k) {
                vec3 p;
                p[axis] = sign > 0 ? hi[axis] : lo[axis];
                p[a1] = corners[k][0] ? hi[a1] : lo[a1];
                p[a2] = corners[k][1] ? hi[a2] : lo[a2];
                vec2 uv;
                if (axis == 1) {
                    uv = vec2((p.x - lo.x) / size.x, sign > 0 ? (hi.z - p.z) / size.z : (p.z - lo.z) / size.z);
                } else if (axis == 0) {
                    uv = vec2(sign > 0 ? (p.z - lo.z) / size.z : (hi.z - p.z) / size.z, (hi.y - p.y) / size.y);
                } else {
                    uv = vec2(sign > 0 ? (hi.x - p.x) / size.x : (p.x - lo.x) / size.x, (hi.y - p.y) / size.y);
                }
                idx[k] = g.AddVertex(p, facing, uv);
            }
            g.AddTriangleFacing(idx[0], idx[1], idx[2], facing);
            g.AddTriangleFacing(idx[0], idx[2], idx[3], facing);
        }
    }
    return g;
}

Geometry Box(vec3 size) { return BoxBetween(-size * 0.5f, size * 0.5f); }

Geometry BevelBox(vec3 size, float bevel) {
    vec3 h = size * 0.5f;
    bevel = std::min({bevel, h.x * 0.95f, h.y * 0.95f, h.z * 0.95f});
    // Corner point of the given corner signs on the face of the given axis.
    auto point = [&](vec3 s, int axis) {
        vec3 p = s * (h - vec3(bevel));
        p[axis] = s[axis] * h[axis];
        return p;
    };
    Geometry g;
    const float signs[2] = {-1.0f, 1.0f};
    for (int axis = 0; axis < 3; ++axis) {
        int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
        for (float s : signs) {
            // The face.
            std::vector<vec3> face;
            const float cycle[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
            for (const auto& c : cycle) {
                vec3 sv;
                sv[axis] = s;
                sv[a1] = c[0];
                sv[a2] = c[1];
                face.push_back(point(sv, axis));
            }
            vec3 facing(0.0f);
            facing[axis] = s;
            AddConvexPolygon(g, face, facing);
            // The edge strips running along a2, between this face and the faces of a1.
            for (float t : signs) {
                vec3 lo, hi;
                lo[axis] = s, lo[a1] = t, lo[a2] = -1;
                hi[axis] = s, hi[a1] = t, hi[a2] = 1;
                vec3 edgeFacing(0.0f);
                edgeFacing[axis] = s;
                edgeFacing[a1] = t;
                AddConvexPolygon(g, {point(lo, axis), point(hi, axis), point(hi, a1), point(lo, a1)}, edgeFacing);
            }
        }
    }
    for (float sx : signs) {
        for (float sy : signs) {
            for (float sz : signs) {
                vec3 s(sx, sy, sz);
                AddConvexPolygon(g, {point(s, 0), point(s, 1), point(s, 2)}, s);
            }
        }
    }
    g.FlatNormals();
    return BoxUV(g, std::max({size.x, size.y, size.z}));
}

Geometry Lathe(const std::vector<vec2>& profile, int segments, float creaseDegrees, float startDegrees,
               float sweepDegrees) {
    Geometry g;
    int rows = static_cast<int>(profile.size());
    std::vector<float> along(rows, 0.0f);
    for (int i = 1; i < rows; ++i) along[i] = along[i - 1] + glm::length(profile[i] - profile[i - 1]);
    float total = std::max(along.back(), 1e-6f);
    std::vector<std::vector<std::uint32_t>> grid(rows);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j <= segments; ++j) {
            float a = Radians(startDegrees + sweepDegrees * static_cast<float>(j) / static_cast<float>(segments));
            vec3 p(profile[i].x * std::cos(a), profile[i].y, profile[i].x * std::sin(a));
            grid[i].push_back(g.AddVertex(p, vec3(0.0f), vec2(static_cast<float>(j) / segments, along[i] / total)));
        }
    }
    for (int i = 0; i + 1 < rows; ++i) {
        vec2 d = profile[i + 1] - profile[i];
        for (int j = 0; j < segments; ++j) {
            float a = Radians(startDegrees + sweepDegrees * (static_cast<float>(j) + 0.5f) / segments);
            vec3 facing(d.y * std::cos(a), -d.x, d.y * std::sin(a));
            g.AddTriangleFacing(grid[i][j], grid[i + 1][j], grid[i + 1][j + 1], facing);
            g.AddTriangleFacing(grid[i][j], grid[i + 1][j + 1], grid[i][j + 1], facing);
        }
    }
    return g.SmoothNormals(creaseDegrees);
}

Geometry Cylinder(float radius, float height, int segments) { return Frustum(radius, radius, height, segments); }

Geometry Frustum(float bottomRadius, float topRadius, float height, int segments) {
    float h = height * 0.5f;
    return Lathe({{0, -h}, {bottomRadius, -h}, {topRadius, h}, {0, h}}, segments, 50.0f);
}

Geometry Cone(float radius, float height, int segments) {
    return Lathe({{0, 0}, {radius, 0}, {0, height}}, segments, 50.0f);
}

Geometry Sphere(float radius, int segments, int rings) {
    std::vector<vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        float a = Radians(-90.0f + 180.0f * static_cast<float>(i) / rings);
        profile.emplace_back(i == 0 || i == rings ? 0.0f : radius * std::cos(a), radius * std::sin(a));
    }
    return Lathe(profile, segments, 80.0f);
}

Geometry IcoSphere(float radius, int subdivisions, bool smooth) {
    const float t = (1.0f + std::sqrt(5.0f)) * 0.5f;
    std::vector<vec3> pts = {{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
                             {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
    for (auto& p : pts) p = glm::normalize(p);
    std::vector<std::array<int, 3>> faces = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                             {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                             {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                             {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    for (int s = 0; s < subdivisions; ++s) {
        std::map<std::pair<int, int>, int> mid;
        auto midpoint = [&](int a, int b) {
            auto key = std::minmax(a, b);
            auto it = mid.find(key);
            if (it != mid.end()) return it->second;
            pts.push_back(glm::normalize(pts[a] + pts[b]));
            int idx = static_cast<int>(pts.size() - 1);
            mid[key] = idx;
            return idx;
        };
        std::vector<std::array<int, 3>> next;
        for (const auto& f : faces) {
            int ab = midpoint(f[0], f[1]), bc = midpoint(f[1], f[2]), ca = midpoint(f[2], f[0]);
            next.push_back({f[0], ab, ca});
            next.push_back({f[1], bc, ab});
            next.push_back({f[2], ca, bc});
            next.push_back({ab, bc, ca});
        }
        faces = std::move(next);
    }
    Geometry g;
    for (const auto& p : pts) g.AddVertex(p * radius, p);
    for (const auto& f : faces) {
        vec3 c = (pts[f[0]] + pts[f[1]] + pts[f[2]]) / 3.0f;
        g.AddTriangleFacing(static_cast<std::uint32_t>(f[0]), static_cast<std::uint32_t>(f[1]),
                            static_cast<std::uint32_t>(f[2]), c);
    }
    g.SmoothNormals(smooth ? 60.0f : 0.0f);
    return SphericalUV(g, vec3(0.0f), 1.0f, 1.0f);
}

Geometry Torus(float majorRadius, float minorRadius, int majorSegments, int minorSegments) {
    Geometry g;
    std::vector<std::vector<std::uint32_t>> grid(majorSegments + 1);
    for (int i = 0; i <= majorSegments; ++i) {
        float phi = 2.0f * kPi * static_cast<float>(i) / majorSegments;
        for (int j = 0; j <= minorSegments; ++j) {
            float theta = 2.0f * kPi * static_cast<float>(j) / minorSegments;
            vec3 n(std::cos(theta) * std::cos(phi), std::cos(theta) * std::sin(phi), std::sin(theta));
            vec3 p = vec3(std::cos(phi), std::sin(phi), 0.0f) * majorRadius + n * minorRadius;
            grid[i].push_back(
                g.AddVertex(p, n, vec2(static_cast<float>(i) / majorSegments, static_cast<float>(j) / minorSegments)));
        }
    }
    for (int i = 0; i < majorSegments; ++i) {
        for (int j = 0; j < minorSegments; ++j) {
            std::uint32_t q[4] = {grid[i][j], grid[i + 1][j], grid[i + 1][j + 1], grid[i][j + 1]};
            vec3 facing = g.vertices[q[0]].normal + g.vertices[q[2]].normal;
            g.AddTriangleFacing(q[0], q[1], q[2], facing);
            g.AddTriangleFacing(q[0], q[2], q[3], facing);
        }
    }
    return g;
}

Geometry Loft(const std::vector<std::vector<vec3>>& sections, bool capFirst, bool capLast, float creaseDegrees) {
    if (sections.size() < 2) throw std::invalid_argument("a loft needs two sections");
    std::size_t n = sections[0].size();
    Geometry g;
    std::vector<vec3> centres;
    for (const auto& s : sections) {
        if (s.size() != n) throw std::invalid_argument("loft sections differ in point count");
        centres.push_back(Centroid(s));
    }
    std::vector<std::vector<std::uint32_t>> grid(sections.size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        float v = static_cast<float>(i) / static_cast<float>(sections.size() - 1);
        for (std::size_t j = 0; j <= n; ++j) {
            grid[i].push_back(g.AddVertex(sections[i][j % n], vec3(0.0f), vec2(static_cast<float>(j) / n, v)));
        }
    }
    // Side faces in one consistent order, then turned as a whole to face away from the centre line.
    double vote = 0.0;
    for (std::size_t i = 0; i + 1 < sections.size(); ++i) {
        vec3 axisPoint = (centres[i] + centres[i + 1]) * 0.5f;
        for (std::size_t j = 0; j < n; ++j) {
            std::uint32_t q[4] = {grid[i][j], grid[i][j + 1], grid[i + 1][j + 1], grid[i + 1][j]};
            std::size_t before = g.triangles.size();
            g.AddTriangle(q[0], q[1], q[2]);
            g.AddTriangle(q[0], q[2], q[3]);
            for (std::size_t k = before; k < g.triangles.size(); ++k) {
                const auto& t = g.triangles[k];
                vec3 mid = (g.vertices[t.a].position + g.vertices[t.b].position + g.vertices[t.c].position) / 3.0f;
                vote += glm::dot(g.FaceNormal(t), mid - axisPoint);
            }
        }
    }
    if (vote < 0.0) {
        for (auto& t : g.triangles) std::swap(t.b, t.c);
    }
    if (capFirst) AddCap(g, sections.front(), centres.front() - centres[1]);
    if (capLast) AddCap(g, sections.back(), centres.back() - centres[centres.size() - 2]);
    return g.SmoothNormals(creaseDegrees);
}

Geometry Sweep(const std::vector<vec3>& path, const std::vector<float>& radii, int sides, bool capped) {
    std::size_t count = path.size();
    std::vector<std::vector<vec3>> sections;
    vec3 normal(0.0f);
    for (std::size_t i = 0; i < count; ++i) {
        vec3 tangent = glm::normalize(path[std::min(i + 1, count - 1)] - path[i == 0 ? 0 : i - 1]);
        if (i == 0) {
            vec3 ref = std::abs(tangent.y) < 0.9f ? vec3(0, 1, 0) : vec3(1, 0, 0);
            normal = glm::normalize(glm::cross(ref, tangent));
        } else {
            normal = glm::normalize(normal - tangent * glm::dot(normal, tangent));
        }
        vec3 binormal = glm::cross(tangent, normal);
        float r = radii[std::min(i, radii.size() - 1)];
        std::vector<vec3> ring;
        for (int k = 0; k < sides; ++k) {
            float a = 2.0f * kPi * static_cast<float>(k) / sides;
            ring.push_back(path[i] + (normal * std::cos(a) + binormal * std::sin(a)) * r);
        }
        sections.push_back(ring);
    }
    return Loft(sections, capped, capped, 60.0f);
}

Geometry Extrude(const std::vector<vec2>& outline, float depth, float creaseDegrees) {
    return Loft({SectionAt(outline, -depth * 0.5f), SectionAt(outline, depth * 0.5f)}, true, true, creaseDegrees);
}

Geometry Quad(vec2 size) {
    Geometry g;
    vec2 h = size * 0.5f;
    vec3 n(0, 0, -1);
    auto a = g.AddVertex({-h.x, -h.y, 0}, n, {0, 1});
    auto b = g.AddVertex({-h.x, h.y, 0}, n, {0, 0});
    auto c = g.AddVertex({h.x, h.y, 0}, n, {1, 0});
    auto d = g.AddVertex({h.x, -h.y, 0}, n, {1, 1});
    g.AddTriangleFacing(a, b, c, n);
    g.AddTriangleFacing(a, c, d, n);
    return g;
}

Geometry Disc(float radius, int segments) {
    Geometry g;
    vec3 n(0, 0, -1);
    auto centre = g.AddVertex({0, 0, 0}, n, {0.5f, 0.5f});
    std::vector<std::uint32_t> rim;
    for (int i = 0; i < segments; ++i) {
        float a = 2.0f * kPi * static_cast<float>(i) / segments;
        vec2 d(std::cos(a), std::sin(a));
        rim.push_back(g.AddVertex(vec3(d * radius, 0.0f), n, vec2(0.5f + 0.5f * d.x, 0.5f - 0.5f * d.y)));
    }
    for (int i = 0; i < segments; ++i) g.AddTriangleFacing(centre, rim[i], rim[(i + 1) % segments], n);
    return g;
}

Geometry Annulus(float innerRadius, float outerRadius, int segments) {
    Geometry g;
    vec3 n(0, 0, -1);
    std::vector<std::uint32_t> inner, outer;
    for (int i = 0; i < segments; ++i) {
        float a = 2.0f * kPi * static_cast<float>(i) / segments;
        vec2 d(std::cos(a), std::sin(a));
        float fi = innerRadius / outerRadius;
        inner.push_back(
            g.AddVertex(vec3(d * innerRadius, 0.0f), n, vec2(0.5f + 0.5f * fi * d.x, 0.5f - 0.5f * fi * d.y)));
        outer.push_back(g.AddVertex(vec3(d * outerRadius, 0.0f), n, vec2(0.5f + 0.5f * d.x, 0.5f - 0.5f * d.y)));
    }
    for (int i = 0; i < segments; ++i) {
        int j = (i + 1) % segments;
        g.AddTriangleFacing(inner[i], outer[i], outer[j], n);
        g.AddTriangleFacing(inner[i], outer[j], inner[j], n);
    }
    return g;
}

Geometry ConvexHull(const std::vector<vec3>& points) {
    int n = static_cast<int>(points.size());
    if (n < 4) throw std::invalid_argument("a hull needs four points");
    std::vector<glm::dvec3> p(points.begin(), points.end());
    double scale = 0.0;
    for (const auto& q : p) scale = std::max(scale, glm::length(q - p[0]));
    const double eps = 1e-7 * std::max(scale, 1e-6);
    // A first tetrahedron from well spread points.
    int i0 = 0, i1 = 0, i2 = -1, i3 = -1;
    for (int i = 1; i < n; ++i) {
        if (glm::length(p[i] - p[i0]) > glm::length(p[i1] - p[i0])) i1 = i;
    }
    double best = eps;
    for (int i = 0; i < n; ++i) {
        double d = glm::length(glm::cross(p[i1] - p[i0], p[i] - p[i0]));
        if (d > best) best = d, i2 = i;
    }
    best = eps * std::max(scale, 1.0);
    if (i2 >= 0) {
        glm::dvec3 nrm = glm::cross(p[i1] - p[i0], p[i2] - p[i0]);
        for (int i = 0; i < n; ++i) {
            double d = std::abs(glm::dot(nrm, p[i] - p[i0]));
            if (d > best) best = d, i3 = i;
        }
    }
    if (i2 < 0 || i3 < 0) throw std::invalid_argument("hull points are flat");

    struct Face {
        int a, b, c;
        bool alive;
    };
    std::vector<Face> faces;
    std::map<std::pair<int, int>, int> edgeFace;
    auto normalOf = [&](const Face& f) { return glm::cross(p[f.b] - p[f.a], p[f.c] - p[f.a]); };
    auto addFace = [&](int a, int b, int c) {
        faces.push_back({a, b, c, true});
        int id = static_cast<int>(faces.size() - 1);
        edgeFace[{a, b}] = id;
        edgeFace[{b, c}] = id;
        edgeFace[{c, a}] = id;
    };
    glm::dvec3 inner = (p[i0] + p[i1] + p[i2] + p[i3]) * 0.25;
    const int tet[4][3] = {{i0, i1, i2}, {i0, i3, i1}, {i1, i3, i2}, {i2, i3, i0}};
    for (const auto& t : tet) {
        Face f{t[0], t[1], t[2], true};
        if (glm::dot(normalOf(f), p[t[0]] - inner) < 0) std::swap(f.b, f.c);
        addFace(f.a, f.b, f.c);
    }
    for (int i = 0; i < n; ++i) {
        if (i == i0 || i == i1 || i == i2 || i == i3) continue;
        std::vector<int> visible;
        for (int f = 0; f < static_cast<int>(faces.size()); ++f) {
            if (!faces[f].alive) continue;
            glm::dvec3 nrm = normalOf(faces[f]);
            double len = glm::length(nrm);
            if (len > 0 && glm::dot(nrm / len, p[i] - p[faces[f].a]) > eps) visible.push_back(f);
        }
        if (visible.empty()) continue;
        std::vector<std::pair<int, int>> horizon;
        for (int f : visible) faces[f].alive = false;
        for (int f : visible) {
            const Face& fc = faces[f];
            const int e[3][2] = {{fc.a, fc.b}, {fc.b, fc.c}, {fc.c, fc.a}};
            for (const auto& ed : e) {
                auto it = edgeFace.find({ed[1], ed[0]});
                if (it != edgeFace.end() && faces[it->second].alive) horizon.emplace_back(ed[0], ed[1]);
            }
        }
        for (int f : visible) {
            const Face& fc = faces[f];
            for (auto key : {std::pair{fc.a, fc.b}, std::pair{fc.b, fc.c}, std::pair{fc.c, fc.a}}) {
                auto it = edgeFace.find(key);
                if (it != edgeFace.end() && it->second == f) edgeFace.erase(it);
            }
        }
        for (const auto& [a, b] : horizon) addFace(a, b, i);
    }
    Geometry g;
    for (const auto& f : faces) {
        if (!f.alive) continue;
        auto a = g.AddVertex(points[f.a]);
        auto b = g.AddVertex(points[f.b]);
        auto c = g.AddVertex(points[f.c]);
        g.AddTriangle(a, b, c);
    }
    g.FlatNormals();
    vec3 centre(inner);
    return SphericalUV(g, centre, 1.0f, 1.0f);
}

std::vector<vec2> RegularPolygon(int sides, float radius, float startDegrees) {
    std::vector<vec2> out;
    for (int i = 0; i < sides; ++i) {
        float a = Radians(startDegrees + 360.0f * static_cast<float>(i) / sides);
        out.emplace_back(radius * std::cos(a), radius * std::sin(a));
    }
    return out;
}

std::vector<vec3> SectionAt(const std::vector<vec2>& outline, float z) {
    std::vector<vec3> out;
    for (const auto& p : outline) out.emplace_back(p.x, p.y, z);
    return out;
}

}  // namespace assetgen::meshes

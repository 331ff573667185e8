// Stages 2 and 3: the rocks, star shards and planet of deep space; the petals, sky and ground of the
// flower field (the planet comes back there with another picture).
#include <algorithm>
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

constexpr float kPi = 3.14159265f;

// A drifting rock, 26 across (its collision radius is 13), wearing t\meteo.png twice round.
Mesh BuildRock() {
    Mesh m("meteo");
    int rock = m.AddMaterial(Textured(1.0f, 0.2f));
    m.Add(Rock(12.5f, 2, 0.24f, 5u), rock);
    return m;
}

// A star shard of the star field, about 2 across: a stellated icosahedron (a spiky star from any side),
// mapped round like a sphere so that the moon or rock picture both sit well on it.
Mesh BuildStarShard() {
    Mesh m("star");
    int shard = m.AddMaterial(Textured(1.0f, 0.3f));
    Geometry core = IcoSphere(0.55f, 0, false);
    Geometry g;
    for (const auto& t : core.triangles) {
        vec3 a = core.vertices[t.a].position, b = core.vertices[t.b].position, c = core.vertices[t.c].position;
        vec3 apex = glm::normalize(a + b + c) * 1.05f;
        for (auto [p, q] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
            auto i0 = g.AddVertex(p), i1 = g.AddVertex(q), i2 = g.AddVertex(apex);
            vec3 mid = (p + q + apex) / 3.0f;
            g.AddTriangleFacing(i0, i1, i2, mid);
        }
    }
    g.FlatNormals();
    m.Add(SphericalUV(g, vec3(0.0f), 1.0f, 1.0f), shard);
    return m;
}

// The planet: radius 100, its picture wrapped once round (u) and pole to pole (v), the seam at the back.
Mesh BuildPlanet() {
    Mesh m("tikyu");
    int surface = m.AddMaterial(Textured(1.0f, 0.35f));
    Geometry g = Sphere(100.0f, 32, 16);
    m.Add(SphericalUV(g, vec3(0.0f), 1.0f, 1.0f), surface);
    return m;
}

// One petal: its base at the origin, 9 long up +y, 6 wide, cupped towards the viewer (-z) and bent back at
// the tip, showing from both sides. u runs across (0 left to 1 right seen from the front), v from the tip
// (0) to the base (1), as a petal picture stands.
Mesh BuildPetal() {
    Mesh m("hana");
    int petal = m.AddMaterial(Textured(1.0f, 0.3f));
    const int across = 8, along = 10;
    const float length = 9.0f, width = 6.0f;
    Geometry g;
    std::vector<std::uint32_t> grid;
    for (int j = 0; j <= along; ++j) {
        float t = static_cast<float>(j) / along;
        // Narrow at the base, widest past the middle, round at the tip.
        float halfWidth = t < 0.55f
                              ? 0.5f * width * (0.2f + 0.8f * std::sin(0.5f * kPi * t / 0.55f))
                              : 0.5f * width * std::sqrt(std::max(0.0f, 1.0f - std::pow((t - 0.55f) / 0.45f, 2.0f)));
        for (int i = 0; i <= across; ++i) {
            float s = -1.0f + 2.0f * static_cast<float>(i) / across;
            float x = s * halfWidth;
            float z = -0.9f * (1.0f - s * s) * std::sin(kPi * t) + 1.2f * t * t;
            grid.push_back(g.AddVertex({x, t * length, z}, {0, 0, -1}, {0.5f + 0.5f * s, 1.0f - t}));
        }
    }
    for (int j = 0; j < along; ++j) {
        for (int i = 0; i < across; ++i) {
            auto at = [&](int di, int dj) { return grid[(j + dj) * (across + 1) + (i + di)]; };
            // Seen from -z, x right and y up: a, up, up-right, right is clockwise.
            g.AddTriangle(at(0, 0), at(0, 1), at(1, 1));
            g.AddTriangle(at(0, 0), at(1, 1), at(1, 0));
        }
    }
    g.SmoothNormals(60.0f);
    g.DoubleSided();
    m.Add(g, petal);
    return m;
}

// Maps a direction to the sky picture as if seen from a point below the centre: the picture spreads
// overhead and is drawn together towards the horizon, with no pinch at the zenith.
vec2 SkyUV(vec3 d) { return vec2(0.5f + 1.4f * d.x / (d.y + 1.25f), 0.5f + 1.4f * d.z / (d.y + 1.25f)); }

// Stage-3 sky: a dome of radius 800 round the camera (from 20 degrees below the horizon to the top),
// facing inwards, wearing the cloud pictures.
Mesh BuildFlowerSky() {
    Mesh m("sora2");
    int sky = m.AddMaterial(Textured(1.0f, 1.0f));
    std::vector<vec2> profile;
    for (float e : {90.0f, 70.0f, 52.0f, 38.0f, 26.0f, 16.0f, 8.0f, 2.0f, -6.0f, -20.0f}) {
        float a = e * kPi / 180.0f;
        profile.emplace_back(e == 90.0f ? 0.0f : 800.0f * std::cos(a), 800.0f * std::sin(a));
    }
    Geometry g = Lathe(profile, 32, 90.0f);
    g.Unweld();
    for (auto& v : g.vertices) v.uv = SkyUV(glm::normalize(v.position));
    m.Add(g.Weld(), sky);
    return m;
}

// Stage-3 ground: a disc of radius 760 at y = -45 (below every flower), facing up, in rings so that it
// stays smooth under any renderer; the flower pictures repeat every 60 units.
Mesh BuildFlowerGround() {
    Mesh m("jimen2");
    int ground = m.AddMaterial(Textured(1.0f, 0.6f));
    std::vector<vec2> profile;
    for (float r : {760.0f, 560.0f, 400.0f, 280.0f, 180.0f, 100.0f, 40.0f, 0.0f}) profile.emplace_back(r, -45.0f);
    // A profile running inwards along a flat line faces up.
    Geometry g = Lathe(profile, 32, 10.0f);
    m.Add(PlanarUV(g, vec3(0.0f), vec3(1.0f / 60.0f, 0, 0), vec3(0, 0, 1.0f / 60.0f)), ground);
    return m;
}

PreviewView Framed(vec3 from) {
    PreviewView v;
    v.from = from;
    return v;
}

PreviewView InGame(const mat4& world) {
    PreviewView v;
    v.gameCamera = true;
    v.world = world;
    return v;
}

}  // namespace

void AddSpaceAndFlowerScenery(std::vector<MeshEntry>& out) {
    out.push_back({"x\\meteo.x", BuildRock, "t\\meteo.png", 1.0f, false, Framed(vec3(0.4f, 0.3f, -1.0f))});
    out.push_back({"x\\star.x", BuildStarShard, "t\\moon.png", 1.0f, false, Framed(vec3(0.4f, 0.3f, -1.0f))});
    out.push_back({"x\\tikyu.x", BuildPlanet, "t\\space.png", 1.0f, true,
                   InGame(Translation(vec3(0.0f, 0.0f, 400.0f)) * RotationX(-15.0f))});
    out.push_back({"x\\hana.x", BuildPetal, "t\\petal.png", 1.0f, false, Framed(vec3(0.3f, 0.2f, -1.0f))});
    out.push_back({"x\\sora2.x", BuildFlowerSky, "t\\cloud.png", 1.0f, true, InGame(mat4(1.0f))});
    out.push_back({"x\\jimen2.x", BuildFlowerGround, "t\\flower.png", 1.0f, true, InGame(mat4(1.0f))});
}

}  // namespace assetgen::meshes

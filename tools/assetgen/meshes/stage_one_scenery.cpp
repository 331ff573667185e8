// Stage 1, a city at dusk: the sky dome, the ground, the buildings and the tower that fall as the fighter
// passes, and the enemy base with the tunnel and the hall where the stage's two bosses wait.
#include <algorithm>
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

constexpr float kPi = 3.14159265f;
const vec3 kToLight = glm::normalize(vec3(0.5f, 0.5f, -1.0f));

// An axis-aligned rectangle between two corners that agree on one coordinate, facing `facing`.
Geometry Wall(vec3 lo, vec3 hi, vec3 facing) {
    Geometry g;
    int flat = lo.x == hi.x ? 0 : (lo.y == hi.y ? 1 : 2);
    int a1 = (flat + 1) % 3, a2 = (flat + 2) % 3;
    vec3 c[4];
    const int pick[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    std::uint32_t idx[4];
    for (int k = 0; k < 4; ++k) {
        c[k][flat] = lo[flat];
        c[k][a1] = pick[k][0] ? hi[a1] : lo[a1];
        c[k][a2] = pick[k][1] ? hi[a2] : lo[a2];
        idx[k] = g.AddVertex(c[k], glm::normalize(facing), vec2(c[k][a1], c[k][a2]) * 0.05f);
    }
    g.AddTriangleFacing(idx[0], idx[1], idx[2], facing);
    g.AddTriangleFacing(idx[0], idx[2], idx[3], facing);
    return g;
}

// A flat rectangle cut into a grid (so that per-vertex fog and lighting stay smooth over large floors).
Geometry Floor(float x0, float x1, float z0, float z1, float y, int cellsX, int cellsZ, float unitsPerRepeat) {
    Geometry g;
    std::vector<std::uint32_t> grid;
    for (int j = 0; j <= cellsZ; ++j) {
        for (int i = 0; i <= cellsX; ++i) {
            float x = x0 + (x1 - x0) * static_cast<float>(i) / cellsX;
            float z = z0 + (z1 - z0) * static_cast<float>(j) / cellsZ;
            grid.push_back(g.AddVertex({x, y, z}, {0, 1, 0}, vec2(x, z) / unitsPerRepeat));
        }
    }
    for (int j = 0; j < cellsZ; ++j) {
        for (int i = 0; i < cellsX; ++i) {
            auto at = [&](int di, int dj) { return grid[(j + dj) * (cellsX + 1) + (i + di)]; };
            g.AddTriangleFacing(at(0, 0), at(0, 1), at(1, 1), {0, 1, 0});
            g.AddTriangleFacing(at(0, 0), at(1, 1), at(1, 0), {0, 1, 0});
        }
    }
    return g;
}

// The inside of a box (faces turned inwards), leaving out the faces named open.
Geometry Room(vec3 lo, vec3 hi, bool openFront, bool openBack) {
    Geometry g;
    g.Append(Wall({lo.x, lo.y, lo.z}, {lo.x, hi.y, hi.z}, {1, 0, 0}));
    g.Append(Wall({hi.x, lo.y, lo.z}, {hi.x, hi.y, hi.z}, {-1, 0, 0}));
    g.Append(Wall({lo.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {0, 1, 0}));
    g.Append(Wall({lo.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {0, -1, 0}));
    if (!openFront) g.Append(Wall({lo.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {0, 0, 1}));
    if (!openBack) g.Append(Wall({lo.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {0, 0, -1}));
    return g;
}

// A wall in the plane z = const spanning [lo, hi] in x and y with a rectangular hole, facing `facing`.
Geometry WallWithHole(vec2 lo, vec2 hi, vec2 holeLo, vec2 holeHi, float z, vec3 facing) {
    Geometry g;
    g.Append(Wall({lo.x, lo.y, z}, {holeLo.x, hi.y, z}, facing));
    g.Append(Wall({holeHi.x, lo.y, z}, {hi.x, hi.y, z}, facing));
    g.Append(Wall({holeLo.x, lo.y, z}, {holeHi.x, holeLo.y, z}, facing));
    g.Append(Wall({holeLo.x, holeHi.y, z}, {holeHi.x, hi.y, z}, facing));
    return g;
}

// The normal that makes the game's light give a vertex the brightness b (0..1): the sky's gradient is
// carried by lighting alone, since the file has no vertex colours.
vec3 NormalForBrightness(float b) {
    vec3 side = glm::normalize(glm::cross(kToLight, vec3(0, 1, 0)));
    b = std::clamp(b, 0.0f, 1.0f);
    return kToLight * b + side * std::sqrt(1.0f - b * b);
}

// A disc on the inside of the sky at the given heading and elevation (degrees), facing the camera.
Geometry SkyDisc(float radius, float distance, float headingDegrees, float elevationDegrees, vec2 stretch,
                 int segments) {
    Geometry g = Disc(radius, segments);
    g.Scale(vec3(stretch, 1.0f));
    g.Translate(vec3(0.0f, 0.0f, distance)).RotateX(-elevationDegrees).RotateY(headingDegrees);
    return g;
}

// Stage-1 sky: a dome 900 round the camera, inside the far plane. Its face runs from deep blue overhead
// to the fog colour (0x88F0FF) at the horizon, by lighting with tailored normals on top of an emissive
// base; an orange sun low ahead and streaks of lit cloud make it dusk.
Mesh BuildCitySky() {
    Mesh m("s1");
    // Lit colour = emissive + diffuse * (0.4 + b) with the 0.8 ambient factor the game loads it with:
    // b = 0 gives the zenith, b = 1 the horizon.
    const vec3 zenith(0.16f, 0.4f, 0.86f), horizon(0x88 / 255.0f, 0xF0 / 255.0f, 1.0f);
    vec3 d = horizon - zenith;
    vec3 e = zenith - d * 0.4f;
    Material sky;
    sky.diffuse = {d.x, d.y, d.z, 1.0f};
    sky.emissive = e;
    sky.specular = vec3(0.0f);
    sky.power = 1.0f;
    int dome = m.AddMaterial(sky);
    int sun = m.AddMaterial(Glow(1.0f, 0.9f, 0.62f, 1.0f, 0.0f));
    int halo = m.AddMaterial(Glow(1.0f, 0.62f, 0.3f, 1.0f, 0.0f));
    int cloudWarm = m.AddMaterial(Glow(1.0f, 0.6f, 0.45f, 1.0f, 0.0f));
    int cloudPale = m.AddMaterial(Glow(1.0f, 0.8f, 0.7f, 1.0f, 0.0f));

    const float radius = 900.0f;
    const float elevations[] = {90, 62, 42, 28, 18, 11, 6, 3, 0, -4, -15, -40, -90};
    std::vector<vec2> profile;  // top to bottom: the surface faces inwards
    for (float e : elevations) {
        float a = e * kPi / 180.0f;
        profile.emplace_back(std::abs(e) == 90.0f ? 0.0f : radius * std::cos(a), radius * std::sin(a));
    }
    Geometry g = Lathe(profile, 24, 90.0f);
    for (auto& v : g.vertices) {
        float e = std::asin(std::clamp(v.position.y / radius, -1.0f, 1.0f)) * 180.0f / kPi;
        float t = std::clamp((e - 1.0f) / 45.0f, 0.0f, 1.0f);
        v.normal = NormalForBrightness(1.0f - std::sqrt(t));
    }
    m.Add(g, dome);
    m.Add(SkyDisc(34.0f, 870.0f, 22.0f, 5.0f, vec2(1.0f), 20), sun);
    m.Add(SkyDisc(58.0f, 872.0f, 22.0f, 5.0f, vec2(1.0f), 24), halo);
    const struct {
        float heading, elevation, width, height;
        bool pale;
    } clouds[] = {{-8, 7, 150, 7, false},   {30, 9.5f, 120, 5, true},   {52, 4.5f, 170, 8, false},
                  {-45, 12, 140, 6, true},  {75, 14, 110, 5, false},    {-75, 6, 160, 7, true},
                  {12, 13, 90, 4, true},    {-25, 3.5f, 190, 6, false}, {100, 8, 150, 6, true},
                  {-110, 10, 130, 6, false}};
    for (const auto& c : clouds) {
        m.Add(SkyDisc(1.0f, 850.0f, c.heading, c.elevation, vec2(c.width, c.height), 12),
              c.pale ? cloudPale : cloudWarm);
    }
    return m;
}

// The ground round the enemy base, at y = -5 (where the toppled buildings lie and the fighter may fly
// down to). It reaches from 1450 behind the base's origin to 1000 beyond it, 1400 wide, with
// t\ground.png repeating every 50 units; v grows with z, so the game's v scroll runs towards the player.
Mesh BuildCityGround() {
    Mesh m("s1back4");
    int ground = m.AddMaterial(Textured(1.0f, 0.3f));
    m.Add(Floor(-700.0f, 700.0f, -1450.0f, 1000.0f, -5.0f, 14, 26, 50.0f), ground);
    return m;
}

// A building, 10 wide, 20 tall, 6 deep, origin at the middle of its base: a block with a set-back crown
// and a roof-top plant room. Every face wears t\m2.png: the walls take the whole picture from top to
// bottom (v = 0 at the roof line) and across the width, the roofs a tile of it.
Mesh BuildBuilding() {
    Mesh m("hai2");
    int walls = m.AddMaterial(Textured(1.0f, 0.25f));
    int roofs = m.AddMaterial(Textured(1.0f, 0.25f));
    auto map = [](Geometry g) {
        g.Unweld();
        for (const auto& t : g.triangles) {
            vec3 n = g.FaceNormal(t);
            vec3 a = glm::abs(n);
            for (auto i : {t.a, t.b, t.c}) {
                vec3 p = g.vertices[i].position;
                if (a.y >= a.x && a.y >= a.z) {
                    g.vertices[i].uv = vec2(p.x / 10.0f + 0.5f, p.z / 10.0f + 0.5f);
                } else if (a.z >= a.x) {
                    g.vertices[i].uv = vec2((n.z < 0 ? p.x : -p.x) / 10.0f + 0.5f, (20.0f - p.y) / 20.0f);
                } else {
                    g.vertices[i].uv = vec2((n.x > 0 ? p.z : -p.z) / 10.0f + 0.5f, (20.0f - p.y) / 20.0f);
                }
            }
        }
        return g.Weld();
    };
    Geometry block = BoxBetween({-5.0f, 0.0f, -3.0f}, {5.0f, 17.5f, 3.0f});
    Geometry crown = BoxBetween({-4.2f, 17.5f, -2.5f}, {4.2f, 19.0f, 2.5f});
    Geometry plant = BoxBetween({-1.5f, 19.0f, -1.0f}, {2.5f, 20.0f, 1.6f});
    Geometry all = Merge({block, crown});
    Geometry walls_ = map(all);
    m.Add(walls_, walls);
    m.Add(map(plant), roofs);
    return m;
}

// The tower on the centre line: a red-and-white lattice tower, 4 wide, 6 deep and 20 tall, its origin at
// the middle of its base, with two lit observation decks.
Mesh BuildTower() {
    Mesh m("tokio");
    int orange = m.AddMaterial(Lit(0.85f, 0.3f, 0.08f));
    int white = m.AddMaterial(Lit(0.72f, 0.72f, 0.74f));
    int windows = m.AddMaterial(Glow(1.0f, 0.82f, 0.45f, 1.0f, 0.3f));
    int beacon = m.AddMaterial(palette::RedGlow());
    // Legs curve in from the corners of the footprint to the upper mast.
    for (float sx : {1.0f, -1.0f}) {
        for (float sz : {1.0f, -1.0f}) {
            std::vector<vec3> path;
            for (int i = 0; i <= 6; ++i) {
                float t = static_cast<float>(i) / 6.0f;
                float y = 13.0f * t;
                float k = 1.0f - std::pow(t, 0.7f) * 0.78f;
                path.emplace_back(sx * 1.75f * k, y, sz * 2.7f * k);
            }
            Geometry leg = Sweep(path, {0.22f, 0.2f, 0.17f, 0.15f, 0.13f, 0.11f, 0.1f}, 5, true);
            // The foot is cut level with the ground.
            m.Add(leg.Displace([](vec3 p) { return vec3(p.x, std::max(p.y, 0.0f), p.z); }), orange);
        }
    }
    // Cross bracing between the legs at a few heights, white and orange in turn.
    for (int level = 0; level < 4; ++level) {
        float y = 1.5f + 2.6f * static_cast<float>(level);
        float k = 1.0f - std::pow(y / 13.0f, 0.7f) * 0.78f;
        float hx = 1.75f * k, hz = 2.7f * k;
        int mat = level % 2 == 0 ? white : orange;
        m.Add(Box(vec3(hx * 2.0f, 0.14f, 0.12f)).Translate(vec3(0.0f, y, hz)), mat);
        m.Add(Box(vec3(hx * 2.0f, 0.14f, 0.12f)).Translate(vec3(0.0f, y, -hz)), mat);
        m.Add(Box(vec3(0.12f, 0.14f, hz * 2.0f)).Translate(vec3(hx, y, 0.0f)), mat);
        m.Add(Box(vec3(0.12f, 0.14f, hz * 2.0f)).Translate(vec3(-hx, y, 0.0f)), mat);
    }
    // Decks.
    m.Add(Frustum(1.2f, 1.35f, 0.9f, 12).Scale(vec3(1.0f, 1.0f, 1.45f)).Translate(vec3(0.0f, 7.6f, 0.0f)), white);
    m.Add(Frustum(1.36f, 1.36f, 0.35f, 12).Scale(vec3(1.0f, 1.0f, 1.45f)).Translate(vec3(0.0f, 7.7f, 0.0f)), windows);
    m.Add(Frustum(0.65f, 0.75f, 0.6f, 10).Scale(vec3(1.0f, 1.0f, 1.3f)).Translate(vec3(0.0f, 12.6f, 0.0f)), white);
    m.Add(Frustum(0.76f, 0.76f, 0.22f, 10).Scale(vec3(1.0f, 1.0f, 1.3f)).Translate(vec3(0.0f, 12.65f, 0.0f)), windows);
    // Mast and beacon.
    m.Add(Frustum(0.32f, 0.12f, 6.0f, 6).Translate(vec3(0.0f, 16.0f, 0.0f)), orange);
    m.Add(Cylinder(0.1f, 0.6f, 6).Translate(vec3(0.0f, 16.5f, 0.0f)), white);
    m.Add(Frustum(0.1f, 0.02f, 0.9f, 6).Translate(vec3(0.0f, 19.35f, 0.0f)), white);
    m.Add(IcoSphere(0.14f, 0, false).Translate(vec3(0.0f, 19.0f, 0.0f)), beacon);
    return m;
}

// The enemy base. Model x is world x - 2.5 (the game draws it 2.5 to the right), so the flight line at
// world x = 0 is model x = -2.5. Its front at z = 0 faces the player with a tunnel mouth round the flight
// box; the tunnel runs to z = 120 and opens into a hall (to z = 360, 64 wide, 31 tall) where the stage's
// bosses fight when the base stops with its origin at world z -135. An apron in front carries the floor
// once the game stops drawing the ground.
Mesh BuildEnemyBase() {
    Mesh m("kiti02");
    int concrete = m.AddMaterial(Lit(0.5f, 0.55f, 0.63f));
    int steel = m.AddMaterial(Lit(0.2f, 0.23f, 0.3f));
    int orange = m.AddMaterial(palette::OrangeGlow());
    int red = m.AddMaterial(palette::RedGlow());
    Material innerWall = Lit(0.36f, 0.42f, 0.52f);
    innerWall.emissive = vec3(0.1f, 0.12f, 0.16f);
    int inner = m.AddMaterial(innerWall);
    Material floorMat = Lit(0.24f, 0.27f, 0.33f);
    floorMat.emissive = vec3(0.05f, 0.06f, 0.08f);
    int floor = m.AddMaterial(floorMat);
    int cyan = m.AddMaterial(palette::CyanGlow());

    const float c = -2.5f;  // the flight line
    const float top = 30.0f, bottom = -5.0f, length = 700.0f, halfWidth = 90.0f;
    const vec2 mouthLo(c - 9.0f, -4.0f), mouthHi(c + 9.0f, 10.0f);
    // Outer hull, its front pierced by the mouth. The base's underside is never seen.
    m.Add(WallWithHole({c - halfWidth, bottom}, {c + halfWidth, top}, mouthLo, mouthHi, 0.0f, {0, 0, -1}), concrete);
    m.Add(Wall({c - halfWidth, bottom, 0.0f}, {c - halfWidth, top, length}, {-1, 0, 0}), concrete);
    m.Add(Wall({c + halfWidth, bottom, 0.0f}, {c + halfWidth, top, length}, {1, 0, 0}), concrete);
    m.Add(Wall({c - halfWidth, top, 0.0f}, {c + halfWidth, top, length}, {0, 1, 0}), concrete);
    m.Add(Wall({c - halfWidth, bottom, length}, {c + halfWidth, top, length}, {0, 0, 1}), concrete);
    // The apron and its landing lights leading to the gate.
    m.Add(Floor(c - 320.0f, c + 320.0f, -640.0f, 0.0f, -5.05f, 8, 8, 40.0f), floor);
    for (int i = 1; i <= 12; ++i) {
        float z = -25.0f * static_cast<float>(i);
        Geometry lamp = Box(vec3(1.2f, 0.3f, 2.5f));
        m.Add(MirroredPair(lamp.Translate(vec3(12.0f, -4.9f, z))).Translate(vec3(c, 0.0f, 0.0f)), orange);
    }
    // Gate: a heavy frame round the mouth with light strips, a warning bar and an emblem above.
    m.Add(BevelBox(vec3(6.0f, 20.0f, 8.0f), 1.0f).Translate(vec3(c - 12.0f, 5.0f, -2.0f)), steel);
    m.Add(BevelBox(vec3(6.0f, 20.0f, 8.0f), 1.0f).Translate(vec3(c + 12.0f, 5.0f, -2.0f)), steel);
    m.Add(BevelBox(vec3(30.0f, 6.0f, 8.0f), 1.0f).Translate(vec3(c, 13.0f, -2.0f)), steel);
    m.Add(Box(vec3(0.6f, 14.0f, 0.4f)).Translate(vec3(c - 9.6f, 3.0f, -6.05f)), orange);
    m.Add(Box(vec3(0.6f, 14.0f, 0.4f)).Translate(vec3(c + 9.6f, 3.0f, -6.05f)), orange);
    m.Add(Box(vec3(19.8f, 0.8f, 0.4f)).Translate(vec3(c, 10.6f, -6.05f)), red);
    Geometry emblem = Plate({{0.0f, 7.0f}, {6.0f, 0.0f}, {0.0f, -3.0f}, {-6.0f, 0.0f}}, 1.0f);
    m.Add(emblem.Translate(vec3(c, 22.0f, -0.5f)), steel);
    Geometry emblemGlow = Plate({{0.0f, 4.5f}, {3.8f, 0.0f}, {0.0f, -1.8f}, {-3.8f, 0.0f}}, 1.0f);
    m.Add(emblemGlow.Translate(vec3(c, 22.0f, -0.8f)), red);
    // Buttresses along the facade, each with a light.
    for (float x : {-30.0f, -55.0f, -80.0f, 30.0f, 55.0f, 80.0f}) {
        Geometry b = ConvexHull({{-3.0f, -5.0f, 0.0f},
                                 {3.0f, -5.0f, 0.0f},
                                 {-3.0f, 30.0f, 0.0f},
                                 {3.0f, 30.0f, 0.0f},
                                 {-3.0f, -5.0f, -14.0f},
                                 {3.0f, -5.0f, -14.0f},
                                 {-2.0f, 24.0f, -3.0f},
                                 {2.0f, 24.0f, -3.0f}});
        m.Add(b.Translate(vec3(c + x, 0.0f, 0.0f)), steel);
        m.Add(Box(vec3(1.5f, 1.5f, 0.6f)).Translate(vec3(c + x, 18.0f, -6.2f)), orange);
    }
    // Lit window bands across the facade.
    for (float y : {3.0f, 21.0f}) {
        for (float side : {-1.0f, 1.0f}) {
            m.Add(Box(vec3(70.0f, 1.2f, 0.4f)).Translate(vec3(c + side * 51.0f, y, -0.2f)), cyan);
        }
    }
    // Superstructure: a stepped command tower over the gate with an antenna, and two radar towers.
    m.Add(BoxBetween({c - 18.0f, top, 30.0f}, {c + 18.0f, top + 12.0f, 110.0f}), concrete);
    m.Add(BoxBetween({c - 11.0f, top + 12.0f, 45.0f}, {c + 11.0f, top + 24.0f, 95.0f}), concrete);
    m.Add(Box(vec3(22.2f, 2.0f, 0.5f)).Translate(vec3(c, top + 20.0f, 44.8f)), cyan);
    m.Add(Box(vec3(36.2f, 1.5f, 0.5f)).Translate(vec3(c, top + 8.0f, 29.8f)), orange);
    m.Add(Cylinder(0.8f, 26.0f, 6).Translate(vec3(c, top + 37.0f, 70.0f)), steel);
    m.Add(IcoSphere(1.4f, 1, false).Translate(vec3(c, top + 50.5f, 70.0f)), red);
    for (float side : {-1.0f, 1.0f}) {
        float x = c + side * 62.0f;
        m.Add(BoxBetween({x - 9.0f, top, 20.0f}, {x + 9.0f, top + 16.0f, 60.0f}), concrete);
        m.Add(Sphere(8.0f, 16, 8).Scale(vec3(1.0f, 0.7f, 1.0f)).Translate(vec3(x, top + 16.0f, 40.0f)), steel);
        m.Add(Box(vec3(18.2f, 1.2f, 0.4f)).Translate(vec3(x, top + 10.0f, 19.8f)), orange);
    }
    // Long roof blocks and vents further back.
    for (int i = 0; i < 4; ++i) {
        float z = 160.0f + 130.0f * static_cast<float>(i);
        for (float side : {-1.0f, 1.0f}) {
            m.Add(BoxBetween({c + side * 40.0f - 14.0f, top, z}, {c + side * 40.0f + 14.0f, top + 8.0f, z + 80.0f}),
                  steel);
            m.Add(Cylinder(3.0f, 10.0f, 8).Translate(vec3(c + side * 70.0f, top + 5.0f, z + 40.0f)), concrete);
            m.Add(Cylinder(2.2f, 0.4f, 8).Translate(vec3(c + side * 70.0f, top + 10.05f, z + 40.0f)), orange);
        }
    }

    // The tunnel: walls turned inwards, ribs every 15 units, light strips and a glowing centre line.
    const vec3 tunnelLo(c - 9.0f, -4.0f, 0.0f), tunnelHi(c + 9.0f, 10.0f, 120.0f);
    Geometry tunnel = Room(tunnelLo, tunnelHi, true, true);
    m.Add(tunnel, inner);
    for (int i = 0; i < 8; ++i) {
        float z = 8.0f + 15.0f * static_cast<float>(i);
        m.Add(BoxBetween({c - 9.0f, -4.0f, z - 0.8f}, {c - 7.6f, 10.0f, z + 0.8f}), steel);
        m.Add(BoxBetween({c + 7.6f, -4.0f, z - 0.8f}, {c + 9.0f, 10.0f, z + 0.8f}), steel);
        m.Add(BoxBetween({c - 7.6f, 8.6f, z - 0.8f}, {c + 7.6f, 10.0f, z + 0.8f}), steel);
        m.Add(BoxBetween({c - 2.0f, 8.45f, z - 0.3f}, {c + 2.0f, 8.6f, z + 0.3f}), cyan);
    }
    for (float side : {-1.0f, 1.0f}) {
        m.Add(BoxBetween({c + side * 8.95f - 0.05f, 5.6f, 0.0f}, {c + side * 8.95f + 0.05f, 6.2f, 120.0f}), orange);
    }
    for (int i = 0; i < 12; ++i) {
        float z = 4.0f + 10.0f * static_cast<float>(i);
        m.Add(BoxBetween({c - 0.3f, -4.0f, z}, {c + 0.3f, -3.9f, z + 5.0f}), orange);
    }

    // The hall.
    const vec3 hallLo(c - 32.0f, -5.0f, 120.0f), hallHi(c + 32.0f, 26.0f, 360.0f);
    m.Add(Wall({hallLo.x, hallLo.y, hallLo.z}, {hallLo.x, hallHi.y, hallHi.z}, {1, 0, 0}), inner);
    m.Add(Wall({hallHi.x, hallLo.y, hallLo.z}, {hallHi.x, hallHi.y, hallHi.z}, {-1, 0, 0}), inner);
    m.Add(Wall({hallLo.x, hallHi.y, hallLo.z}, {hallHi.x, hallHi.y, hallHi.z}, {0, -1, 0}), inner);
    m.Add(Wall({hallLo.x, hallLo.y, hallHi.z}, {hallHi.x, hallHi.y, hallHi.z}, {0, 0, -1}), inner);
    m.Add(WallWithHole({hallLo.x, hallLo.y}, {hallHi.x, hallHi.y}, {tunnelLo.x, tunnelLo.y}, {tunnelHi.x, tunnelHi.y},
                       hallLo.z, {0, 0, 1}),
          inner);
    m.Add(Floor(hallLo.x, hallHi.x, hallLo.z, hallHi.z, hallLo.y, 4, 8, 8.0f), floor);
    // Floor light grid, pillars with lamps, a gallery on each side and ceiling lights.
    for (int i = 0; i <= 6; ++i) {
        float z = 130.0f + 36.0f * static_cast<float>(i);
        m.Add(BoxBetween({hallLo.x + 2.0f, -4.95f, z - 0.25f}, {hallHi.x - 2.0f, -4.85f, z + 0.25f}), orange);
    }
    for (float x : {-16.0f, 0.0f, 16.0f}) {
        m.Add(BoxBetween({c + x - 0.25f, -4.95f, 122.0f}, {c + x + 0.25f, -4.85f, 358.0f}), orange);
    }
    for (int i = 0; i < 6; ++i) {
        float z = 140.0f + 40.0f * static_cast<float>(i);
        for (float side : {-1.0f, 1.0f}) {
            float x = c + side * 29.5f;
            m.Add(BoxBetween({x - 2.5f, -5.0f, z - 2.5f}, {x + 2.5f, 26.0f, z + 2.5f}), steel);
            m.Add(BoxBetween({x - side * 2.6f - 0.1f, 10.0f, z - 1.0f}, {x - side * 2.6f + 0.1f, 16.0f, z + 1.0f}),
                  cyan);
        }
        m.Add(BoxBetween({c - 12.0f, 25.6f, z - 3.0f}, {c + 12.0f, 26.0f, z + 3.0f}), cyan);
    }
    for (float side : {-1.0f, 1.0f}) {
        float x0 = side < 0 ? hallLo.x : hallHi.x - 6.0f;
        m.Add(BoxBetween({x0, 8.0f, 125.0f}, {x0 + 6.0f, 9.0f, 355.0f}), steel);
        m.Add(BoxBetween({side < 0 ? x0 + 5.9f : x0 - 0.1f, 8.9f, 125.0f},
                         {side < 0 ? x0 + 6.1f : x0 + 0.1f, 9.6f, 355.0f}),
              orange);
    }
    // The sealed reactor gate at the far end: frames round a red core.
    for (int i = 0; i < 3; ++i) {
        float s = 1.0f - 0.25f * static_cast<float>(i);
        float z = 359.0f - 1.5f * static_cast<float>(i);
        m.Add(WallWithHole({c - 22.0f * s, 10.5f - 14.0f * s}, {c + 22.0f * s, 10.5f + 14.0f * s},
                           {c - 18.0f * s, 10.5f - 10.0f * s}, {c + 18.0f * s, 10.5f + 10.0f * s}, z, {0, 0, -1}),
              i == 1 ? orange : steel);
    }
    m.Add(Disc(7.0f, 24).Translate(vec3(c, 10.5f, 355.0f)), red);
    return m;
}

PreviewView Framed(vec3 from) {
    PreviewView v;
    v.from = from;
    return v;
}

PreviewView InGame(vec3 position) {
    PreviewView v;
    v.gameCamera = true;
    v.world = Translation(position);
    return v;
}

}  // namespace

void AddStageOneScenery(std::vector<MeshEntry>& out) {
    out.push_back({"x\\s1.x", BuildCitySky, "", 0.8f, true, InGame(vec3(0.0f))});
    out.push_back({"x\\s1back4.x", BuildCityGround, "t\\ground.png", 0.5f, false, InGame(vec3(2.5f, 0.0f, 700.0f))});
    out.push_back({"x\\hai2.x", BuildBuilding, "t\\m2.png", 0.5f, false, Framed(vec3(0.5f, 0.3f, -1.0f))});
    out.push_back({"x\\tokio.x", BuildTower, "", 1.0f, false, Framed(vec3(0.5f, 0.3f, -1.0f))});
    out.push_back({"x\\kiti02.x", BuildEnemyBase, "", 0.5f, false, InGame(vec3(2.5f, 0.0f, 160.0f))});
}

}  // namespace assetgen::meshes

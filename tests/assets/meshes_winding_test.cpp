// Front faces wind clockwise as seen from outside (the game culls counter-clockwise ones): whatever a
// camera outside a model sees first must be a front face, as must whatever a camera inside a sky or the
// enemy base's tunnel and hall sees. A mesh turned inside out, or a part of it, fails here.
#include <gtest/gtest.h>

#include <string>

#include "assets/meshes_support.h"

namespace {

using namespace mesh_tests;

// Models seen from every side (closed solids, and sheets that show from both sides).
const char* kSolids[] = {
    "plu2c.x",        "t1.x",          "t2.x",          "atack02.x",       "atack03.x",     "ring.x",
    "bomb.x",         "enemy01.x",     "enemy02.x",     "enemy03.x",       "Enemy04.x",     "enemy05.x",
    "enemyatack02.x", "explosion03.x", "explosion04.x", "bboss01hontai.x", "bboss01migi.x", "bboss01hidari.x",
    "bossbeam.x",     "bboss02.x",     "shield.x",      "boss01shot.x",    "bboss03.x",     "sord.x",
    "en.x",           "souti.x",       "ryou.x",        "boss05.x",        "bossring.x",    "fan.x",
    "fanbeam.x",      "bmeteo.x",      "smoon01.x",     "smoon02.x",       "smoon03.x",     "hammer.x",
    "grav.x",         "efe.x",         "tama.x",        "kouha.x",         "lboss04.x",     "boss04tama.x",
    "lancer.x",       "raser.x",       "hai2.x",        "tokio.x",         "meteo.x",       "star.x",
    "tikyu.x",        "hana.x"};

std::vector<V3> Directions(bool (*keep)(V3)) {
    std::vector<V3> out;
    for (V3 d : SpreadDirections(26)) {
        if (keep(d)) out.push_back(d);
    }
    return out;
}

TEST(MeshWinding, SolidsShowOnlyFrontFacesFromOutside) {
    const auto all = SpreadDirections(26);
    for (const char* file : kSolids) {
        SCOPED_TRACE(file);
        auto mesh = LoadGameMesh(file);
        if (!mesh) continue;
        EXPECT_EQ(BackFacesSeenFromOutside(Triangles(*mesh), all), 0);
    }
}

TEST(MeshWinding, OneSidedSheetsShowTheirFrontToTheirViewer) {
    // Rays travelling +z come from the player's side.
    const auto fromFront = Directions([](V3 d) { return d.z > 0.3; });
    for (const char* file : {"holeE.x", "baria.x"}) {
        SCOPED_TRACE(file);
        auto mesh = LoadGameMesh(file);
        if (!mesh) continue;
        auto tris = Triangles(*mesh);
        EXPECT_EQ(BackFacesSeenFromOutside(tris, fromFront), 0);
        EXPECT_GT(BackFacesSeenFromOutside(tris, Directions([](V3 d) { return d.z < -0.3; })), 0)
            << "seen from behind it should show its back";
    }
    const auto fromAbove = Directions([](V3 d) { return d.y < -0.3; });
    for (const char* file : {"s1back4.x", "jimen2.x"}) {
        SCOPED_TRACE(file);
        auto mesh = LoadGameMesh(file);
        if (!mesh) continue;
        EXPECT_EQ(BackFacesSeenFromOutside(Triangles(*mesh), fromAbove), 0);
    }
}

TEST(MeshWinding, SkiesFaceTheCameraInsideThem) {
    const V3 camera{0, 4, 0};
    const auto all = SpreadDirections(200);
    for (const char* file : {"s1.x", "sora2.x"}) {
        SCOPED_TRACE(file);
        auto mesh = LoadGameMesh(file);
        if (!mesh) continue;
        auto tris = Triangles(*mesh);
        EXPECT_EQ(BackFacesSeenFromInside(tris, camera, all), 0);
        // And a planet-like mesh would fail: the same rays from outside see the dome's back.
        EXPECT_GT(BackFacesSeenFromOutside(tris, SpreadDirections(8)), 0);
    }
}

TEST(MeshWinding, EnemyBaseShowsFrontFacesOutsideAndInsideTheTunnelAndHall) {
    auto mesh = LoadGameMesh("kiti02.x");
    ASSERT_TRUE(mesh);
    auto tris = Triangles(*mesh);
    // From the approach and from above (its underside is never seen).
    EXPECT_EQ(BackFacesSeenFromOutside(tris, Directions([](V3 d) { return d.z > 0.2 && d.y < 0.0; })), 0);
    EXPECT_EQ(BackFacesSeenFromOutside(tris, Directions([](V3 d) { return d.y < -0.3; })), 0);
    // From the flight line inside: the tunnel, the hall where the player stops, and near the bosses.
    const auto all = SpreadDirections(300);
    for (V3 eye : {V3{-2.5, 2, 60}, V3{-2.5, 4, 135}, V3{-2.5, 5, 175}, V3{10, 15, 300}}) {
        EXPECT_EQ(BackFacesSeenFromInside(tris, eye, all), 0) << eye.x << "," << eye.y << "," << eye.z;
    }
}

TEST(MeshWinding, TheRayTestTellsAnInsideOutSphereFromARightOne) {
    // A unit tetrahedron, once wound clockwise from outside and once the other way round.
    V3 p[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    std::vector<Tri> right = {
        {p[0], p[2], p[1], 0}, {p[0], p[1], p[3], 0}, {p[0], p[3], p[2], 0}, {p[1], p[2], p[3], 0}};
    int outward = 0;
    for (const auto& t : right) {
        if (Dot(t.Normal(), (t.a + t.b + t.c) * (1.0 / 3.0) - V3{0.25, 0.25, 0.25}) > 0) ++outward;
    }
    ASSERT_EQ(outward, 4);
    std::vector<Tri> wrong = right;
    for (auto& t : wrong) std::swap(t.b, t.c);
    EXPECT_EQ(BackFacesSeenFromOutside(right, SpreadDirections(26)), 0);
    EXPECT_GT(BackFacesSeenFromOutside(wrong, SpreadDirections(26)), 0);
}

}  // namespace

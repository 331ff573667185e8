// Sizes, origins and facings the game's placement relies on: the fighter's nose along +z, enemies and
// bosses looking down -z at the player, buildings standing on their origin, the ring's hole and the beams
// along z, petals growing up +y from their base, the skies round the camera, and a clear flight line
// through the enemy base.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assets/meshes_support.h"

namespace {

using namespace mesh_tests;

constexpr double kTol = 1e-3;

struct Loaded {
    platform::MeshData mesh;
    std::vector<Tri> tris;
    Box3 box;
};

Loaded Load(const char* file) {
    Loaded l;
    auto mesh = LoadGameMesh(file);
    if (mesh) {
        l.mesh = std::move(*mesh);
        l.tris = Triangles(l.mesh);
        l.box = Bounds(l.mesh);
    }
    return l;
}

TEST(MeshShapes, FighterPointsItsNoseAlongPlusZAndSpansItsWingsAndFlames) {
    Loaded ship = Load("plu2c.x");
    ASSERT_FALSE(ship.tris.empty());
    // A narrow nose at the front (+z), the wings and engines wide at the back.
    EXPECT_LT(RadiusNearEnd(ship.mesh, +1, 0.15), 0.5);
    EXPECT_GT(RadiusNearEnd(ship.mesh, -1, 0.5), 1.3);
    EXPECT_NEAR(ship.box.Size().x, 3.15, 0.35);                        // wings at +-1.5, flames at +-1.3
    EXPECT_NEAR(ship.box.min.x, -ship.box.max.x, kTol);                // symmetric
    EXPECT_GT(MaterialCentroid(ship.tris, 3).z, ship.box.Centre().z);  // canopy forward of the middle
    EXPECT_LT(MaterialCentroid(ship.tris, 4).z, ship.box.Centre().z);  // engine glow at the back
}

TEST(MeshShapes, WeaponsFlyNoseFirstAlongPlusZ) {
    for (const char* file : {"atack02.x", "atack03.x"}) {
        SCOPED_TRACE(file);
        Loaded shot = Load(file);
        ASSERT_FALSE(shot.tris.empty());
        Box3 b = shot.box;
        EXPECT_GT(b.Size().z, 2.0 * std::max(b.Size().x, b.Size().y)) << "long axis z";
        EXPECT_LT(RadiusNearEnd(shot.mesh, +1, 0.1), 0.5 * RadiusNearEnd(shot.mesh, +1, 1.0));
    }
    Loaded bolt = Load("atack02.x");
    EXPECT_NEAR(bolt.box.Size().x, 0.44, 0.15);
    EXPECT_NEAR(bolt.box.Size().z, 3.0, 0.5);
}

TEST(MeshShapes, EnemiesAreAboutTwoUnitsAndLookAtThePlayer) {
    // file, the material that marks the front (eye, sensor, emitter)
    const std::pair<const char*, int> enemies[] = {
        {"enemy01.x", 2}, {"enemy02.x", 4}, {"enemy03.x", 2}, {"Enemy04.x", 2}, {"enemy05.x", 2}};
    for (const auto& [file, eye] : enemies) {
        SCOPED_TRACE(file);
        Loaded e = Load(file);
        ASSERT_FALSE(e.tris.empty());
        double span = std::max({e.box.Size().x, e.box.Size().y, e.box.Size().z});
        EXPECT_GT(span, 1.6);
        EXPECT_LT(span, 3.0);
        EXPECT_LT(MaterialCentroid(e.tris, eye).z, e.box.Centre().z - 0.1 * e.box.Size().z);
    }
    // The arrowhead's point leads.
    EXPECT_LT(RadiusNearEnd(Load("enemy01.x").mesh, -1, 0.12), 0.35);
    // The shot: its glowing head leads, its tail trails towards +z.
    Loaded shot = Load("enemyatack02.x");
    EXPECT_LT(MaterialCentroid(shot.tris, 0).z, MaterialCentroid(shot.tris, 1).z);
    EXPECT_LT(RadiusNearEnd(shot.mesh, +1, 0.2), 0.5 * RadiusNearEnd(shot.mesh, -1, 0.5));
    EXPECT_LT(std::max(shot.box.Size().x, shot.box.Size().z), 2.5);
}

TEST(MeshShapes, PickupsFitTheirCollisionSizes) {
    Loaded ring = Load("ring.x");
    ASSERT_FALSE(ring.tris.empty());
    EXPECT_NEAR(ring.box.Size().x, 9.1, 1.0);  // outer radius 4 to 5
    EXPECT_NEAR(ring.box.Size().y, 9.1, 1.0);
    EXPECT_LT(ring.box.Size().z, 1.5);  // a hoop in the xy plane
    EXPECT_FALSE(CastRay(ring.tris, {0, 0, -10}, {0, 0, 1}).hit) << "the hole is open along z";
    EXPECT_TRUE(CastRay(ring.tris, {4.1, 0.05, -10}, {0, 0, 1}).hit);
    Loaded bomb = Load("bomb.x");
    double span = std::max({bomb.box.Size().x, bomb.box.Size().y, bomb.box.Size().z});
    EXPECT_GT(span, 2.0);
    EXPECT_LT(span, 3.2);
}

TEST(MeshShapes, BeamsAndLasersLieAlongZCentredOnTheirOrigin) {
    Loaded beam = Load("bossbeam.x");
    ASSERT_FALSE(beam.tris.empty());
    EXPECT_NEAR(beam.box.Size().z, 5.0, 0.1);
    EXPECT_NEAR(beam.box.Size().x, 1.34, 0.1);
    EXPECT_NEAR(beam.box.Size().y, 1.34, 0.1);
    for (const char* file : {"bossbeam.x", "raser.x", "fanbeam.x"}) {
        SCOPED_TRACE(file);
        Loaded b = Load(file);
        EXPECT_NEAR(b.box.min.z, -b.box.max.z, 0.01);
        EXPECT_NEAR(b.box.Centre().x, 0.0, 0.01);
        EXPECT_NEAR(b.box.Centre().y, 0.0, 0.01);
        EXPECT_GT(b.box.Size().z, 2.5 * std::max(b.box.Size().x, b.box.Size().y));
    }
    EXPECT_LT(std::max(Load("raser.x").box.Size().x, Load("raser.x").box.Size().y), 1.5);
}

TEST(MeshShapes, BossBodiesFaceThePlayerWithTheirEyes) {
    // file, eye material
    const std::pair<const char*, int> bosses[] = {{"bboss01hontai.x", 3}, {"bboss02.x", 3}, {"bboss03.x", 3},
                                                  {"boss05.x", 2},        {"smoon02.x", 2}, {"smoon03.x", 2},
                                                  {"lboss04.x", 3}};
    for (const auto& [file, eye] : bosses) {
        SCOPED_TRACE(file);
        Loaded b = Load(file);
        ASSERT_FALSE(b.tris.empty());
        EXPECT_LT(MaterialCentroid(b.tris, eye).z, b.box.Centre().z - 0.2 * b.box.Size().z);
        double span = std::max(b.box.Size().x, b.box.Size().y);
        EXPECT_GT(span, 2.0);
        EXPECT_LT(span, 16.0);
    }
    // The first guardian's beam leaves half a unit below its centre: the eye sits there.
    Loaded guardian = Load("bboss01hontai.x");
    EXPECT_NEAR(MaterialCentroid(guardian.tris, 3).y, -0.45, 0.15);
}

TEST(MeshShapes, ArmsMirrorEachOtherWithShouldersTowardsTheBody) {
    Loaded right = Load("bboss01migi.x"), left = Load("bboss01hidari.x");
    ASSERT_FALSE(right.tris.empty());
    ASSERT_FALSE(left.tris.empty());
    EXPECT_NEAR(right.box.min.x, -left.box.max.x, kTol);
    EXPECT_NEAR(right.box.max.x, -left.box.min.x, kTol);
    EXPECT_NEAR(right.box.Size().z, left.box.Size().z, kTol);
    // The right arm rides at body + 4: its shoulder reaches in towards -x.
    EXPECT_LT(right.box.min.x, -right.box.max.x);
    double span = std::max({right.box.Size().x, right.box.Size().y, right.box.Size().z});
    EXPECT_GT(span, 3.0);
    EXPECT_LT(span, 5.5);
    // Claws point at the player.
    EXPECT_LT(RadiusNearEnd(right.mesh, -1, 0.1), 1.5);
}

TEST(MeshShapes, PointedPartsLeadWithTheirPoint) {
    for (const char* file : {"sord.x", "lancer.x", "fan.x"}) {
        SCOPED_TRACE(file);
        Loaded p = Load(file);
        ASSERT_FALSE(p.tris.empty());
        EXPECT_LT(RadiusNearEnd(p.mesh, -1, 0.08), 0.35 * RadiusNearEnd(p.mesh, -1, 1.0));
    }
    EXPECT_LE(std::max(Load("fan.x").box.Size().x, Load("fan.x").box.Size().y), 2.0);
    // The hammer swings about its origin and strikes 5 units out along +x.
    Loaded hammer = Load("hammer.x");
    EXPECT_NEAR(hammer.box.Centre().y, 0.0, 0.05);
    EXPECT_LT(hammer.box.min.x, 0.0);
    EXPECT_NEAR(MaterialCentroid(hammer.tris, 0).x, 4.3, 1.0);
}

TEST(MeshShapes, FlatPiecesLieInTheirPlanes) {
    Loaded hole = Load("holeE.x");
    ASSERT_FALSE(hole.tris.empty());
    EXPECT_LT(hole.box.Size().z, 1e-3);
    for (const auto& t : hole.tris) EXPECT_LT(Normalized(t.Normal()).z, -0.99) << "faces -z";
    Loaded wave = Load("kouha.x");
    EXPECT_NEAR(wave.box.Size().x, 6.0, 0.3);  // radius 3 in the xz plane
    EXPECT_NEAR(wave.box.Size().z, 6.0, 0.3);
    EXPECT_LT(wave.box.Size().y, 0.1 * wave.box.Size().x);
    Loaded ring = Load("bossring.x");
    EXPECT_LT(ring.box.Size().z, 1.5);
    EXPECT_GT(ring.box.Size().x, 14.0);  // round the body with the fans inside
    EXPECT_FALSE(CastRay(ring.tris, {0, 0, -10}, {0, 0, 1}).hit);
}

TEST(MeshShapes, PetalGrowsUpFromItsBaseFacingTheCamera) {
    Loaded petal = Load("hana.x");
    ASSERT_FALSE(petal.tris.empty());
    EXPECT_NEAR(petal.box.min.y, 0.0, kTol);
    EXPECT_NEAR(petal.box.max.y, 9.0, 1.0);
    EXPECT_NEAR(petal.box.Centre().x, 0.0, kTol);
    EXPECT_LT(petal.box.Size().z, 0.4 * petal.box.Size().x);
}

TEST(MeshShapes, BuildingsStandOnTheirOriginTwentyTall) {
    Loaded building = Load("hai2.x");
    ASSERT_FALSE(building.tris.empty());
    EXPECT_NEAR(building.box.min.x, -5.0, kTol);
    EXPECT_NEAR(building.box.max.x, 5.0, kTol);
    EXPECT_NEAR(building.box.min.y, 0.0, kTol);
    EXPECT_NEAR(building.box.max.y, 20.0, kTol);
    EXPECT_NEAR(building.box.min.z, -3.0, kTol);
    EXPECT_NEAR(building.box.max.z, 3.0, kTol);
    Loaded tower = Load("tokio.x");
    EXPECT_NEAR(tower.box.min.y, 0.0, 0.05);
    EXPECT_NEAR(tower.box.max.y, 20.0, 0.5);
    EXPECT_LE(std::max(-tower.box.min.x, tower.box.max.x), 2.0 + kTol);
    EXPECT_LE(std::max(-tower.box.min.z, tower.box.max.z), 3.0 + kTol);
}

TEST(MeshShapes, SkiesSurroundTheCameraInsideTheFarPlane) {
    const V3 camera{0, 4, 0};
    for (const char* file : {"s1.x", "sora2.x"}) {
        SCOPED_TRACE(file);
        Loaded sky = Load(file);
        ASSERT_FALSE(sky.tris.empty());
        for (const auto& t : sky.tris) {
            for (V3 p : {t.a, t.b, t.c}) {
                double d = Length(p - camera);
                EXPECT_GT(d, 600.0);
                EXPECT_LT(d, 990.0);
            }
        }
        // Looking round from the camera, above the horizon, there is sky everywhere.
        for (V3 d : SpreadDirections(60)) {
            if (d.y > 0.0) {
                EXPECT_TRUE(CastRay(sky.tris, camera, d).hit);
            }
        }
    }
}

TEST(MeshShapes, CitySkyMeetsTheFogColourAtTheHorizon) {
    // Lit as the game lights it: emissive + diffuse * (ambient 0x80 * 0.8 + the light on the normal).
    Loaded sky = Load("s1.x");
    ASSERT_FALSE(sky.mesh.materials.empty());
    const auto& m = sky.mesh.materials[0];
    const V3 toLight = Normalized({0.5, 0.5, -1.0});
    int checked = 0;
    for (std::uint32_t i = sky.mesh.subsets[0].firstIndex;
         i < sky.mesh.subsets[0].firstIndex + sky.mesh.subsets[0].indexCount; ++i) {
        const auto& v = sky.mesh.vertices[sky.mesh.indices[i]];
        if (std::abs(v.position.y) > 1.0f) continue;
        double light = std::max(0.0, Dot({v.normal.x, v.normal.y, v.normal.z}, toLight)) + 128.0 / 255.0 * 0.8;
        EXPECT_NEAR(m.emissive.r + m.diffuse.r * light, 0x88 / 255.0, 0.03);
        EXPECT_NEAR(m.emissive.g + m.diffuse.g * light, 0xF0 / 255.0, 0.03);
        EXPECT_NEAR(m.emissive.b + m.diffuse.b * light, 1.0, 0.03);
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(MeshShapes, GroundsLieUnderThePlayer) {
    Loaded ground = Load("s1back4.x");
    ASSERT_FALSE(ground.tris.empty());
    EXPECT_NEAR(ground.box.min.y, -5.0, kTol);  // where the toppled buildings lie
    EXPECT_NEAR(ground.box.max.y, -5.0, kTol);
    EXPECT_LE(ground.box.min.z, -1300.0);  // under the player from the base's first sighting...
    EXPECT_GE(ground.box.max.z, 900.0);    // ...to the end of the fog when it is closest
    EXPECT_GE(ground.box.Size().x, 1000.0);
    Loaded field = Load("jimen2.x");
    EXPECT_LT(field.box.max.y, -35.0);  // below the lowest flowers
    EXPECT_LT(field.box.max.x, 990.0);
}

TEST(MeshShapes, RocksPlanetAndShardsHaveTheirSizes) {
    Loaded rock = Load("meteo.x");
    ASSERT_FALSE(rock.tris.empty());
    EXPECT_NEAR(std::max({rock.box.Size().x, rock.box.Size().y, rock.box.Size().z}), 26.0, 6.0);
    Loaded shard = Load("star.x");
    EXPECT_NEAR(std::max({shard.box.Size().x, shard.box.Size().y, shard.box.Size().z}), 2.0, 0.4);
    Loaded planet = Load("tikyu.x");
    EXPECT_GT(planet.box.Size().x, 120.0);
    for (const char* file : {"explosion03.x", "explosion04.x"}) {
        Loaded blast = Load(file);
        EXPECT_NEAR(blast.box.Centre().x, 0.0, 0.05) << file;
        EXPECT_GT(blast.box.Size().x, 1.8) << file;  // about unit radius, grown by the game
        EXPECT_LT(blast.box.Size().x, 3.2) << file;
    }
}

TEST(MeshShapes, EnemyBaseLeavesTheFlightLineAndTheHallClear) {
    Loaded base = Load("kiti02.x");
    ASSERT_FALSE(base.tris.empty());
    // Model x = world x - 2.5. The confined flight box (world x -2..2, y 0..4) runs through the tunnel
    // into the hall, and the bosses (world x -11.5..11.5, y -3..14) have room there.
    for (double x : {-4.5, -2.5, -0.5}) {
        for (double y : {0.0, 2.0, 4.0}) {
            EXPECT_FALSE(CastRay(base.tris, {x, y, -200}, {0, 0, 1}, 500.0).hit) << x << "," << y;
        }
    }
    for (double x : {-14.0, -8.0, 3.0, 9.0}) {
        for (double y : {-3.0, 5.0, 14.0}) {
            EXPECT_FALSE(CastRay(base.tris, {x, y, 130}, {0, 0, 1}, 200.0).hit) << x << "," << y;
        }
    }
    EXPECT_TRUE(CastRay(base.tris, {-2.5, 2, -200}, {0, 0, 1}, 1000.0).hit) << "the hall has a far wall";
    EXPECT_GE(base.box.max.z, 500.0);  // extends along +z from its origin
}

}  // namespace

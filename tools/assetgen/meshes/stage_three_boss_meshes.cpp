// The flower field's guardians: three moons (crescent, ringed, crystal) with their weapons, and the last
// boss, a great mechanical flower with one golden eye. Gold, violet and rose under a strange sky.
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

constexpr float kPi = 3.14159265f;

Material DarkViolet() { return Lit(0.2f, 0.1f, 0.3f); }
Material PaleGold() { return Lit(0.78f, 0.68f, 0.4f); }
Material GoldGlow(float a = 1.0f) { return Glow(1.0f, 0.8f, 0.35f, a); }
Material VioletGlow(float a = 1.0f) { return Glow(0.75f, 0.4f, 1.0f, a); }

// A dome bulging towards -z from a flat back at z = 0.
Geometry Lens(float radius, float height, int segments) {
    return LatheZ({{0.0f, -height}, {radius * 0.6f, -height * 0.8f}, {radius, 0.0f}, {0.0f, 0.0f}}, segments, 40.0f);
}

// A long crystal: a hexagonal bipyramid along +y from its base at the origin.
Geometry Crystal(float length, float radius) {
    std::vector<vec3> pts;
    for (const auto& p : RegularPolygon(6, radius, 0.0f)) pts.emplace_back(p.x, length * 0.3f, p.y);
    pts.emplace_back(0.0f, 0.0f, 0.0f);
    pts.emplace_back(0.0f, length, 0.0f);
    return ConvexHull(pts);
}

// First moon: a pale gold crescent blade round a magenta gem, inside a thin ring with four stars. The
// game spins it on its roll, so it reads as a turning blade.
Mesh BuildCrescentMoon() {
    Mesh m("smoon01");
    int crescent = m.AddMaterial(PaleGold());
    int gem = m.AddMaterial(Glow(1.0f, 0.3f, 0.75f, 1.0f, 0.3f));
    int ring = m.AddMaterial(GoldGlow());
    std::vector<vec3> path;
    std::vector<float> radii;
    for (int i = 0; i <= 20; ++i) {
        float t = static_cast<float>(i) / 20.0f;
        float a = (40.0f + 280.0f * t) * kPi / 180.0f;
        path.emplace_back(1.25f * std::cos(a), 1.25f * std::sin(a), 0.0f);
        radii.push_back(0.03f + 0.5f * std::sin(t * kPi));
    }
    m.Add(Sweep(path, radii, 10, true), crescent);
    m.Add(IcoSphere(0.42f, 1, false), gem);
    m.Add(Torus(1.95f, 0.035f, 36, 3), ring);
    Geometry star = Crystal(0.5f, 0.1f);
    star.Translate(vec3(0.0f, -0.25f, 0.0f));
    m.Add(RadialZ(star.Translate(vec3(0.0f, 1.95f, 0.0f)), 4, 0.0f), ring);
    return m;
}

// Second moon: a lilac moon in a tilted white ring, two moonlets, a cyan eye where its beam leaves.
Mesh BuildRingedMoon() {
    Mesh m("smoon02");
    int moon = m.AddMaterial(Lit(0.62f, 0.58f, 0.82f));
    int ring = m.AddMaterial(Glow(0.85f, 0.9f, 1.0f, 1.0f, 0.2f));
    int eye = m.AddMaterial(palette::CyanGlow());
    int crater = m.AddMaterial(Lit(0.4f, 0.36f, 0.6f));
    m.Add(Sphere(1.0f, 20, 12), moon);
    Geometry band = Annulus(1.4f, 2.05f, 40);
    band.DoubleSided();
    m.Add(band.RotateX(72.0f).RotateZ(18.0f), ring);
    m.Add(Lens(0.32f, 0.12f, 14).Translate(vec3(0.0f, 0.0f, -0.97f)), eye);
    m.Add(Torus(0.36f, 0.04f, 14, 3).Translate(vec3(0.0f, 0.0f, -0.94f)), ring);
    for (vec3 d : {vec3(0.6f, 0.55f, -0.58f), vec3(-0.65f, 0.3f, -0.7f), vec3(-0.3f, -0.7f, -0.65f),
                   vec3(0.75f, -0.4f, -0.53f)}) {
        Geometry c = Lathe({{0.0f, 0.0f}, {0.16f, 0.0f}, {0.2f, 0.04f}, {0.0f, 0.01f}}, 10, 60.0f);
        m.Add(PointAlong(c, d).Translate(glm::normalize(d) * 0.985f), crater);
    }
    Geometry moonlet = IcoSphere(0.17f, 1, true);
    m.Add(moonlet.Translate(vec3(2.3f, 0.6f, 0.2f)), ring);
    Geometry moonlet2 = IcoSphere(0.13f, 1, true);
    m.Add(moonlet2.Translate(vec3(-2.1f, -0.9f, -0.3f)), ring);
    return m;
}

// Third moon: a faceted blood-red moon bristling with six rose crystals round a gold eye.
Mesh BuildCrystalMoon() {
    Mesh m("smoon03");
    int moon = m.AddMaterial(Lit(0.5f, 0.1f, 0.22f));
    int crystals = m.AddMaterial(Glow(1.0f, 0.35f, 0.6f, 1.0f, 0.5f));
    int eye = m.AddMaterial(GoldGlow());
    m.Add(IcoSphere(1.0f, 1, false), moon);
    Geometry crystal = Crystal(1.5f, 0.22f);
    crystal.Translate(vec3(0.0f, 0.7f, 0.0f)).RotateX(12.0f);
    m.Add(RadialZ(crystal, 6, 0.0f), crystals);
    Geometry small = Crystal(0.8f, 0.14f);
    small.Translate(vec3(0.0f, 0.75f, 0.0f)).RotateX(-35.0f);
    m.Add(RadialZ(small, 6, 30.0f), crystals);
    m.Add(Lens(0.38f, 0.18f, 14).Translate(vec3(0.0f, 0.0f, -0.92f)), eye);
    return m;
}

// The third moon's hammer: pivot at the origin, handle along +x, head 5 units out (where it strikes).
Mesh BuildHammer() {
    Mesh m("hammer");
    int gold = m.AddMaterial(palette::Gold());
    int dark = m.AddMaterial(DarkViolet());
    int glow = m.AddMaterial(VioletGlow());
    m.Add(Cylinder(0.14f, 4.6f, 8).RotateZ(90.0f).Translate(vec3(2.3f, 0.0f, 0.0f)), dark);
    m.Add(Torus(0.32f, 0.08f, 12, 4).RotateY(90.0f), gold);
    m.Add(BevelBox(vec3(1.3f, 2.0f, 1.3f), 0.25f).Translate(vec3(5.0f, 0.0f, 0.0f)), gold);
    m.Add(Box(vec3(1.36f, 0.3f, 1.36f)).Translate(vec3(5.0f, 0.0f, 0.0f)), glow);
    Geometry spike = Cone(0.35f, 0.7f, 6);
    m.Add(spike.Translate(vec3(5.0f, 1.0f, 0.0f)), dark);
    Geometry under = Cone(0.35f, 0.7f, 6);
    m.Add(under.RotateX(180.0f).Translate(vec3(5.0f, -1.0f, 0.0f)), dark);
    m.Add(Sphere(0.3f, 10, 6).Translate(vec3(5.9f, 0.0f, 0.0f)), glow);
    return m;
}

// Gravity well: a dark core in a magenta accretion disc and two violet orbits.
Mesh BuildGravityWell() {
    Mesh m("grav");
    int core = m.AddMaterial(Glow(0.12f, 0.02f, 0.2f, 1.0f, 0.4f));
    int disc = m.AddMaterial(Glow(1.0f, 0.3f, 0.8f));
    int orbit = m.AddMaterial(VioletGlow());
    m.Add(Sphere(0.8f, 16, 10), core);
    Geometry accretion = Annulus(1.0f, 1.9f, 32);
    accretion.DoubleSided();
    m.Add(accretion.RotateX(70.0f).RotateZ(-20.0f), disc);
    m.Add(Torus(1.3f, 0.04f, 28, 3).RotateY(60.0f), orbit);
    m.Add(Torus(1.45f, 0.04f, 28, 3).RotateX(60.0f).RotateY(-30.0f), orbit);
    return m;
}

// A burst of light: eight flat rays of two lengths round a white core, facing the player.
Mesh BuildStarburst() {
    Mesh m("efe");
    int rays = m.AddMaterial(GoldGlow());
    int core = m.AddMaterial(palette::WhiteGlow());
    for (int i = 0; i < 8; ++i) {
        float length = i % 2 == 0 ? 1.7f : 1.0f;
        Geometry ray = Plate({{0.0f, 0.2f}, {0.14f, 0.5f}, {0.0f, length}, {-0.14f, 0.5f}}, 0.05f);
        m.Add(ray.RotateZ(45.0f * static_cast<float>(i)), rays);
    }
    m.Add(IcoSphere(0.35f, 1, true), core);
    return m;
}

// The stream shot: a white-gold core in a gold shell, about 1.1 across.
Mesh BuildOrbShot() {
    Mesh m("tama");
    int core = m.AddMaterial(Glow(1.0f, 0.97f, 0.85f));
    // A faceted shell, partly lit, so that it reads as a ball rather than a flat disc.
    int shell = m.AddMaterial(Glow(0.7f, 0.5f, 0.15f, 0.6f, 0.6f));
    m.Add(IcoSphere(0.34f, 1, true), core);
    m.Add(IcoSphere(0.55f, 1, false), shell);
    return m;
}

// The wave: a glowing band of radius 3 lying in the xz plane round a faint sheet; the game stretches it in
// x and z up to twenty times.
Mesh BuildWave() {
    Mesh m("kouha");
    int band = m.AddMaterial(Glow(0.6f, 0.8f, 1.0f));
    int sheet = m.AddMaterial(Glow(0.55f, 0.35f, 1.0f, 0.35f));
    m.Add(Lathe({{2.6f, 0.18f}, {2.6f, -0.18f}, {3.0f, -0.05f}, {3.0f, 0.05f}, {2.6f, 0.18f}}, 48, 30.0f), band);
    Geometry inner = Disc(2.6f, 48);
    inner.DoubleSided();
    m.Add(inner.RotateX(90.0f), sheet);
    return m;
}

// The last boss: a mechanical flower. A dark core with one great golden eye (a slit pupil), violet inner
// blades and golden outer petals opening towards the player, a crown, a halo behind and a stem below.
Mesh BuildLastFlower() {
    Mesh m("lboss04");
    int core = m.AddMaterial(DarkViolet());
    int gold = m.AddMaterial(palette::Gold());
    int violet = m.AddMaterial(Lit(0.42f, 0.18f, 0.62f));
    int eye = m.AddMaterial(Glow(1.0f, 0.78f, 0.2f, 1.0f, 0.3f));
    int glow = m.AddMaterial(VioletGlow());
    int pupil = m.AddMaterial(Lit(0.03f, 0.01f, 0.05f));
    m.Add(Sphere(1.8f, 24, 14), core);
    m.Add(Lens(1.05f, 0.55f, 28).Translate(vec3(0.0f, 0.0f, -1.55f)), eye);
    m.Add(Box(vec3(0.16f, 1.1f, 0.1f)).Translate(vec3(0.0f, 0.0f, -2.08f)), pupil);
    m.Add(Torus(1.12f, 0.1f, 28, 5).Translate(vec3(0.0f, 0.0f, -1.55f)), gold);
    // Inner blades: narrow, violet, tilted back.
    Geometry blade = ConvexHull({{-0.35f, 1.5f, -0.2f},
                                 {0.35f, 1.5f, -0.2f},
                                 {-0.3f, 1.5f, 0.25f},
                                 {0.3f, 1.5f, 0.25f},
                                 {0.0f, 3.8f, 0.6f},
                                 {-0.18f, 3.0f, 0.3f},
                                 {0.18f, 3.0f, 0.3f}});
    m.Add(RadialZ(blade, 8, 22.5f), violet);
    // Outer petals: broad and golden with a glowing spine.
    std::vector<std::vector<vec3>> petal;
    for (int i = 0; i <= 6; ++i) {
        float t = static_cast<float>(i) / 6.0f;
        float y = 2.0f + 4.2f * t;
        float w = 0.25f + 1.1f * std::sin(kPi * std::min(1.0f, t * 1.1f)) * (1.0f - 0.35f * t);
        float z = 0.2f + 1.4f * t * t;
        float thick = 0.12f * (1.0f - t) + 0.02f;
        petal.push_back({{w, y, z}, {0.0f, y, z - thick}, {-w, y, z}, {0.0f, y, z + thick}});
    }
    Geometry petalGeo = Loft(petal, true, true, 30.0f);
    m.Add(RadialZ(petalGeo, 8, 0.0f), gold);
    Geometry spine =
        Sweep({{0.0f, 2.2f, 0.05f}, {0.0f, 3.8f, 0.35f}, {0.0f, 5.4f, 0.95f}}, {0.06f, 0.05f, 0.02f}, 4, true);
    m.Add(RadialZ(spine, 8, 0.0f), glow);
    // Crown of five spikes over the top.
    for (int i = 0; i < 5; ++i) {
        float a = -40.0f + 20.0f * static_cast<float>(i);
        float length = i == 2 ? 2.2f : 1.5f;
        Geometry spike = Cone(0.22f, length, 6);
        m.Add(spike.Translate(vec3(0.0f, 1.55f, 0.0f)).RotateZ(a), gold);
    }
    // Halo behind and a stem below.
    m.Add(Torus(6.7f, 0.1f, 64, 4).Translate(vec3(0.0f, 0.0f, 2.0f)), glow);
    m.Add(Torus(7.1f, 0.05f, 64, 3).Translate(vec3(0.0f, 0.0f, 2.2f)), gold);
    m.Add(Sweep({{0.0f, -1.4f, 0.6f}, {0.0f, -3.0f, 1.4f}, {0.3f, -4.6f, 2.6f}, {0.8f, -6.0f, 4.2f}},
                {0.55f, 0.45f, 0.32f, 0.1f}, 10, true),
          core);
    return m;
}

// The eye shot: a pale eyeball with a gold iris and a dark pupil looking at the player, in a violet glow.
Mesh BuildEyeShot() {
    Mesh m("boss04tama");
    int white = m.AddMaterial(Glow(0.85f, 0.82f, 0.78f, 1.0f, 0.4f));
    int iris = m.AddMaterial(GoldGlow());
    int pupil = m.AddMaterial(Lit(0.03f, 0.01f, 0.05f));
    int aura = m.AddMaterial(VioletGlow(0.3f));
    m.Add(Sphere(0.55f, 14, 10), white);
    m.Add(Lens(0.3f, 0.1f, 14).Translate(vec3(0.0f, 0.0f, -0.5f)), iris);
    m.Add(Lens(0.13f, 0.05f, 10).Translate(vec3(0.0f, 0.0f, -0.6f)), pupil);
    m.Add(IcoSphere(0.72f, 1, false), aura);
    return m;
}

// A lance, 8 long, point towards -z, with violet rings on its cone; the origin sits near its middle.
Mesh BuildLance() {
    Mesh m("lancer");
    int gold = m.AddMaterial(palette::Gold());
    int dark = m.AddMaterial(DarkViolet());
    int glow = m.AddMaterial(VioletGlow());
    m.Add(LatheZ({{0.0f, -5.0f}, {0.18f, -3.5f}, {0.36f, -0.5f}, {0.45f, 1.0f}, {0.0f, 1.0f}}, 12, 30.0f), gold);
    m.Add(LatheZ({{0.0f, 0.7f}, {0.55f, 0.9f}, {0.75f, 1.3f}, {0.2f, 1.35f}, {0.0f, 1.35f}}, 14, 40.0f), dark);
    m.Add(LatheZ({{0.0f, 1.35f}, {0.13f, 1.35f}, {0.13f, 2.7f}, {0.0f, 2.7f}}, 8), dark);
    m.Add(IcoSphere(0.22f, 1, false).Translate(vec3(0.0f, 0.0f, 2.85f)), gold);
    for (float z : {-2.4f, -1.2f, 0.0f}) {
        float r = 0.36f - (-0.5f - z) * (0.18f / 3.0f);
        m.Add(Torus(std::min(r, 0.4f) + 0.02f, 0.045f, 14, 3).Translate(vec3(0.0f, 0.0f, z)), glow);
    }
    return m;
}

// A laser: a white core in a magenta sheath, 4 long along z and 0.84 wide, centred; the game stretches it.
Mesh BuildLaser() {
    Mesh m("raser");
    int core = m.AddMaterial(Glow(1.0f, 0.92f, 1.0f));
    int sheath = m.AddMaterial(Glow(1.0f, 0.3f, 0.85f));
    m.Add(LatheZ({{0.0f, -2.0f}, {0.16f, -1.7f}, {0.16f, 1.7f}, {0.0f, 2.0f}}, 8, 60.0f), core);
    m.Add(LatheZ({{0.0f, -2.1f}, {0.32f, -1.6f}, {0.42f, 0.0f}, {0.32f, 1.6f}, {0.0f, 2.1f}}, 10, 60.0f), sheath);
    return m;
}

}  // namespace

void AddStageThreeBossMeshes(std::vector<MeshEntry>& out) {
    out.push_back({"x\\smoon01.x", BuildCrescentMoon, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\smoon02.x", BuildRingedMoon, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\smoon03.x", BuildCrystalMoon, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\hammer.x", BuildHammer, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\grav.x", BuildGravityWell, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\efe.x", BuildStarburst, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\tama.x", BuildOrbShot, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\kouha.x", BuildWave, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\lboss04.x", BuildLastFlower, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\boss04tama.x", BuildEyeShot, "", 1.0f, false, BossFrontView()});
    PreviewView side = BossFrontView(), laserSide = BossFrontView(0.5f);
    side.from = laserSide.from = vec3(1.0f, 0.6f, -0.35f);
    out.push_back({"x\\lancer.x", BuildLance, "", 1.0f, false, side});
    out.push_back({"x\\raser.x", BuildLaser, "", 1.0f, false, laserSide});
}

}  // namespace assetgen::meshes

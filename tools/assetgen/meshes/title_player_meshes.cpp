// The player's fighter, its two weapons, the two pick-ups and the title screen's backdrop.
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

// A rounded-box cross-section of the fuselage at depth z.
std::vector<vec3> HullSection(float z, float halfWidth, float top, float bottom, float centreY) {
    std::vector<vec3> ring;
    for (int k = 0; k < 12; ++k) {
        float a = 6.2831853f * static_cast<float>(k) / 12.0f;
        float c = std::cos(a), s = std::sin(a);
        float x = halfWidth * std::copysign(std::pow(std::abs(c), 0.6f), c);
        float y = (s > 0 ? top : bottom) * std::copysign(std::pow(std::abs(s), 0.6f), s);
        ring.emplace_back(x, centreY + y, z);
    }
    return ring;
}

// The prototype fighter: white hull, two engines low on the wings, twin canted fins, a cyan canopy.
// Nose towards +z; seen from behind the two engine glows sit at x = +-1.1, where the flames are drawn.
Mesh BuildFighter() {
    Mesh m("plu2c");
    int hull = m.AddMaterial(Lit(0.64f, 0.68f, 0.75f));
    int dark = m.AddMaterial(palette::DarkHull());
    int accent = m.AddMaterial(palette::Orange());
    int glass = m.AddMaterial(Glow(0.25f, 0.75f, 1.0f, 1.0f, 0.4f));
    int engine = m.AddMaterial(Glow(0.55f, 0.9f, 1.0f));

    m.Add(Loft({HullSection(-1.4f, 0.3f, 0.22f, 0.18f, 0.0f), HullSection(-0.9f, 0.4f, 0.3f, 0.22f, 0.0f),
                HullSection(-0.2f, 0.42f, 0.33f, 0.24f, 0.0f), HullSection(0.6f, 0.34f, 0.28f, 0.2f, -0.02f),
                HullSection(1.3f, 0.18f, 0.15f, 0.12f, -0.06f), HullSection(1.95f, 0.03f, 0.03f, 0.03f, -0.09f)},
               true, true, 40.0f),
          hull);
    Geometry canopy = Sphere(1.0f, 14, 8);
    m.Add(canopy.Scale(vec3(0.21f, 0.2f, 0.62f)).Translate(vec3(0.0f, 0.24f, 0.45f)), glass);
    m.Add(GlowDisc(0.17f, 12).Scale(vec3(1.3f, 0.9f, 1.0f)).Translate(vec3(0.0f, 0.0f, -1.405f)), engine);

    // Wings with a little dihedral, thick enough to read from behind, an orange band near the tips.
    Geometry wing = Planform({{0.25f, 0.55f}, {0.25f, -1.1f}, {1.55f, -1.0f}, {1.55f, -0.55f}}, 0.1f);
    m.Add(MirroredPair(wing.RotateZ(7.0f).Translate(vec3(0.0f, -0.12f, 0.0f))), hull);
    Geometry band = Planform({{1.15f, -0.17f}, {1.15f, -1.02f}, {1.35f, -1.01f}, {1.35f, -0.37f}}, 0.11f);
    m.Add(MirroredPair(band.RotateZ(7.0f).Translate(vec3(0.0f, -0.12f, 0.0f))), accent);
    // Wingtip fins, canted out.
    Geometry tipFin = Planform({{0.0f, -0.4f}, {0.0f, -1.05f}, {0.5f, -1.1f}, {0.5f, -0.85f}}, 0.05f);
    m.Add(MirroredPair(tipFin.RotateZ(80.0f).Translate(vec3(1.57f, 0.05f, 0.0f))), dark);
    // Engine pods under the wings, where the game puts the flames (x = +-1.3, 0.7 below the centre).
    Geometry pod =
        LatheZ({{0.0f, -1.2f}, {0.15f, -1.2f}, {0.2f, -1.05f}, {0.2f, 0.1f}, {0.12f, 0.45f}, {0.0f, 0.55f}}, 12);
    m.Add(MirroredPair(pod.Translate(vec3(1.05f, -0.42f, 0.0f))), dark);
    m.Add(MirroredPair(GlowDisc(0.13f, 10).Translate(vec3(1.05f, -0.42f, -1.205f))), engine);
    Geometry pylon = Box(vec3(0.06f, 0.3f, 0.8f));
    m.Add(MirroredPair(pylon.Translate(vec3(1.05f, -0.25f, -0.4f))), dark);
    Geometry canard = Planform({{0.16f, 1.15f}, {0.16f, 0.8f}, {0.55f, 0.72f}, {0.55f, 0.82f}}, 0.05f);
    m.Add(MirroredPair(canard.Translate(vec3(0.0f, -0.04f, 0.0f))), hull);
    // Twin tail fins, tall and canted out, the dark shape that reads first from behind.
    Geometry fin = Planform({{0.0f, -0.3f}, {0.0f, -1.45f}, {0.95f, -1.55f}, {0.95f, -1.2f}}, 0.06f);
    m.Add(MirroredPair(fin.RotateZ(72.0f).Translate(vec3(0.2f, 0.2f, 0.0f))), dark);
    Geometry finTip = Box(vec3(0.07f, 0.06f, 0.36f));
    m.Add(MirroredPair(finTip.RotateZ(72.0f).Translate(vec3(0.2f + 0.95f * 0.309f, 0.2f + 0.95f * 0.951f, -1.37f))),
          accent);
    return m;
}

// The main gun's bolt: a white-hot core in a translucent cyan sheath, long axis +z.
Mesh BuildMainShot() {
    Mesh m("atack02");
    int core = m.AddMaterial(Glow(0.8f, 1.0f, 1.0f));
    int sheath = m.AddMaterial(Glow(0.15f, 0.65f, 1.0f, 0.45f));
    m.Add(LatheZ({{0.0f, -1.2f}, {0.08f, -0.9f}, {0.1f, 0.6f}, {0.0f, 1.3f}}, 8, 70.0f), core);
    m.Add(LatheZ({{0.0f, -1.5f}, {0.2f, -0.9f}, {0.22f, 0.6f}, {0.0f, 1.5f}}, 10, 70.0f), sheath);
    return m;
}

// The homing bomb: a stubby missile with cross fins, a glowing warhead and a blue exhaust.
Mesh BuildHomingBomb() {
    Mesh m("atack03");
    int body = m.AddMaterial(Lit(0.7f, 0.72f, 0.76f));
    int fins = m.AddMaterial(palette::DarkHull());
    int warhead = m.AddMaterial(palette::OrangeGlow());
    int exhaust = m.AddMaterial(Glow(0.4f, 0.7f, 1.0f));
    m.Add(LatheZ({{0.0f, -0.75f}, {0.14f, -0.75f}, {0.18f, -0.6f}, {0.18f, 0.35f}}, 12, 50.0f), body);
    m.Add(LatheZ({{0.18f, 0.35f}, {0.15f, 0.6f}, {0.08f, 0.8f}, {0.0f, 0.9f}}, 12, 50.0f), warhead);
    Geometry fin = Planform({{0.1f, -0.2f}, {0.1f, -0.75f}, {0.45f, -0.8f}, {0.45f, -0.6f}}, 0.04f);
    m.Add(RadialZ(fin.RotateZ(0.0f), 4, 45.0f), fins);
    Geometry glow = GlowDisc(0.13f, 10);
    m.Add(glow.Translate(vec3(0.0f, 0.0f, -0.76f)), exhaust);
    return m;
}

// The life ring: a gold hoop round a glowing green band, hole along z, about 9 units across.
Mesh BuildLifeRing() {
    Mesh m("ring");
    int gold = m.AddMaterial(Lit(0.7f, 0.55f, 0.15f));
    int band = m.AddMaterial(Glow(0.45f, 1.0f, 0.55f));
    int studs = m.AddMaterial(palette::WhiteGlow());
    m.Add(Torus(4.1f, 0.45f, 32, 8), gold);
    m.Add(Torus(3.55f, 0.14f, 32, 4), band);
    Geometry stud = IcoSphere(0.24f, 0, false);
    m.Add(RadialZ(stud.Translate(vec3(4.1f, 0.0f, -0.42f)), 8, 22.5f), studs);
    return m;
}

// The bomb pick-up: a glowing red core inside two crossed white orbits.
Mesh BuildBombItem() {
    Mesh m("bomb");
    int core = m.AddMaterial(Glow(1.0f, 0.25f, 0.12f, 1.0f, 0.5f));
    int shell = m.AddMaterial(Lit(0.55f, 0.1f, 0.08f));
    int orbit = m.AddMaterial(palette::WhiteGlow());
    m.Add(IcoSphere(0.6f, 1, true), core);
    Geometry cap = Lathe({{0.0f, 0.55f}, {0.42f, 0.55f}, {0.42f, 0.7f}, {0.2f, 0.85f}, {0.0f, 0.85f}}, 12, 45.0f);
    m.Add(cap, shell);
    Geometry bottom = cap;
    m.Add(bottom.Scale(vec3(1.0f, -1.0f, 1.0f)), shell);
    Geometry ringA = Torus(1.15f, 0.07f, 24, 4);
    Geometry ringB = ringA;
    m.Add(ringA.RotateY(50.0f).RotateZ(25.0f), orbit);
    m.Add(ringB.RotateY(-50.0f).RotateZ(-25.0f), orbit);
    return m;
}

// Title backdrop: a slowly turning armillary of three banded rings round a faceted core, far behind the
// title art. Every face wears t\blue.png, so the forms carry the design and the picture the colour.
Mesh BuildTitleBackdrop() {
    Mesh m("t1");
    int rings = m.AddMaterial(Textured(1.0f, 0.6f));
    int core = m.AddMaterial(Textured(1.0f, 0.6f));
    auto band = [](float radius, float width, float thickness) {
        // A flat band: the outer and inner faces of a short, wide ring.
        float r0 = radius - thickness * 0.5f, r1 = radius + thickness * 0.5f, h = width * 0.5f;
        Geometry g = Lathe({{r0, h}, {r0, -h}, {r1, -h}, {r1, h}, {r0, h}}, 64, 30.0f);
        for (auto& v : g.vertices) v.uv = vec2(v.uv.x * 8.0f, v.uv.y);
        return g;
    };
    m.Add(band(92.0f, 10.0f, 3.0f).RotateX(72.0f), rings);
    m.Add(band(76.0f, 8.0f, 3.0f).RotateZ(60.0f).RotateX(20.0f), rings);
    m.Add(band(60.0f, 6.0f, 3.0f).RotateZ(-55.0f).RotateX(-25.0f), rings);
    Geometry ball = IcoSphere(30.0f, 2, false);
    m.Add(SphericalUV(ball, vec3(0.0f), 4.0f, 2.0f), core);
    Geometry spike = Cone(4.0f, 22.0f, 6);
    Geometry spikes;
    for (vec3 d : {vec3(1, 0, 0), vec3(-1, 0, 0), vec3(0, 1, 0), vec3(0, -1, 0), vec3(0, 0, 1), vec3(0, 0, -1)}) {
        Geometry s = spike;
        s.Translate(vec3(0.0f, 26.0f, 0.0f));
        if (d.y < 0) s.RotateX(180.0f);
        if (d.x != 0) s.RotateZ(d.x > 0 ? -90.0f : 90.0f);
        if (d.z != 0) s.RotateX(d.z > 0 ? 90.0f : -90.0f);
        spikes.Append(s);
    }
    m.Add(spikes, core);
    return m;
}

// Loaded with the title but never shown: a small textured ball keeps its loader honest.
Mesh BuildTitleSpare() {
    Mesh m("t2");
    int mat = m.AddMaterial(Textured());
    m.Add(IcoSphere(2.0f, 2, true), mat);
    return m;
}

PreviewView Framed(vec3 from) {
    PreviewView v;
    v.from = from;
    return v;
}

}  // namespace

void AddTitleAndPlayerMeshes(std::vector<MeshEntry>& out) {
    const vec3 behind(0.0f, 0.25f, -1.0f);
    PreviewView title;
    title.gameCamera = true;
    title.world = Translation(vec3(0.0f, 2.5f, 200.0f)) * RotationY(20.0f);
    out.push_back({"x\\plu2c.x", BuildFighter, "", 1.0f, false, Framed(behind)});
    out.push_back({"x\\t1.x", BuildTitleBackdrop, "t\\blue.png", 1.0f, true, title});
    out.push_back({"x\\t2.x", BuildTitleSpare, "t\\red.png", 1.0f, false, Framed(vec3(0.3f, 0.3f, -1.0f))});
    out.push_back({"x\\atack02.x", BuildMainShot, "", 1.0f, false, Framed(vec3(0.8f, 0.5f, -0.6f))});
    out.push_back({"x\\atack03.x", BuildHomingBomb, "", 1.0f, false, Framed(vec3(0.8f, 0.5f, -0.6f))});
    out.push_back({"x\\ring.x", BuildLifeRing, "", 1.0f, false, Framed(vec3(0.3f, 0.25f, -1.0f))});
    out.push_back({"x\\bomb.x", BuildBombItem, "", 1.0f, false, Framed(vec3(0.2f, 0.25f, -1.0f))});
}

}  // namespace assetgen::meshes

// The two bosses of deep space: the armoured knight with its sword, halo, thruster pack and wings, and the
// star fortress with its circuit ring, four fans, meteors and capture holes. Ice-white, indigo and violet.
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

Material Ice() { return Lit(0.68f, 0.72f, 0.82f); }
Material Indigo() { return Lit(0.2f, 0.19f, 0.45f); }
Material VioletGlow(float a = 1.0f) { return Glow(0.7f, 0.35f, 1.0f, a); }

// A chamfered cross-section lying flat (in the xz plane) at height y.
std::vector<vec3> Waist(float y, float halfWidth, float halfDepth, float chamfer, float centreZ = 0.0f) {
    std::vector<vec3> out;
    for (const auto& p : ChamferedSection(0.0f, halfWidth, halfDepth, chamfer)) out.emplace_back(p.x, y, p.y + centreZ);
    return out;
}

// The knight: a broad chest with a glowing core, great pauldrons, a horned helm with a cyan visor, arms at
// rest and a thruster skirt. Its sword, halo, pack and wings are separate meshes placed round it.
Mesh BuildKnight() {
    Mesh m("bboss03");
    int armour = m.AddMaterial(Ice());
    int indigo = m.AddMaterial(Indigo());
    int violet = m.AddMaterial(Lit(0.45f, 0.2f, 0.7f));
    int cyan = m.AddMaterial(palette::CyanGlow());
    int thruster = m.AddMaterial(Glow(0.55f, 0.7f, 1.0f));
    m.Add(Loft({Waist(-1.6f, 0.62f, 0.48f, 0.2f), Waist(-0.5f, 1.0f, 0.65f, 0.3f), Waist(0.5f, 1.4f, 0.85f, 0.4f),
                Waist(1.15f, 1.3f, 0.78f, 0.4f), Waist(1.45f, 0.55f, 0.45f, 0.2f)},
               true, true, 25.0f),
          armour);
    Geometry chestPlate = ConvexHull({{-1.0f, 0.9f, -0.9f},
                                      {1.0f, 0.9f, -0.9f},
                                      {-0.5f, -0.3f, -0.75f},
                                      {0.5f, -0.3f, -0.75f},
                                      {0.0f, 0.2f, -1.1f},
                                      {-1.1f, 0.6f, -0.5f},
                                      {1.1f, 0.6f, -0.5f},
                                      {0.0f, -0.5f, -0.6f}});
    m.Add(chestPlate, violet);
    m.Add(IcoSphere(0.3f, 1, false).Translate(vec3(0.0f, 0.35f, -1.12f)), cyan);
    Geometry pauldron = Sphere(1.0f, 14, 8);
    pauldron.Scale(vec3(0.85f, 0.6f, 0.85f)).RotateZ(-18.0f).Translate(vec3(1.65f, 1.05f, 0.0f));
    m.Add(MirroredPair(pauldron), armour);
    Geometry trim = Torus(0.8f, 0.07f, 16, 4);
    m.Add(MirroredPair(trim.RotateX(90.0f).RotateZ(-18.0f).Translate(vec3(1.65f, 0.95f, 0.0f))), violet);
    // Helm, visor, horns.
    m.Add(BevelBox(vec3(0.72f, 0.78f, 0.82f), 0.16f).Translate(vec3(0.0f, 1.95f, -0.05f)), armour);
    m.Add(Box(vec3(0.52f, 0.12f, 0.06f)).Translate(vec3(0.0f, 2.0f, -0.47f)), cyan);
    Geometry horn = Plate({{0.0f, 0.0f}, {0.18f, 0.0f}, {1.0f, 1.1f}, {0.9f, 1.2f}}, 0.07f);
    m.Add(MirroredPair(horn.Translate(vec3(0.12f, 2.15f, -0.48f))), violet);
    Geometry crest = Planform({{0.0f, -0.5f}, {0.0f, 0.4f}, {0.55f, 0.5f}, {0.45f, -0.2f}}, 0.06f);
    m.Add(crest.RotateZ(90.0f).Translate(vec3(0.0f, 2.3f, 0.0f)), violet);
    // Arms at rest.
    for (float side : {1.0f, -1.0f}) {
        m.Add(Sweep({{side * 1.75f, 0.8f, 0.05f}, {side * 1.9f, -0.1f, -0.1f}, {side * 1.95f, -0.7f, -0.45f}},
                    {0.34f, 0.3f, 0.28f}, 10, true),
              indigo);
        m.Add(BevelBox(vec3(0.62f, 0.95f, 0.7f), 0.12f).Translate(vec3(side * 1.98f, -1.1f, -0.55f)), armour);
    }
    // Thruster skirt with four plates and a glow underneath.
    m.Add(Frustum(0.35f, 0.75f, 1.2f, 16).Translate(vec3(0.0f, -2.2f, 0.0f)), indigo);
    Geometry tasset = ConvexHull({{-0.45f, -1.5f, -0.75f},
                                  {0.45f, -1.5f, -0.75f},
                                  {-0.35f, -2.7f, -0.65f},
                                  {0.35f, -2.7f, -0.65f},
                                  {-0.45f, -1.5f, -0.55f},
                                  {0.45f, -1.5f, -0.55f},
                                  {0.0f, -2.9f, -0.5f}});
    m.Add(RadialY(tasset, 4, 0.0f), armour);
    Geometry glow = GlowDisc(0.3f, 12);
    m.Add(glow.RotateX(-90.0f).Translate(vec3(0.0f, -2.81f, 0.0f)), thruster);
    return m;
}

// The great sword (also the moons' blades and bars): 10 long, tip towards -z, centred on its middle.
Mesh BuildSword() {
    Mesh m("sord");
    int blade = m.AddMaterial(Lit(0.72f, 0.78f, 0.9f));
    int gold = m.AddMaterial(palette::Gold());
    int glow = m.AddMaterial(VioletGlow());
    auto diamond = [](float z, float halfWidth, float ridge) {
        return std::vector<vec3>{{halfWidth, 0, z}, {0, ridge, z}, {-halfWidth, 0, z}, {0, -ridge, z}};
    };
    m.Add(Loft({diamond(1.2f, 0.5f, 0.12f), diamond(-3.0f, 0.45f, 0.11f), diamond(-5.2f, 0.3f, 0.09f),
                diamond(-6.0f, 0.0f, 0.0f)},
               true, false, 10.0f),
          blade);
    m.Add(Box(vec3(0.12f, 0.27f, 5.2f)).Translate(vec3(0.0f, 0.0f, -1.6f)), glow);
    Geometry guard = ConvexHull({{-1.2f, 0.0f, 1.45f},
                                 {1.2f, 0.0f, 1.45f},
                                 {-0.9f, 0.22f, 1.2f},
                                 {0.9f, 0.22f, 1.2f},
                                 {-0.9f, -0.22f, 1.2f},
                                 {0.9f, -0.22f, 1.2f},
                                 {-0.6f, 0.18f, 1.7f},
                                 {0.6f, 0.18f, 1.7f},
                                 {-0.6f, -0.18f, 1.7f},
                                 {0.6f, -0.18f, 1.7f}});
    m.Add(guard, gold);
    m.Add(LatheZ({{0.0f, 1.6f}, {0.14f, 1.6f}, {0.12f, 3.3f}, {0.0f, 3.3f}}, 8), blade);
    m.Add(IcoSphere(0.26f, 1, false).Translate(vec3(0.0f, 0.0f, 3.5f)), gold);
    m.Add(IcoSphere(0.16f, 0, false).Translate(vec3(0.0f, 0.0f, 1.45f)).Translate(vec3(0.0f, 0.0f, -0.12f)), glow);
    return m;
}

// The knight's halo (modelled where it sits behind the knight's head when drawn at the body's position):
// a violet ring inside a white one, crowned with twelve rays.
Mesh BuildHalo() {
    Mesh m("en");
    int violet = m.AddMaterial(VioletGlow());
    int white = m.AddMaterial(palette::WhiteGlow());
    const vec3 centre(0.0f, 1.4f, 1.5f);
    m.Add(Torus(2.6f, 0.1f, 32, 4).Translate(centre), violet);
    m.Add(Torus(3.0f, 0.05f, 32, 3).Translate(centre), white);
    Geometry ray = Cone(0.12f, 0.9f, 4);
    m.Add(RadialZ(ray.Translate(vec3(0.0f, 3.05f, 0.0f)), 12, 0.0f).Translate(centre), white);
    Geometry orb = IcoSphere(0.2f, 1, true);
    m.Add(RadialZ(orb.Translate(vec3(2.6f, 0.0f, 0.0f)), 4, 45.0f).Translate(centre), white);
    return m;
}

// The knight's thruster pack (modelled in place on its back): a reactor between two tilted engine pods.
Mesh BuildThrusterPack() {
    Mesh m("souti");
    int indigo = m.AddMaterial(Indigo());
    int armour = m.AddMaterial(Ice());
    int glow = m.AddMaterial(palette::CyanGlow());
    m.Add(Cylinder(0.45f, 1.6f, 14).Translate(vec3(0.0f, 0.5f, 1.25f)), indigo);
    m.Add(Torus(0.47f, 0.06f, 14, 4).RotateX(90.0f).Translate(vec3(0.0f, 0.7f, 1.25f)), glow);
    Geometry pod =
        LatheZ({{0.0f, -0.9f}, {0.3f, -0.85f}, {0.4f, -0.4f}, {0.38f, 0.7f}, {0.3f, 0.9f}, {0.0f, 0.9f}}, 12);
    Geometry nozzle = GlowDisc(0.26f, 12);
    nozzle.RotateY(180.0f).Translate(vec3(0.0f, 0.0f, 0.91f));
    for (float side : {1.0f, -1.0f}) {
        Geometry p = pod;
        Geometry n = nozzle;
        mat4 place = Translation(vec3(side * 1.05f, 0.9f, 1.7f)) * RotationX(-25.0f) * RotationY(side * 12.0f);
        m.Add(p.Transform(place), armour);
        m.Add(n.Transform(place), glow);
        m.Add(Box(vec3(1.2f, 0.18f, 0.3f)).Translate(vec3(side * 0.55f, 0.8f, 1.35f)), indigo);
    }
    return m;
}

// The knight's wings (modelled in place): three long blades a side fanning up from the shoulder blades.
Mesh BuildWings() {
    Mesh m("ryou");
    int armour = m.AddMaterial(Ice());
    int glow = m.AddMaterial(VioletGlow());
    Geometry feather = Plate({{0.0f, -0.18f}, {3.2f, -0.12f}, {3.9f, 0.0f}, {3.2f, 0.16f}, {0.0f, 0.2f}}, 0.1f);
    Geometry edge = Plate({{0.4f, -0.05f}, {3.3f, -0.03f}, {3.5f, 0.0f}, {3.3f, 0.04f}, {0.4f, 0.05f}}, 0.12f);
    for (int i = 0; i < 3; ++i) {
        float angle = 48.0f - 22.0f * static_cast<float>(i);
        float length = 1.0f - 0.14f * static_cast<float>(i);
        mat4 place = Translation(vec3(0.8f, 1.3f, 1.6f)) * RotationY(-15.0f) * RotationZ(angle) *
                     Scaling(vec3(length, 1.0f, 1.0f));
        Geometry f = feather;
        Geometry e = edge;
        m.Add(MirroredPair(f.Transform(place)), armour);
        m.Add(MirroredPair(e.Transform(place * Translation(vec3(0.0f, 0.0f, -0.02f)))), glow);
    }
    m.Add(MirroredPair(Sphere(0.3f, 10, 6).Translate(vec3(0.8f, 1.3f, 1.6f))), glow);
    return m;
}

// Stage-2 final boss: a faceted indigo sphere with a great lens eye, four docking arms in an X with
// glowing pods, spires above and below, and a rack behind the top where its four fans rest.
Mesh BuildStarFortress() {
    Mesh m("boss05");
    int hull = m.AddMaterial(Lit(0.26f, 0.24f, 0.55f));
    int ice = m.AddMaterial(Ice());
    int cyan = m.AddMaterial(palette::CyanGlow());
    int violet = m.AddMaterial(VioletGlow());
    m.Add(IcoSphere(2.3f, 2, false), hull);
    m.Add(Torus(2.35f, 0.16f, 36, 5).RotateX(90.0f), ice);
    m.Add(LatheZ({{0.0f, -0.6f}, {0.55f, -0.52f}, {0.9f, -0.25f}, {1.05f, 0.2f}, {0.0f, 0.2f}}, 24, 40.0f)
              .Translate(vec3(0.0f, 0.0f, -2.05f)),
          cyan);
    m.Add(Torus(1.15f, 0.12f, 24, 5).Translate(vec3(0.0f, 0.0f, -2.0f)), ice);
    Geometry arm = Loft({ChamferedSection(0.0f, 0.35f, 0.35f, 0.12f), ChamferedSection(1.5f, 0.25f, 0.25f, 0.08f)},
                        true, true, 20.0f);
    arm.RotateY(90.0f).Translate(vec3(2.0f, 0.0f, 0.0f));
    Geometry pod = IcoSphere(0.45f, 1, false);
    pod.Translate(vec3(3.8f, 0.0f, 0.0f));
    m.Add(RadialZ(arm, 4, 45.0f), ice);
    m.Add(RadialZ(pod, 4, 45.0f), violet);
    Geometry spire = Cone(0.45f, 1.6f, 8);
    m.Add(spire.Translate(vec3(0.0f, 2.1f, 0.0f)), ice);
    Geometry under = Cone(0.45f, 1.4f, 8);
    m.Add(under.RotateX(180.0f).Translate(vec3(0.0f, -2.1f, 0.0f)), ice);
    m.Add(Box(vec3(7.4f, 0.22f, 0.36f)).Translate(vec3(0.0f, 1.95f, 3.0f)), hull);
    Geometry strut = Box(vec3(0.22f, 0.22f, 2.0f));
    m.Add(MirroredPair(strut.Translate(vec3(1.2f, 1.75f, 2.0f))), hull);
    Geometry lamp = Box(vec3(0.5f, 0.12f, 0.1f));
    for (int i = 0; i < 4; ++i) {
        Geometry l = lamp;
        m.Add(l.Translate(vec3(-3.0f + 2.0f * static_cast<float>(i), 1.95f, 2.78f)), cyan);
    }
    return m;
}

// The fortress's ring (hole along z, 16 across, rolled by the game): a flat band with eight teeth, all
// wearing t\circuit.png, u running round the ring.
Mesh BuildCircuitRing() {
    Mesh m("bossring");
    int band = m.AddMaterial(Textured(1.0f, 0.3f));
    int teeth = m.AddMaterial(Textured(1.0f, 0.3f));
    Geometry ring = Lathe({{6.8f, 0.3f}, {6.8f, -0.3f}, {7.6f, -0.3f}, {7.6f, 0.3f}, {6.8f, 0.3f}}, 64, 30.0f);
    for (auto& v : ring.vertices) v.uv = vec2(v.uv.x * 12.0f, v.uv.y);
    m.Add(ring.RotateX(90.0f), band);
    Geometry tooth = Box(vec3(0.9f, 0.7f, 0.5f));
    BoxUV(tooth, 1.0f);
    m.Add(RadialZ(tooth.Translate(vec3(0.0f, 7.85f, 0.0f)), 8, 22.5f), teeth);
    return m;
}

// A ducted fan, 1.8 across: six twisted blades round a spinner that points at the player (-z).
Mesh BuildFan() {
    Mesh m("fan");
    int duct = m.AddMaterial(Ice());
    int blades = m.AddMaterial(Indigo());
    int glow = m.AddMaterial(palette::CyanGlow());
    m.Add(LatheZ({{0.72f, 0.3f}, {0.72f, -0.3f}, {0.9f, -0.24f}, {0.9f, 0.24f}, {0.72f, 0.3f}}, 20, 30.0f), duct);
    m.Add(Torus(0.81f, 0.035f, 20, 4).Translate(vec3(0.0f, 0.0f, -0.27f)), glow);
    Geometry blade = Box(vec3(0.22f, 0.6f, 0.04f));
    blade.RotateY(30.0f).Translate(vec3(0.0f, 0.43f, 0.0f));
    m.Add(RadialZ(blade, 6, 0.0f), blades);
    m.Add(LatheZ({{0.0f, -0.55f}, {0.12f, -0.42f}, {0.2f, -0.15f}, {0.2f, 0.35f}, {0.0f, 0.38f}}, 12, 50.0f), duct);
    m.Add(IcoSphere(0.07f, 0, false).Translate(vec3(0.0f, 0.0f, -0.55f)), glow);
    Geometry strut = Box(vec3(0.06f, 0.55f, 0.08f));
    m.Add(RadialZ(strut.Translate(vec3(0.0f, 0.45f, 0.25f)), 3, 0.0f), blades);
    return m;
}

// The fan's beam: a white core in a translucent cyan sheath, 4 long along z, centred.
Mesh BuildFanBeam() {
    Mesh m("fanbeam");
    int core = m.AddMaterial(Glow(0.85f, 1.0f, 1.0f));
    int sheath = m.AddMaterial(Glow(0.2f, 0.75f, 1.0f, 0.5f));
    m.Add(LatheZ({{0.0f, -2.0f}, {0.18f, -1.6f}, {0.22f, 1.2f}, {0.0f, 2.0f}}, 8, 60.0f), core);
    m.Add(LatheZ({{0.0f, -2.2f}, {0.42f, -1.5f}, {0.5f, 1.0f}, {0.0f, 2.2f}}, 12, 60.0f), sheath);
    return m;
}

// A meteor of the fortress's shower, 2.6 across, wearing t\meteo.png.
Mesh BuildMeteor() {
    Mesh m("bmeteo");
    int rock = m.AddMaterial(Textured(1.0f, 0.2f));
    m.Add(Rock(1.3f, 2, 0.3f, 11u), rock);
    return m;
}

// A capture hole: a flat disc facing -z, radius 3, wearing t\suik.png across its whole face.
Mesh BuildCaptureHole() {
    Mesh m("holeE");
    int hole = m.AddMaterial(Textured(1.0f, 0.5f));
    m.Add(Disc(3.0f, 32), hole);
    return m;
}

}  // namespace

void AddStageTwoBossMeshes(std::vector<MeshEntry>& out) {
    out.push_back({"x\\bboss03.x", BuildKnight, "", 1.0f, false, BossFrontView()});
    PreviewView side = BossFrontView();
    side.from = vec3(1.0f, 0.6f, -0.35f);
    out.push_back({"x\\sord.x", BuildSword, "", 1.0f, false, side});
    out.push_back({"x\\en.x", BuildHalo, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\souti.x", BuildThrusterPack, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\ryou.x", BuildWings, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\boss05.x", BuildStarFortress, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\bossring.x", BuildCircuitRing, "t\\circuit.png", 1.0f, false, BossFrontView()});
    out.push_back({"x\\fan.x", BuildFan, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\fanbeam.x", BuildFanBeam, "", 1.0f, false, side});
    out.push_back({"x\\bmeteo.x", BuildMeteor, "t\\meteo.png", 1.0f, false, BossFrontView()});
    out.push_back({"x\\holeE.x", BuildCaptureHole, "t\\suik.png", 1.0f, true, BossFrontView()});
}

}  // namespace assetgen::meshes

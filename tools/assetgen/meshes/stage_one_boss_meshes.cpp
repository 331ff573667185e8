// The two bosses of the city: the first guardian (a head with two pincer arms and a beam eye) and the
// stage-1 final boss (a shielded core behind a barrier), in the city's grey-blue armour and orange light.
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

// A dome bulging towards -z from a flat back at z = 0.
Geometry Lens(float radius, float height, int segments) {
    return LatheZ({{0.0f, -height},
                   {radius * 0.55f, -height * 0.82f},
                   {radius * 0.88f, -height * 0.45f},
                   {radius, 0.0f},
                   {0.0f, 0.0f}},
                  segments, 40.0f);
}

// First guardian: an armoured head, its great red eye low in the face (the beam leaves 0.5 below the centre),
// a crest of two swept fins, and a socket on each side where the arms ride.
Mesh BuildGuardianBody() {
    Mesh m("bboss01hontai");
    int armour = m.AddMaterial(Lit(0.5f, 0.56f, 0.66f));
    int dark = m.AddMaterial(palette::DarkHull());
    int orange = m.AddMaterial(palette::OrangeGlow());
    int eye = m.AddMaterial(Glow(1.0f, 0.18f, 0.1f, 1.0f, 0.3f));
    m.Add(Loft({ChamferedSection(-1.75f, 1.25f, 0.9f, 0.4f), ChamferedSection(-1.3f, 1.9f, 1.35f, 0.55f),
                ChamferedSection(0.6f, 2.1f, 1.5f, 0.6f), ChamferedSection(1.9f, 1.5f, 1.05f, 0.45f),
                ChamferedSection(2.3f, 0.9f, 0.6f, 0.3f)},
               true, true, 20.0f),
          armour);
    // Face: a dark mask round the eye, with cheek vents.
    m.Add(Plate({{1.0f, 0.1f}, {0.7f, 0.55f}, {-0.7f, 0.55f}, {-1.0f, 0.1f}, {-0.8f, -0.8f}, {0.8f, -0.8f}}, 0.2f)
              .Translate(vec3(0.0f, 0.0f, -1.8f)),
          dark);
    m.Add(Lens(0.55f, 0.35f, 18).Translate(vec3(0.0f, -0.45f, -1.9f)), eye);
    m.Add(Torus(0.6f, 0.07f, 18, 4).Translate(vec3(0.0f, -0.45f, -1.92f)), orange);
    Geometry brow = ConvexHull({{-1.05f, 0.25f, -1.95f},
                                {1.05f, 0.25f, -1.95f},
                                {-1.2f, 0.55f, -1.7f},
                                {1.2f, 0.55f, -1.7f},
                                {-0.9f, 0.7f, -1.3f},
                                {0.9f, 0.7f, -1.3f},
                                {0.0f, 0.2f, -2.05f}});
    m.Add(brow, armour);
    Geometry vent = Box(vec3(0.36f, 0.07f, 0.06f));
    for (int i = 0; i < 3; ++i) {
        Geometry v = vent;
        m.Add(MirroredPair(v.Translate(vec3(1.35f, -0.2f - 0.22f * static_cast<float>(i), -1.62f))), orange);
    }
    // Crest fins, stood up from a flat outline and canted outwards.
    Geometry fin = Planform({{0.0f, -1.0f}, {0.0f, 1.2f}, {1.4f, 2.2f}, {1.5f, 1.7f}, {0.6f, -0.6f}}, 0.12f);
    m.Add(MirroredPair(fin.RotateZ(75.0f).Translate(vec3(0.55f, 1.35f, 0.0f))), dark);
    Geometry finGlow = Box(vec3(0.1f, 0.14f, 0.9f));
    m.Add(MirroredPair(finGlow.RotateZ(75.0f).Translate(vec3(0.55f + 1.42f * 0.259f, 1.35f + 1.42f * 0.966f, 1.9f))),
          orange);
    // Arm sockets on the flanks.
    Geometry socket = Cylinder(0.62f, 0.35f, 16);
    m.Add(MirroredPair(socket.RotateZ(90.0f).Translate(vec3(2.15f, 0.0f, 0.9f))), dark);
    Geometry socketGlow = Cylinder(0.38f, 0.36f, 12);
    m.Add(MirroredPair(socketGlow.RotateZ(90.0f).Translate(vec3(2.2f, 0.0f, 0.9f))), orange);
    // Chin guns either side of the eye.
    Geometry gun = LatheZ({{0.0f, -0.6f}, {0.12f, -0.6f}, {0.14f, 0.6f}, {0.0f, 0.6f}}, 8);
    m.Add(MirroredPair(gun.Translate(vec3(0.95f, -1.0f, -1.6f))), dark);
    // Rear thrusters.
    Geometry nozzle = GlowDisc(0.3f, 12);
    m.Add(MirroredPair(nozzle.RotateY(180.0f).Translate(vec3(0.5f, 0.0f, 2.31f))), orange);
    return m;
}

// The right arm: a forearm block with an upper and a lower claw closing in front of a glowing palm,
// a shoulder ball on its inner (-x) side towards the body.
Mesh BuildGuardianArm(const char* name, bool left) {
    Mesh m(name);
    int armour = m.AddMaterial(Lit(0.5f, 0.56f, 0.66f));
    int dark = m.AddMaterial(palette::DarkHull());
    int orange = m.AddMaterial(palette::OrangeGlow());
    Geometry g;
    Geometry forearm = BevelBox(vec3(1.5f, 1.7f, 2.6f), 0.3f);
    m.Add(forearm.Translate(vec3(0.15f, 0.0f, 0.5f)), armour);
    Geometry plate = ConvexHull({{-0.4f, 0.85f, -0.6f},
                                 {0.7f, 0.85f, -0.6f},
                                 {-0.4f, 0.85f, 1.7f},
                                 {0.7f, 0.85f, 1.7f},
                                 {0.1f, 1.45f, 1.4f},
                                 {0.2f, 1.1f, -0.3f},
                                 {0.1f, 1.5f, 2.0f}});
    m.Add(plate, dark);
    Geometry shoulder = Sphere(0.62f, 14, 8);
    m.Add(shoulder.Translate(vec3(-0.85f, 0.0f, 1.0f)), dark);
    // Two jaws, upper and lower: a heavy root and a hooked tip closing towards the centre line.
    for (float side : {1.0f, -1.0f}) {
        auto p = [side](float x, float y, float z) { return vec3(0.15f + x, side * y, z); };
        Geometry root = ConvexHull({p(-0.38f, 0.35f, -0.6f), p(0.38f, 0.35f, -0.6f), p(-0.38f, 1.0f, -0.6f),
                                    p(0.38f, 1.0f, -0.6f), p(-0.32f, 0.5f, -1.75f), p(0.32f, 0.5f, -1.75f),
                                    p(-0.32f, 1.1f, -1.65f), p(0.32f, 1.1f, -1.65f)});
        Geometry hook =
            ConvexHull({p(-0.32f, 0.5f, -1.7f), p(0.32f, 0.5f, -1.7f), p(-0.32f, 1.1f, -1.62f), p(0.32f, 1.1f, -1.62f),
                        p(-0.1f, 0.12f, -2.55f), p(0.1f, 0.12f, -2.55f), p(0.0f, 0.3f, -2.7f)});
        m.Add(root, dark);
        m.Add(hook, armour);
        for (int k = 0; k < 3; ++k) {
            Geometry tooth = Cone(0.09f, 0.28f, 5);
            tooth.RotateX(side > 0 ? 180.0f : 0.0f);
            m.Add(tooth.Translate(p(0.0f, 0.42f, -0.85f - 0.35f * static_cast<float>(k))), orange);
        }
    }
    m.Add(GlowDisc(0.45f, 14).Translate(vec3(0.15f, 0.0f, -0.81f)), orange);
    Geometry stripe = Box(vec3(0.06f, 1.0f, 1.6f));
    m.Add(stripe.Translate(vec3(0.92f, 0.0f, 0.6f)), orange);
    // Scaled up to the arm's reach (its collision radius is 2.5); the left arm is the mirror image.
    m.MutableGeometry().Scale(1.15f);
    if (left) m.MutableGeometry().MirrorX();
    return m;
}

Mesh BuildGuardianRightArm() { return BuildGuardianArm("bboss01migi", false); }
Mesh BuildGuardianLeftArm() { return BuildGuardianArm("bboss01hidari", true); }

// The boss beam: a white core in a red-orange sheath, 5 long and 1.34 wide, centred, along z. The game
// stretches it up to twenty times its length and draws it at alpha 0.3.
Mesh BuildBossBeam() {
    Mesh m("bossbeam");
    int core = m.AddMaterial(Glow(1.0f, 0.95f, 0.8f));
    int sheath = m.AddMaterial(Glow(1.0f, 0.35f, 0.15f));
    m.Add(LatheZ({{0.0f, -2.4f}, {0.2f, -2.2f}, {0.3f, -1.8f}, {0.3f, 1.8f}, {0.2f, 2.2f}, {0.0f, 2.4f}}, 10, 60.0f),
          core);
    m.Add(
        LatheZ({{0.0f, -2.5f}, {0.45f, -2.3f}, {0.67f, -1.7f}, {0.67f, 1.7f}, {0.45f, 2.3f}, {0.0f, 2.5f}}, 14, 60.0f),
        sheath);
    return m;
}

// Stage-1 final boss: a round core behind four armour blades in an X, a burning eye in the middle.
Mesh BuildCoreFortress() {
    Mesh m("bboss02");
    int armour = m.AddMaterial(Lit(0.48f, 0.54f, 0.64f));
    int dark = m.AddMaterial(palette::DarkHull());
    int orange = m.AddMaterial(palette::OrangeGlow());
    int eye = m.AddMaterial(Glow(1.0f, 0.3f, 0.08f, 1.0f, 0.3f));
    m.Add(Sphere(2.0f, 24, 14), dark);
    m.Add(Torus(2.05f, 0.32f, 32, 8).Translate(vec3(0.0f, 0.0f, -0.6f)), armour);
    Geometry blade = ConvexHull({{1.4f, -0.55f, -1.3f},
                                 {1.4f, 0.55f, -1.3f},
                                 {3.5f, -0.35f, -0.5f},
                                 {3.5f, 0.35f, -0.5f},
                                 {1.4f, -0.7f, 0.6f},
                                 {1.4f, 0.7f, 0.6f},
                                 {3.2f, -0.4f, 0.7f},
                                 {3.2f, 0.4f, 0.7f},
                                 {3.9f, 0.0f, 0.1f}});
    m.Add(RadialZ(blade, 4, 45.0f), armour);
    Geometry bladeGlow = Box(vec3(1.4f, 0.12f, 0.1f));
    m.Add(RadialZ(bladeGlow.Translate(vec3(2.5f, 0.0f, -1.02f)), 4, 45.0f), orange);
    Geometry node = IcoSphere(0.3f, 1, false);
    m.Add(RadialZ(node.Translate(vec3(2.1f, 0.0f, -0.95f)), 4, 0.0f), orange);
    m.Add(Lens(0.95f, 0.55f, 24).Translate(vec3(0.0f, 0.0f, -1.85f)), eye);
    m.Add(Torus(1.02f, 0.12f, 24, 6).Translate(vec3(0.0f, 0.0f, -1.9f)), orange);
    Geometry spine = LatheZ({{0.0f, 1.0f}, {1.0f, 1.2f}, {0.8f, 2.6f}, {0.0f, 3.0f}}, 16);
    m.Add(spine, armour);
    return m;
}

// A hexagonal shield plate facing -z with a glowing panel; three circle the final boss.
Mesh BuildShield() {
    Mesh m("shield");
    int frame = m.AddMaterial(Lit(0.5f, 0.58f, 0.7f));
    int panel = m.AddMaterial(Glow(0.35f, 0.85f, 1.0f, 1.0f, 0.3f));
    auto hex = [](float z, float r) { return SectionAt(RegularPolygon(6, r, 90.0f), z); };
    m.Add(Loft({hex(-0.2f, 1.25f), hex(-0.05f, 1.55f), hex(0.2f, 1.55f), hex(0.35f, 1.2f)}, true, true, 20.0f), frame);
    Geometry glow = Plate(RegularPolygon(6, 0.95f, 90.0f), 0.1f);
    m.Add(glow.Translate(vec3(0.0f, 0.0f, -0.22f)), panel);
    Geometry stud = IcoSphere(0.14f, 0, false);
    m.Add(RadialZ(stud.Translate(vec3(0.0f, 1.28f, -0.25f)), 6, 0.0f), panel);
    return m;
}

// The barrier: a shallow dome bulging towards the player, 11 units across, wearing t\baria.png.
Mesh BuildBarrier() {
    Mesh m("baria");
    int shell = m.AddMaterial(Textured(0.5f, 0.5f));
    std::vector<vec2> profile;
    for (int i = 0; i <= 6; ++i) {
        float a = 0.62f * static_cast<float>(i) / 6.0f;
        // An arc of radius 9 from the apex out to the rim.
        profile.emplace_back(9.0f * std::sin(a), -9.0f * std::cos(a) + 9.0f * std::cos(0.62f) - 0.0f);
    }
    Geometry dome = LatheZ(profile, 32, 60.0f);
    const float radius = 9.0f * std::sin(0.62f);
    m.Add(PlanarUV(dome, vec3(-radius, radius, 0.0f), vec3(0.5f / radius, 0, 0), vec3(0, -0.5f / radius, 0)), shell);
    return m;
}

// The final boss's shot: a white-hot core in an orange shell with six flares.
Mesh BuildPlasmaShot() {
    Mesh m("boss01shot");
    int core = m.AddMaterial(Glow(1.0f, 0.95f, 0.7f));
    int shell = m.AddMaterial(Glow(1.0f, 0.45f, 0.1f, 0.6f));
    m.Add(IcoSphere(0.38f, 1, true), core);
    m.Add(IcoSphere(0.62f, 1, false), shell);
    Geometry flare = Cone(0.14f, 0.55f, 5);
    for (vec3 d : {vec3(1, 0, 0), vec3(-1, 0, 0), vec3(0, 1, 0), vec3(0, -1, 0), vec3(0, 0, 1), vec3(0, 0, -1)}) {
        Geometry f = flare;
        f.Translate(vec3(0.0f, 0.5f, 0.0f));
        m.Add(PointAlong(f, d), shell);
    }
    return m;
}

}  // namespace

void AddStageOneBossMeshes(std::vector<MeshEntry>& out) {
    out.push_back({"x\\bboss01hontai.x", BuildGuardianBody, "", 1.0f, false, BossFrontView()});
    PreviewView rightSide = BossFrontView(), leftSide = BossFrontView();
    rightSide.from = vec3(1.0f, 0.35f, -0.8f);
    leftSide.from = vec3(-1.0f, 0.35f, -0.8f);
    out.push_back({"x\\bboss01migi.x", BuildGuardianRightArm, "", 1.0f, false, rightSide});
    out.push_back({"x\\bboss01hidari.x", BuildGuardianLeftArm, "", 1.0f, false, leftSide});
    out.push_back({"x\\bossbeam.x", BuildBossBeam, "", 1.0f, true, BossFrontView(0.3f)});
    out.push_back({"x\\bboss02.x", BuildCoreFortress, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\shield.x", BuildShield, "", 1.0f, false, BossFrontView()});
    out.push_back({"x\\baria.x", BuildBarrier, "t\\baria.png", 1.0f, false, BossFrontView(0.5f)});
    out.push_back({"x\\boss01shot.x", BuildPlasmaShot, "", 1.0f, false, BossFrontView()});
}

}  // namespace assetgen::meshes

// The five enemy craft, their shot and the two blast meshes. Enemies face -z, towards the player, and each
// has its own silhouette from the front: a drooping arrowhead, a lens, a six-bladed star, a ring and an H.
#include <cmath>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/uv_mapping.h"

namespace assetgen::meshes {

namespace {

std::vector<vec3> Diamond(float z, float halfWidth, float top, float bottom) {
    return {{halfWidth, 0, z}, {0, top, z}, {-halfWidth, 0, z}, {0, -bottom, z}};
}

// Class 1: a red arrowhead with drooping wings (a flat "A" from the front) and a burning eye.
Mesh BuildDart() {
    Mesh m("enemy01");
    int armour = m.AddMaterial(palette::Crimson());
    int dark = m.AddMaterial(palette::DarkHull());
    int eye = m.AddMaterial(Glow(1.0f, 0.35f, 0.1f));
    int exhaustGlow = m.AddMaterial(Glow(1.0f, 0.5f, 0.2f));
    m.Add(Loft({Diamond(0.95f, 0.22f, 0.2f, 0.14f), Diamond(0.3f, 0.3f, 0.3f, 0.2f), Diamond(-0.5f, 0.2f, 0.2f, 0.14f),
                Diamond(-1.15f, 0.02f, 0.02f, 0.02f)},
               true, true, 20.0f),
          armour);
    Geometry wing = Planform({{0.12f, -0.35f}, {0.12f, 0.65f}, {1.05f, 0.95f}, {1.15f, 0.7f}}, 0.06f);
    m.Add(MirroredPair(wing.RotateZ(-22.0f)), armour);
    Geometry edge = Planform({{0.12f, 0.55f}, {0.12f, 0.7f}, {1.06f, 0.98f}, {1.08f, 0.86f}}, 0.08f);
    m.Add(MirroredPair(edge.RotateZ(-22.0f)), dark);
    Geometry spine = Planform({{0.0f, 0.9f}, {0.0f, 0.1f}, {0.38f, 0.8f}}, 0.05f);
    m.Add(spine.RotateZ(90.0f).Translate(vec3(0.0f, 0.18f, 0.0f)), dark);
    Geometry slit = BevelBox(vec3(0.26f, 0.07f, 0.34f), 0.02f);
    m.Add(slit.RotateX(-20.0f).Translate(vec3(0.0f, 0.14f, -0.55f)), eye);
    Geometry exhaust = GlowDisc(0.12f, 8);
    m.Add(exhaust.RotateY(180.0f).Scale(vec3(1.3f, 1.0f, 1.0f)).Translate(vec3(0.0f, 0.02f, 0.955f)), exhaustGlow);
    return m;
}

// Class 2: a violet lens with a glowing dome and a ring of cyan lights, its emitter at the front rim.
Mesh BuildSaucer() {
    Mesh m("enemy02");
    int hull = m.AddMaterial(Lit(0.36f, 0.22f, 0.55f));
    int rim = m.AddMaterial(palette::DarkHull());
    int dome = m.AddMaterial(Glow(0.75f, 0.4f, 1.0f, 1.0f, 0.3f));
    int lights = m.AddMaterial(palette::CyanGlow());
    int emitterGlow = m.AddMaterial(Glow(1.0f, 0.45f, 0.9f));
    m.Add(
        Lathe({{0.0f, -0.26f}, {0.55f, -0.2f}, {1.0f, -0.05f}, {1.05f, 0.02f}, {0.6f, 0.16f}, {0.0f, 0.2f}}, 20, 35.0f),
        hull);
    Geometry band = Torus(1.02f, 0.07f, 20, 4);
    m.Add(band.RotateX(90.0f), rim);
    m.Add(Lathe({{0.0f, 0.12f}, {0.42f, 0.12f}, {0.36f, 0.3f}, {0.2f, 0.42f}, {0.0f, 0.45f}}, 14, 50.0f), dome);
    Geometry lamp = IcoSphere(0.08f, 0, false);
    m.Add(RadialY(lamp.Translate(vec3(0.0f, 0.0f, -1.1f)), 8, 22.5f), lights);
    Geometry emitter = LatheZ({{0.0f, -0.16f}, {0.07f, -0.15f}, {0.11f, 0.1f}, {0.0f, 0.1f}}, 10);
    m.Add(emitter.Translate(vec3(0.0f, 0.0f, -1.0f)), emitterGlow);
    return m;
}

// Class 3 (the flower field): a gold spindle with six magenta blades, a star from the front.
Mesh BuildStarPod() {
    Mesh m("enemy03");
    int gold = m.AddMaterial(palette::Gold());
    int blades = m.AddMaterial(Lit(0.75f, 0.18f, 0.55f));
    int eye = m.AddMaterial(Glow(1.0f, 0.5f, 0.85f));
    m.Add(LatheZ({{0.0f, -0.62f}, {0.16f, -0.6f}, {0.3f, -0.3f}, {0.32f, 0.2f}, {0.18f, 0.7f}, {0.0f, 0.8f}}, 14),
          gold);
    Geometry blade =
        Plate({{-0.05f, 0.25f}, {0.12f, 0.5f}, {0.16f, 0.85f}, {0.0f, 1.15f}, {-0.16f, 0.85f}, {-0.12f, 0.5f}}, 0.07f);
    m.Add(RadialZ(blade.RotateX(-18.0f), 6, 0.0f), blades);
    m.Add(IcoSphere(0.16f, 1, true).Translate(vec3(0.0f, 0.0f, -0.6f)), eye);
    return m;
}

// Class 4: a hoop on three spokes round a dark core with a yellow eye, three spikes outside.
Mesh BuildRingDrone() {
    Mesh m("Enemy04");
    int hoop = m.AddMaterial(Lit(0.85f, 0.45f, 0.1f));
    int core = m.AddMaterial(palette::DarkHull());
    int eye = m.AddMaterial(Glow(1.0f, 0.9f, 0.25f));
    m.Add(Torus(0.8f, 0.16f, 20, 6), hoop);
    m.Add(IcoSphere(0.36f, 1, true), core);
    Geometry spoke = Box(vec3(0.08f, 0.5f, 0.1f));
    m.Add(RadialZ(spoke.Translate(vec3(0.0f, 0.56f, 0.0f)), 3, 0.0f), core);
    Geometry spike = Cone(0.12f, 0.45f, 6);
    m.Add(RadialZ(spike.Translate(vec3(0.0f, 0.9f, 0.0f)), 3, 60.0f), hoop);
    Geometry lens = Lathe({{0.0f, 0.0f}, {0.18f, 0.0f}, {0.12f, 0.08f}, {0.0f, 0.1f}}, 10, 50.0f);
    m.Add(lens.RotateX(-90.0f).Translate(vec3(0.0f, 0.0f, -0.32f)), eye);
    return m;
}

// Class 5: a gunship between two tall engine pods (an H from the front), twin cannons forward.
Mesh BuildGunship() {
    Mesh m("enemy05");
    int armour = m.AddMaterial(Lit(0.42f, 0.46f, 0.4f));
    int dark = m.AddMaterial(palette::DarkHull());
    int glow = m.AddMaterial(Glow(1.0f, 0.85f, 0.2f));
    int exhaust = m.AddMaterial(palette::OrangeGlow());
    m.Add(BevelBox(vec3(0.8f, 0.42f, 1.3f), 0.1f), armour);
    m.Add(BevelBox(vec3(0.5f, 0.2f, 0.6f), 0.06f).Translate(vec3(0.0f, 0.28f, 0.1f)), dark);
    Geometry pod = BevelBox(vec3(0.34f, 1.25f, 1.15f), 0.08f);
    m.Add(MirroredPair(pod.Translate(vec3(0.72f, 0.0f, 0.1f))), armour);
    Geometry strut = Box(vec3(0.3f, 0.14f, 0.5f));
    m.Add(MirroredPair(strut.Translate(vec3(0.5f, 0.0f, 0.1f))), dark);
    Geometry barrel = LatheZ({{0.0f, 0.0f}, {0.08f, 0.0f}, {0.08f, 0.6f}, {0.0f, 0.6f}}, 8);
    m.Add(MirroredPair(barrel.Translate(vec3(0.72f, -0.4f, -1.0f))), dark);
    Geometry muzzle = GlowDisc(0.06f, 8);
    m.Add(MirroredPair(muzzle.Translate(vec3(0.72f, -0.4f, -1.005f))), glow);
    Geometry eyes = Box(vec3(0.5f, 0.08f, 0.04f));
    m.Add(eyes.Translate(vec3(0.0f, 0.08f, -0.66f)), glow);
    Geometry vents = Box(vec3(0.2f, 0.9f, 0.04f));
    m.Add(MirroredPair(vents.Translate(vec3(0.72f, 0.0f, 0.69f))), exhaust);
    return m;
}

// The enemy shot: a glowing head with a tapering tail behind it (+z), coming at the player.
Mesh BuildEnemyShot() {
    Mesh m("enemyatack02");
    int head = m.AddMaterial(Glow(1.0f, 0.85f, 0.95f));
    int tail = m.AddMaterial(Glow(1.0f, 0.2f, 0.55f));
    m.Add(IcoSphere(0.36f, 1, true).Translate(vec3(0.0f, 0.0f, -0.5f)), head);
    m.Add(LatheZ({{0.0f, -0.55f}, {0.26f, -0.45f}, {0.2f, -0.05f}, {0.0f, 0.9f}}, 8, 60.0f), tail);
    return m;
}

// The lava blast: a sphere of lava pictures that the game grows and fades; v runs pole to pole and the
// picture repeats twice each way so that its scrolling reads as churning.
Mesh BuildLavaBlast() {
    Mesh m("explosion03");
    int lava = m.AddMaterial(Textured(1.0f, 0.4f));
    Geometry g = Sphere(1.0f, 20, 12);
    for (auto& v : g.vertices) v.uv *= vec2(3.0f, 2.0f);
    m.Add(g, lava);
    return m;
}

// The blast shell: a faceted energy shell with spikes (the game draws it at alpha 0.3).
Mesh BuildBlastShell() {
    Mesh m("explosion04");
    int shell = m.AddMaterial(Glow(0.55f, 0.85f, 1.0f, 1.0f, 0.3f));
    int spikes = m.AddMaterial(palette::WhiteGlow());
    m.Add(IcoSphere(1.0f, 2, false), shell);
    Geometry spike = Cone(0.12f, 0.45f, 5);
    spike.Translate(vec3(0.0f, 0.95f, 0.0f));
    const float t = (1.0f + std::sqrt(5.0f)) * 0.5f;
    for (vec3 d : {vec3(-1, t, 0), vec3(1, t, 0), vec3(-1, -t, 0), vec3(1, -t, 0), vec3(0, -1, t), vec3(0, 1, t),
                   vec3(0, -1, -t), vec3(0, 1, -t), vec3(t, 0, -1), vec3(t, 0, 1), vec3(-t, 0, -1), vec3(-t, 0, 1)}) {
        d = glm::normalize(d);
        // Turn +y onto d: first tip it down towards z by the polar angle, then yaw round y.
        float pitch = std::acos(d.y) * 57.29578f;
        float yaw = std::atan2(d.x, d.z) * 57.29578f;
        Geometry s = spike;
        m.Add(s.RotateX(pitch).RotateY(yaw), spikes);
    }
    return m;
}

PreviewView Front(float alpha = 1.0f) {
    PreviewView v;
    v.from = vec3(0.35f, 0.3f, -1.0f);
    v.alphaScale = alpha;
    return v;
}

}  // namespace

void AddEnemyAndEffectMeshes(std::vector<MeshEntry>& out) {
    out.push_back({"x\\enemy01.x", BuildDart, "", 1.0f, false, Front()});
    out.push_back({"x\\enemy02.x", BuildSaucer, "", 1.0f, false, Front()});
    out.push_back({"x\\enemy03.x", BuildStarPod, "", 1.0f, false, Front()});
    out.push_back({"x\\Enemy04.x", BuildRingDrone, "", 1.0f, false, Front()});
    out.push_back({"x\\enemy05.x", BuildGunship, "", 1.0f, false, Front()});
    out.push_back({"x\\enemyatack02.x", BuildEnemyShot, "", 1.0f, false, Front()});
    out.push_back({"x\\explosion03.x", BuildLavaBlast, "t\\yougan001.png", 0.5f, true, Front()});
    out.push_back({"x\\explosion04.x", BuildBlastShell, "", 1.0f, false, Front(0.6f)});
}

}  // namespace assetgen::meshes

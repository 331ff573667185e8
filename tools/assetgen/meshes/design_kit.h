#pragma once
// Shorthands the model files share: shapes along z (noses and beams), flat plates, symmetric pairs,
// radial arrays, and the palette of the game's materials.

#include <vector>

#include "assetgen/meshes/mesh.h"
#include "assetgen/meshes/primitives.h"

namespace assetgen::meshes {

// Lathe about the z axis: profile points are (radius, z), running from the back to the front.
Geometry LatheZ(const std::vector<vec2>& profile, int segments, float creaseDegrees = 50.0f);
// A flat outline in the xz plane (seen from above: x right, second coordinate = z), given thickness in y.
Geometry Planform(const std::vector<vec2>& outline, float thickness);
// A flat outline in the xy plane (as the camera sees it), given thickness in z.
Geometry Plate(const std::vector<vec2>& outline, float thickness);
// The geometry and its mirror image across x = 0.
Geometry MirroredPair(const Geometry& right);
// `count` copies turned about the z axis (a fan seen from the front), the first one unturned.
Geometry RadialZ(const Geometry& g, int count, float startDegrees = 0.0f);
// `count` copies turned about the y axis.
Geometry RadialY(const Geometry& g, int count, float startDegrees = 0.0f);
// A deterministic lumpy rock: a geodesic sphere pushed in and out by smooth noise.
Geometry Rock(float radius, int subdivisions, float roughness, unsigned seed);
// Smooth value noise in 3D, in [-1, 1], the same on every run.
float Noise3(vec3 p, unsigned seed);

// Palette. Lit colours are kept below ~0.65 because the game adds half the diffuse as ambient light.
namespace palette {
inline Material Hull() { return Lit(0.62f, 0.66f, 0.72f); }      // light grey-blue armour
inline Material DarkHull() { return Lit(0.16f, 0.19f, 0.26f); }  // dark panels
inline Material Steel() { return Lit(0.38f, 0.42f, 0.5f); }      // machinery
inline Material Orange() { return Lit(0.85f, 0.38f, 0.08f); }    // dusk accents
inline Material Crimson() { return Lit(0.62f, 0.08f, 0.1f); }    // enemy armour
inline Material Violet() { return Lit(0.36f, 0.16f, 0.6f); }     // space bosses
inline Material Gold() { return Lit(0.72f, 0.56f, 0.16f); }      // flower-field bosses
inline Material Ivory() { return Lit(0.7f, 0.66f, 0.58f); }
inline Material CyanGlow(float a = 1.0f) { return Glow(0.3f, 0.9f, 1.0f, a); }
inline Material OrangeGlow(float a = 1.0f) { return Glow(1.0f, 0.55f, 0.12f, a); }
inline Material RedGlow(float a = 1.0f) { return Glow(1.0f, 0.15f, 0.12f, a); }
inline Material MagentaGlow(float a = 1.0f) { return Glow(1.0f, 0.25f, 0.75f, a); }
inline Material WhiteGlow(float a = 1.0f) { return Glow(0.95f, 0.97f, 1.0f, a); }
inline Material GreenGlow(float a = 1.0f) { return Glow(0.45f, 1.0f, 0.4f, a); }
}  // namespace palette

}  // namespace assetgen::meshes

namespace assetgen::meshes {

// A rectangle with chamfered corners (eight points) at depth z, centred on (0, centreY): a cross-section
// for armoured hulls.
std::vector<vec3> ChamferedSection(float z, float halfWidth, float halfHeight, float chamfer, float centreY = 0.0f);
// A glowing disc on a surface (a nozzle, a lamp), facing -z: a thin closed puck rather than a lone face,
// so that no edge-on view shows its back.
Geometry GlowDisc(float radius, int segments);
// Turns a shape built along +y so that its +y axis points along `direction` (spikes, horns, studs).
Geometry& PointAlong(Geometry& g, vec3 direction);

}  // namespace assetgen::meshes

#pragma once
// Shapes every model is assembled from. Each comes with normals and texture coordinates and faces outwards
// (clockwise seen from outside). Sizes are full extents unless a name says radius.

#include <vector>

#include "assetgen/meshes/geometry.h"

namespace assetgen::meshes {

// Axis-aligned box centred on the origin, each face mapped 0..1.
Geometry Box(vec3 size);
Geometry BoxBetween(vec3 min, vec3 max);
// Box whose edges and corners are cut off by `bevel` (a chamfer), so it catches the light on its edges.
Geometry BevelBox(vec3 size, float bevel);

// Surface of revolution about the y axis. The profile runs through (radius, y) points; the surface faces
// to the right of the direction of travel (a profile going up faces outwards, going down faces inwards).
// Points with radius 0 close the surface at the axis. Faces bending less than creaseDegrees are smoothed.
// u runs round the axis (0..1 over the sweep), v along the profile (0..1).
Geometry Lathe(const std::vector<vec2>& profile, int segments, float creaseDegrees, float startDegrees = 0.0f,
               float sweepDegrees = 360.0f);
// Capped cylinder and frustum along y, centred on the origin.
Geometry Cylinder(float radius, float height, int segments);
Geometry Frustum(float bottomRadius, float topRadius, float height, int segments);
// Cone with its base at y = 0 and its tip at y = height.
Geometry Cone(float radius, float height, int segments);
Geometry Sphere(float radius, int segments, int rings);
// Geodesic sphere: 20 * 4^subdivisions faces, even in size (rocks, shells, faceted gems).
Geometry IcoSphere(float radius, int subdivisions, bool smooth);
// Ring about the z axis (lying in the xy plane, the hole along z).
Geometry Torus(float majorRadius, float minorRadius, int majorSegments, int minorSegments);

// Joins closed cross-sections of equal point count into a tube; caps close the ends. The surface faces away
// from the line through the sections' centres. u runs round the sections, v along them.
Geometry Loft(const std::vector<std::vector<vec3>>& sections, bool capFirst, bool capLast, float creaseDegrees);
// A tube of circular sections along a path (the path's own bends are followed).
Geometry Sweep(const std::vector<vec3>& path, const std::vector<float>& radii, int sides, bool capped);
// A flat polygon in the xy plane (any simple outline, concave allowed) pushed out along z from -depth/2
// to +depth/2.
Geometry Extrude(const std::vector<vec2>& outline, float depth, float creaseDegrees = 30.0f);

// Flat shapes in the xy plane facing -z (towards the camera), centred on the origin, mapped 0..1 with v
// running downwards as pictures do.
Geometry Quad(vec2 size);
Geometry Disc(float radius, int segments);
Geometry Annulus(float innerRadius, float outerRadius, int segments);

// Smallest convex solid around the points, flat shaded.
Geometry ConvexHull(const std::vector<vec3>& points);

// Helpers for outlines.
std::vector<vec2> RegularPolygon(int sides, float radius, float startDegrees = 90.0f);
std::vector<vec3> SectionAt(const std::vector<vec2>& outline, float z);

}  // namespace assetgen::meshes

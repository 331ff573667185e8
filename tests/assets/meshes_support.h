#pragma once
// Looking at the generated meshes the way the game loads them: through platform::LoadXMesh, from the
// build's data folder, with a few measurements (extents, areas, rays) the mesh tests share.

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/mesh_data.h"

namespace mesh_tests {

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b);
V3 operator-(V3 a, V3 b);
V3 operator*(V3 a, double s);
double Dot(V3 a, V3 b);
V3 Cross(V3 a, V3 b);
double Length(V3 a);
V3 Normalized(V3 a);

struct Box3 {
    V3 min, max;
    V3 Size() const { return max - min; }
    V3 Centre() const { return (min + max) * 0.5; }
};

struct Tri {
    V3 a, b, c;
    int material;
    V3 Normal() const { return Cross(b - a, c - a); }  // outward for a clockwise front face
};

// The mesh x\<file> of the build's data folder; fails the test (and returns nullopt) when it does not load.
std::optional<platform::MeshData> LoadGameMesh(const std::string& file);
std::vector<Tri> Triangles(const platform::MeshData& mesh);
Box3 Bounds(const platform::MeshData& mesh);
// Area-weighted centre of the faces of one material.
V3 MaterialCentroid(const std::vector<Tri>& tris, int material);
// Largest distance from the z axis of the vertices within the first `fraction` of the z range, counted
// from the front (direction -1: smallest z first; +1: largest z first).
double RadiusNearEnd(const platform::MeshData& mesh, int direction, double fraction);

struct RayHit {
    bool hit = false;
    bool front = false;  // the nearest face (or one of several at the same distance) faces the ray
};
RayHit CastRay(const std::vector<Tri>& tris, V3 origin, V3 direction, double maxDistance = 1e30);

// Casts a grid of parallel rays at the mesh from each of the given directions (towards the mesh); returns
// how many of the rays that met the mesh met a back face first.
int BackFacesSeenFromOutside(const std::vector<Tri>& tris, const std::vector<V3>& directions);
// Rays in every given direction from a point inside (a camera in a sky or a hall).
int BackFacesSeenFromInside(const std::vector<Tri>& tris, V3 eye, const std::vector<V3>& directions);
// Evenly spread unit directions (a spiral over the sphere), none along an axis.
std::vector<V3> SpreadDirections(int count);

}  // namespace mesh_tests

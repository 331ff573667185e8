#pragma once
// Triangle soup with normals and texture coordinates: the clay every mesh of the game is modelled in.
//
// The game's space is left-handed (x right, y up, z away from the camera) and it culls counter-clockwise
// faces, so a front face winds clockwise as seen from outside. With the vertices a, b, c of a triangle that
// means the outward normal is cross(b - a, c - a), which is what every function here keeps true.

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

namespace assetgen::meshes {

using glm::mat4;
using glm::vec2;
using glm::vec3;

struct Vertex {
    vec3 position{0.0f};
    vec3 normal{0.0f};
    vec2 uv{0.0f};
};

struct Triangle {
    std::uint32_t a = 0, b = 0, c = 0;
};

struct Bounds {
    vec3 min{0.0f};
    vec3 max{0.0f};
    vec3 Size() const { return max - min; }
    vec3 Centre() const { return (min + max) * 0.5f; }
};

// Rotation matrices in the game's own sense: RotateY turns +z towards +x, RotateX turns +z towards -y
// (nose down), RotateZ turns +x towards +y. Angles in degrees.
mat4 RotationX(float degrees);
mat4 RotationY(float degrees);
mat4 RotationZ(float degrees);
mat4 Translation(vec3 offset);
mat4 Scaling(vec3 factors);

class Geometry {
public:
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;

    std::uint32_t AddVertex(vec3 position, vec3 normal = vec3(0.0f), vec2 uv = vec2(0.0f));
    // Adds a, b, c in the order that makes the triangle face `facing` (its normal has a non-negative dot
    // product with it). Triangles with no area are dropped: they have no facing and nothing to draw.
    void AddTriangleFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, vec3 facing);
    // Adds the triangle as given: a, b, c clockwise seen from its front.
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // A quad a-b-c-d, clockwise seen from its front.
    void AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);

    Geometry& Append(const Geometry& other);
    // Applies the matrix to positions and its inverse transpose to normals; a mirroring matrix also reverses
    // the winding so that front faces stay in front.
    Geometry& Transform(const mat4& m);
    Geometry& Translate(vec3 offset) { return Transform(Translation(offset)); }
    Geometry& Scale(vec3 factors) { return Transform(Scaling(factors)); }
    Geometry& Scale(float factor) { return Transform(Scaling(vec3(factor))); }
    Geometry& RotateX(float degrees) { return Transform(RotationX(degrees)); }
    Geometry& RotateY(float degrees) { return Transform(RotationY(degrees)); }
    Geometry& RotateZ(float degrees) { return Transform(RotationZ(degrees)); }
    // Mirror image across the plane x = 0 (a left part from a right one).
    Geometry& MirrorX() { return Scale(vec3(-1.0f, 1.0f, 1.0f)); }

    // Turns every face round (inside out).
    Geometry& FlipWinding();
    // Adds a turned-round copy so that a thin sheet shows from both sides under culling.
    Geometry& DoubleSided();
    // One normal per face.
    Geometry& FlatNormals() { return SmoothNormals(0.0f); }
    // Averages the normals of faces that meet at a position and bend by less than the crease angle.
    Geometry& SmoothNormals(float creaseDegrees);
    // Moves every vertex by its own displacement, keeping faces that shared a position joined.
    template <typename Fn>
    Geometry& Displace(Fn&& fn) {
        for (auto& v : vertices) v.position = fn(v.position);
        return *this;
    }
    // Merges vertices equal in position, normal and texture coordinate.
    Geometry& Weld();
    // Gives every triangle its own three vertices (texture mapping that must split seams works on this).
    Geometry& Unweld();

    Bounds GetBounds() const;
    // Volume enclosed by a closed surface; positive when its faces point outwards.
    double SignedVolume() const;
    vec3 FaceNormal(const Triangle& t) const;  // not normalised; length = twice the area
};

// The parts of a model in one piece (appends them all).
Geometry Merge(std::initializer_list<Geometry> parts);

}  // namespace assetgen::meshes

#include "platform/gfx/mesh_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "support/temp_dir.h"

namespace platform {
namespace {

constexpr float kEps = 1e-5f;

void ExpectVectorNear(const Vector3& expected, const Vector3& actual, float eps = kEps) {
    EXPECT_NEAR(expected.x, actual.x, eps);
    EXPECT_NEAR(expected.y, actual.y, eps);
    EXPECT_NEAR(expected.z, actual.z, eps);
}

Vector3 Sub(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// The component formula; the same numbers in either handedness.
Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

MeshData LoadText(const std::string& text) {
    TempWorkDir dir;
    dir.WriteFile("m.x", text);
    MeshData mesh;
    EXPECT_TRUE(LoadXMesh("m.x", &mesh));
    return mesh;
}

const Vector3& Corner(const MeshData& mesh, std::uint32_t subset, std::uint32_t triangle, int corner) {
    const MeshSubset& s = mesh.subsets.at(subset);
    return mesh.vertices.at(mesh.indices.at(s.firstIndex + triangle * 3 + corner)).position;
}

const char kTriangle[] = R"(xof 0303txt 0032
Mesh Triangle {
  3;
  0.0;1.0;5.0;,
  1.0;-1.0;5.0;,
  -1.0;-1.0;5.0;;
  1;
  3;0,1,2;;
  MeshNormals { 1; 0.0;0.0;-1.0;; 1; 3;0,0,0;; }
  MeshTextureCoords { 3; 0.25;0.75;, 1.0;0.0;, 0.0;1.0;; }
  MeshMaterialList { 1; 1; 0;;
    Material { 1.0;0.5;0.25;0.3;; 20.0; 0.1;0.2;0.3;; 0.4;0.5;0.6;; TextureFilename { "t\\skin.png"; } }
  }
}
)";

TEST(GfxXMesh, TriangleComesBackAsWritten) {
    MeshData mesh = LoadText(kTriangle);
    ASSERT_EQ(1u, mesh.subsets.size());
    ASSERT_EQ(3u, mesh.subsets[0].indexCount);
    // Same corners in the same order, +z still away from the viewer.
    ExpectVectorNear({0, 1, 5}, Corner(mesh, 0, 0, 0));
    ExpectVectorNear({1, -1, 5}, Corner(mesh, 0, 0, 1));
    ExpectVectorNear({-1, -1, 5}, Corner(mesh, 0, 0, 2));
    EXPECT_TRUE(mesh.hasNormals);
    EXPECT_TRUE(mesh.hasTextureCoords);
    const MeshVertex& first = mesh.vertices[mesh.indices[0]];
    ExpectVectorNear({0, 0, -1}, first.normal);
    EXPECT_NEAR(0.25f, first.u, kEps);
    EXPECT_NEAR(0.75f, first.v, kEps);

    ASSERT_EQ(1u, mesh.materials.size());
    const Material& m = mesh.materials[0];
    EXPECT_FLOAT_EQ(1.0f, m.diffuse.r);
    EXPECT_FLOAT_EQ(0.5f, m.diffuse.g);
    EXPECT_FLOAT_EQ(0.25f, m.diffuse.b);
    EXPECT_FLOAT_EQ(0.3f, m.diffuse.a);
    EXPECT_FLOAT_EQ(20.0f, m.power);
    EXPECT_FLOAT_EQ(0.2f, m.specular.g);
    EXPECT_FLOAT_EQ(0.3f, m.specular.b);
    EXPECT_FLOAT_EQ(0.4f, m.emissive.r);
    EXPECT_FLOAT_EQ(0.6f, m.emissive.b);
    EXPECT_EQ(0.0f, m.ambient.r);
    EXPECT_EQ(0.0f, m.ambient.a);
}

// A cube from -1 to 1 whose faces are written clockwise as seen from outside, with outward normals.
const char kCube[] = R"(xof 0303txt 0032
Mesh Cube {
  8;
  -1;-1;-1;, 1;-1;-1;, 1;1;-1;, -1;1;-1;,
  -1;-1;1;, 1;-1;1;, 1;1;1;, -1;1;1;;
  6;
  4;3,2,1,0;, 4;6,7,4,5;, 4;2,6,5,1;, 4;7,3,0,4;, 4;7,6,2,3;, 4;5,4,0,1;;
  MeshNormals { 6; 0;0;-1;, 0;0;1;, 1;0;0;, -1;0;0;, 0;1;0;, 0;-1;0;;
    6; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;; }
  MeshMaterialList { 1; 6; 0,0,0,0,0,0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }
}
)";

// Twice the signed area of a triangle in screen pixels (y down): positive when it runs clockwise on screen,
// which is the front face the renderer keeps with its default culling of counter-clockwise faces.
float ScreenWinding(const Vector3 (&corners)[3], const Vector3& outward) {
    const Vector3 centre{(corners[0].x + corners[1].x + corners[2].x) / 3,
                         (corners[0].y + corners[1].y + corners[2].y) / 3,
                         (corners[0].z + corners[1].z + corners[2].z) / 3};
    const Vector3 eye{centre.x + 6 * outward.x, centre.y + 6 * outward.y, centre.z + 6 * outward.z};
    const Vector3 up = std::fabs(outward.y) > 0.9f ? Vector3{0, 0, 1} : Vector3{0, 1, 0};
    Matrix view, proj;
    MatrixLookAtLH(&view, &eye, &centre, &up);
    MatrixPerspectiveFovLH(&proj, std::numbers::pi_v<float> / 4, 4.0f / 3.0f, 1.0f, 1000.0f);
    const Viewport viewport;
    Vector3 s[3];
    for (int i = 0; i < 3; ++i) Vec3Project(&s[i], &corners[i], &viewport, &proj, &view, nullptr);
    return (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
}

TEST(GfxXMesh, ScreenWindingHelperTellsClockwiseFromCounterClockwise) {
    // Seen from -z (outward -z), x runs right and y up on screen: top, bottom right, bottom left is clockwise.
    const Vector3 clockwise[3] = {{0, 1, 0}, {1, -1, 0}, {-1, -1, 0}};
    const Vector3 counter[3] = {{0, 1, 0}, {-1, -1, 0}, {1, -1, 0}};
    EXPECT_GT(ScreenWinding(clockwise, {0, 0, -1}), 0.0f);
    EXPECT_LT(ScreenWinding(counter, {0, 0, -1}), 0.0f);
}

TEST(GfxXMesh, CubeFacesPointOutAndWindClockwiseFromOutside) {
    MeshData mesh = LoadText(kCube);
    ASSERT_EQ(1u, mesh.subsets.size());
    ASSERT_EQ(36u, mesh.subsets[0].indexCount);
    // A mirrored cube with reversed faces would pass the checks below as well; the first face pins the
    // mesh to the side of the origin it was written on.
    ExpectVectorNear({-1, 1, -1}, Corner(mesh, 0, 0, 0));
    ExpectVectorNear({1, 1, -1}, Corner(mesh, 0, 0, 1));
    ExpectVectorNear({1, -1, -1}, Corner(mesh, 0, 0, 2));
    for (std::uint32_t t = 0; t < 12; ++t) {
        SCOPED_TRACE("triangle " + std::to_string(t));
        const Vector3 corners[3] = {Corner(mesh, 0, t, 0), Corner(mesh, 0, t, 1), Corner(mesh, 0, t, 2)};
        const Vector3 centre{(corners[0].x + corners[1].x + corners[2].x) / 3,
                             (corners[0].y + corners[1].y + corners[2].y) / 3,
                             (corners[0].z + corners[1].z + corners[2].z) / 3};
        // The cube's centre is the origin, so the triangle's centre points outwards.
        for (int c = 0; c < 3; ++c) {
            EXPECT_GT(Dot(mesh.vertices[mesh.indices[t * 3 + c]].normal, centre), 0.5f) << "normal of corner " << c;
        }
        // Projected from a camera outside the face, the triangle runs clockwise: drawn, not culled.
        const Vector3 normal = mesh.vertices[mesh.indices[t * 3]].normal;
        EXPECT_GT(ScreenWinding(corners, normal), 0.0f);
        // In this left-handed space, with the component cross product, a clockwise-from-outside face gives
        // (v1 - v0) x (v2 - v0) along the OUTWARD normal (handedness and winding both mirror OpenGL's
        // right-handed counter-clockwise convention, so the two flips cancel).
        EXPECT_GT(Dot(Cross(Sub(corners[1], corners[0]), Sub(corners[2], corners[0])), normal), 0.0f);
    }
}

TEST(GfxXMesh, PolygonsAreCutIntoFansFromTheFirstCorner) {
    MeshData mesh = LoadText(R"(xof 0303txt 0032
Mesh Fan {
  5;
  0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;;
  2;
  4;0,1,2,3;,
  5;0,1,2,3,4;;
  MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }
}
)");
    ASSERT_EQ(1u, mesh.subsets.size());
    ASSERT_EQ(15u, mesh.subsets[0].indexCount);  // 2 + 3 triangles
    const Vector3 p[5] = {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0, 1, 0}};
    const int expected[5][3] = {{0, 1, 2}, {0, 2, 3}, {0, 1, 2}, {0, 2, 3}, {0, 3, 4}};
    for (std::uint32_t t = 0; t < 5; ++t) {
        for (int c = 0; c < 3; ++c) ExpectVectorNear(p[expected[t][c]], Corner(mesh, 0, t, c));
    }
    EXPECT_FALSE(mesh.hasNormals);
    EXPECT_FALSE(mesh.hasTextureCoords);
}

TEST(GfxXMesh, OneSubsetPerMaterialInFileOrderEvenWhenEmpty) {
    // Faces use materials 2, 0, 2, 0; material 1 has none.
    MeshData mesh = LoadText(R"(xof 0303txt 0032
Mesh Parts {
  12;
  0;0;0;, 1;0;0;, 0;1;0;,  0;0;1;, 1;0;1;, 0;1;1;,  0;0;2;, 1;0;2;, 0;1;2;,  0;0;3;, 1;0;3;, 0;1;3;;
  4;
  3;0,2,1;, 3;3,5,4;, 3;6,8,7;, 3;9,11,10;;
  MeshTextureCoords { 12; 0;0;, 1;0;, 0;1;, 0;0;, 1;0;, 0;1;, 0;0;, 1;0;, 0;1;, 0;0;, 1;0;, 0;1;; }
  MeshMaterialList { 3; 4; 2,0,2,0;;
    Material Red { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; }
    Material Green { 0;1;0;0.5;; 6; 0;0;0;; 0;0;0;; }
    Material Blue { 0;0;1;1;; 7; 0;0;0;; 0;0;0;; }
  }
}
)");
    ASSERT_EQ(3u, mesh.materials.size());
    ASSERT_EQ(3u, mesh.subsets.size());
    EXPECT_FLOAT_EQ(1.0f, mesh.materials[0].diffuse.r);
    EXPECT_FLOAT_EQ(0.5f, mesh.materials[1].diffuse.a);
    EXPECT_FLOAT_EQ(7.0f, mesh.materials[2].power);

    // Material 0 draws faces 1 and 3 (z = 1 and 3), in file order; material 2 faces 0 and 2.
    ASSERT_EQ(6u, mesh.subsets[0].indexCount);
    EXPECT_EQ(0u, mesh.subsets[1].indexCount);
    ASSERT_EQ(6u, mesh.subsets[2].indexCount);
    EXPECT_FLOAT_EQ(1.0f, Corner(mesh, 0, 0, 0).z);
    EXPECT_FLOAT_EQ(3.0f, Corner(mesh, 0, 1, 0).z);
    EXPECT_FLOAT_EQ(0.0f, Corner(mesh, 2, 0, 0).z);
    EXPECT_FLOAT_EQ(2.0f, Corner(mesh, 2, 1, 0).z);
    // Each face keeps its corner order (0, 2, 1 of its three).
    ExpectVectorNear({0, 1, 2}, Corner(mesh, 2, 1, 1));
    ExpectVectorNear({1, 0, 2}, Corner(mesh, 2, 1, 2));
    // Subsets cover the index list without overlap.
    EXPECT_EQ(mesh.subsets[0].firstIndex + 6, mesh.subsets[1].firstIndex);
    EXPECT_EQ(mesh.subsets[1].firstIndex, mesh.subsets[2].firstIndex);
    EXPECT_EQ(12u, mesh.indices.size());
    for (std::uint32_t index : mesh.indices) EXPECT_LT(index, mesh.vertices.size());
    EXPECT_TRUE(mesh.hasTextureCoords);
    EXPECT_FALSE(mesh.hasNormals);
}

TEST(GfxXMesh, FramesAreFlattenedInnerFirst) {
    // The inner frame yaws 90 degrees (+z to +x); the outer one scales by 2 and moves by (10, 20, 30).
    // (Comma-separated numbers carry a decimal point: the reader takes "2,0" for the decimal 2.0.)
    MeshData mesh = LoadText(R"(xof 0303txt 0032
Frame Outer {
  FrameTransformMatrix { 2.0,0.0,0.0,0.0, 0.0,2.0,0.0,0.0, 0.0,0.0,2.0,0.0, 10.0,20.0,30.0,1.0;; }
  Frame Inner {
    FrameTransformMatrix { 0.0,0.0,-1.0,0.0, 0.0,1.0,0.0,0.0, 1.0,0.0,0.0,0.0, 0.0,0.0,0.0,1.0;; }
    Mesh Tri {
      3; 0;0;1;, 0;1;0;, 1;0;0;;
      1; 3;0,1,2;;
      MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; }
      MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }
    }
  }
}
)");
    ASSERT_EQ(1u, mesh.subsets.size());
    ExpectVectorNear({12, 20, 30}, Corner(mesh, 0, 0, 0));
    ExpectVectorNear({10, 22, 30}, Corner(mesh, 0, 0, 1));
    ExpectVectorNear({10, 20, 28}, Corner(mesh, 0, 0, 2));
    ExpectVectorNear({1, 0, 0}, mesh.vertices[mesh.indices[0]].normal);
}

TEST(GfxXMesh, GamePathWithBackslashAndOtherCase) {
    TempWorkDir dir;
    dir.WriteFile("x/tri.x", kTriangle);
    MeshData mesh;
    EXPECT_TRUE(LoadXMesh("x\\Tri.x", &mesh));
    EXPECT_EQ(1u, mesh.subsets.size());
}

TEST(GfxXMesh, MissingOrBrokenFilesFail) {
    TempWorkDir dir;
    MeshData mesh;
    mesh.materials.resize(2);
    EXPECT_FALSE(LoadXMesh("x/none.x", &mesh));
    EXPECT_FALSE(LoadXMesh("", &mesh));
    dir.WriteFile("garbage.x", std::string(3000, '\x7F'));
    EXPECT_FALSE(LoadXMesh("garbage.x", &mesh));
    const std::string cube = kCube;
    dir.WriteFile("truncated.x", cube.substr(0, cube.size() / 2));
    EXPECT_FALSE(LoadXMesh("truncated.x", &mesh));
    dir.WriteFile("header-only.x", "xof 0303txt 0032\n");
    EXPECT_FALSE(LoadXMesh("header-only.x", &mesh));
    dir.WriteFile("no-mesh.x", "xof 0303txt 0032\nFrame Empty {\n}\n");
    EXPECT_FALSE(LoadXMesh("no-mesh.x", &mesh));
    std::filesystem::create_directories("folder.x");
    EXPECT_FALSE(LoadXMesh("folder.x", &mesh));
    // A failed load leaves the caller's mesh alone.
    EXPECT_EQ(2u, mesh.materials.size());
}

}  // namespace
}  // namespace platform

// The mesh kit the generator models with: shapes that are closed and face outwards (every edge met once in
// each direction), rotations in the game's sense, mirror images that stay outward, seams split by the
// wrap-round mappings, hulls that hold their points, the X writer's output read back by the game's loader
// as written, and the contact-sheet renderer culling the faces the game culls.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/design_kit.h"
#include "assetgen/meshes/primitives.h"
#include "assetgen/meshes/rasterizer.h"
#include "assetgen/meshes/uv_mapping.h"
#include "assetgen/meshes/x_file_writer.h"
#include "platform/gfx/mesh_data.h"
#include "support/temp_dir.h"

namespace {

using namespace assetgen::meshes;

using Key = std::tuple<long, long, long>;
Key KeyOf(vec3 p) { return {std::lround(p.x * 1e4), std::lround(p.y * 1e4), std::lround(p.z * 1e4)}; }

// Closed and consistently wound: each directed edge (by position) is matched by exactly one reverse edge.
int UnmatchedEdges(const Geometry& g) {
    std::map<std::pair<Key, Key>, int> directed;
    for (const auto& t : g.triangles) {
        Key k[3] = {KeyOf(g.vertices[t.a].position), KeyOf(g.vertices[t.b].position), KeyOf(g.vertices[t.c].position)};
        for (int i = 0; i < 3; ++i) ++directed[{k[i], k[(i + 1) % 3]}];
    }
    int bad = 0;
    for (const auto& [edge, count] : directed) {
        auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) ++bad;
    }
    return bad;
}

TEST(MeshKit, ShapesAreClosedFaceOutwardsAndHoldTheirVolume) {
    const float pi = 3.14159265f;
    struct Case {
        const char* name;
        Geometry g;
        double volume, tolerance;
    };
    const std::vector<vec2> ell = {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {0, 2}};  // concave, area 4
    Case cases[] = {
        {"box", Box(vec3(2, 3, 4)), 24.0, 1e-4},
        // A cube less 12 edge prisms (b^2/2 by 2 - 2b) and 8 corners (5/6 b^3), b = 0.2.
        {"bevelled box", BevelBox(vec3(2, 2, 2), 0.2f), 8.0 - 12 * 0.02 * 1.6 - 8 * 5.0 / 6.0 * 0.008, 1e-4},
        {"cylinder", Cylinder(1.0f, 2.0f, 64), pi * 2.0, 0.02},
        {"cone", Cone(1.0f, 3.0f, 64), pi, 0.02},
        {"sphere", Sphere(1.0f, 48, 24), 4.0 / 3.0 * pi, 0.02},
        {"geodesic sphere", IcoSphere(1.0f, 3, true), 4.0 / 3.0 * pi, 0.02},
        {"torus", Torus(2.0f, 0.5f, 64, 32), 2 * pi * pi * 2.0 * 0.25, 0.02},
        {"extruded L", Extrude(ell, 2.0f), 8.0, 1e-4},
        {"cup (inner wall)", Lathe({{0, 0}, {1, 0}, {1, 1}, {0.8f, 1}, {0.8f, 0.2f}, {0, 0.2f}}, 64, 40.0f),
         pi * (1.0 - 0.64 * 0.8), 0.02},
        {"swept tube", Sweep({{0, 0, 0}, {0, 1, 0}, {1, 2, 0}}, {0.2f, 0.2f, 0.2f}, 12, true), 0.0, -1},
        {"glow disc", GlowDisc(0.5f, 16), 0.0, -1},
        {"rock", Rock(2.0f, 2, 0.2f, 3u), 0.0, -1},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnmatchedEdges(c.g), 0);
        EXPECT_GT(c.g.SignedVolume(), 0.0);
        if (c.tolerance > 0) {
            EXPECT_NEAR(c.g.SignedVolume(), c.volume, c.volume * c.tolerance + 1e-4);
        }
    }
}

TEST(MeshKit, RotationsTurnTheWayTheGameDoes) {
    auto apply = [](const mat4& m, vec3 v) { return vec3(m * glm::vec4(v, 0.0f)); };
    vec3 yaw = apply(RotationY(90.0f), vec3(0, 0, 1));  // positive yaw turns +z towards +x
    EXPECT_NEAR(yaw.x, 1.0f, 1e-6f);
    vec3 pitch = apply(RotationX(90.0f), vec3(0, 0, 1));  // positive pitch lowers the nose
    EXPECT_NEAR(pitch.y, -1.0f, 1e-6f);
    vec3 roll = apply(RotationZ(90.0f), vec3(1, 0, 0));  // roll turns +x towards +y
    EXPECT_NEAR(roll.y, 1.0f, 1e-6f);
}

TEST(MeshKit, MirrorImagesAndFlipsKeepTheirMeaning) {
    Geometry part = BevelBox(vec3(1, 2, 3), 0.1f);
    part.Translate(vec3(2, 0, 0));
    Geometry pair = MirroredPair(part);
    EXPECT_EQ(UnmatchedEdges(pair), 0);
    EXPECT_NEAR(pair.SignedVolume(), 2.0 * part.SignedVolume(), 1e-3);
    EXPECT_NEAR(pair.GetBounds().min.x, -pair.GetBounds().max.x, 1e-5f);
    Geometry inside = Box(vec3(1.0f));
    inside.FlipWinding();
    EXPECT_LT(inside.SignedVolume(), 0.0);
    Geometry sheet = Quad(vec2(2.0f));
    EXPECT_LT(sheet.FaceNormal(sheet.triangles[0]).z, 0.0f) << "flat shapes face the camera (-z)";
    sheet.DoubleSided();
    ASSERT_EQ(sheet.triangles.size(), 4u);
    vec3 sum(0.0f);
    for (const auto& t : sheet.triangles) sum += sheet.FaceNormal(t);
    EXPECT_NEAR(glm::length(sum), 0.0f, 1e-5f) << "a double-sided sheet faces both ways equally";
    EXPECT_GT(sheet.FaceNormal(sheet.triangles[3]).z, 0.0f);
}

TEST(MeshKit, SmoothingKeepsCreasesAndRoundsCurves) {
    Geometry box = Box(vec3(1.0f));
    box.SmoothNormals(30.0f);
    EXPECT_EQ(box.vertices.size(), 24u);  // three normals at each corner
    for (const auto& v : box.vertices) {
        EXPECT_NEAR(std::abs(v.normal.x) + std::abs(v.normal.y) + std::abs(v.normal.z), 1.0f, 1e-5f);
    }
    Geometry ball = Sphere(2.0f, 24, 12);
    for (const auto& v : ball.vertices) {
        EXPECT_GT(glm::dot(v.normal, glm::normalize(v.position)), 0.99f);
    }
}

TEST(MeshKit, WrapRoundMappingsSplitTheirSeam) {
    Geometry ball = Sphere(1.0f, 16, 8);
    SphericalUV(ball, vec3(0.0f), 1.0f, 1.0f);
    for (const auto& t : ball.triangles) {
        float u[3] = {ball.vertices[t.a].uv.x, ball.vertices[t.b].uv.x, ball.vertices[t.c].uv.x};
        EXPECT_LT(std::max({u[0], u[1], u[2]}) - std::min({u[0], u[1], u[2]}), 0.5f);
    }
    for (const auto& v : ball.vertices) {
        // The middle of the picture faces the camera, the top of the picture is the top of the ball.
        if (v.position.z < -0.99f) {
            EXPECT_NEAR(v.uv.x, 0.5f, 0.07f);
        }
        if (v.position.y > 0.99f) {
            EXPECT_NEAR(v.uv.y, 0.0f, 1e-4f);
        }
    }
    EXPECT_EQ(UnmatchedEdges(ball), 0) << "splitting the seam must not open the surface";
}

TEST(MeshKit, ConvexHullHoldsEveryPoint) {
    std::vector<vec3> points;
    for (int i = 0; i < 60; ++i) {
        float a = 2.399963f * static_cast<float>(i), y = 1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / 60.0f;
        float r = std::sqrt(1.0f - y * y) * (0.6f + 0.4f * std::sin(static_cast<float>(i) * 1.7f));
        points.emplace_back(r * std::cos(a), y, r * std::sin(a));
    }
    Geometry hull = ConvexHull(points);
    EXPECT_EQ(UnmatchedEdges(hull), 0);
    for (const auto& t : hull.triangles) {
        vec3 n = glm::normalize(hull.FaceNormal(t));
        for (const auto& p : points) EXPECT_LE(glm::dot(n, p - hull.vertices[t.a].position), 1e-4f);
    }
}

TEST(MeshKit, XFilesReadBackThroughTheGameLoaderAsWritten) {
    Mesh mesh("sample");
    Material plain = Lit(0.25f, 0.5f, 0.75f, 0.5f);
    Material glow = Glow(1.0f, 0.5f, 0.25f);
    int first = mesh.AddMaterial(plain);
    int second = mesh.AddMaterial(glow);
    mesh.Add(Box(vec3(2, 2, 2)), first);
    mesh.Add(Quad(vec2(1, 1)).Translate(vec3(0, 0, -1.5f)), second);
    TempWorkDir dir;
    std::vector<std::uint8_t> bytes = WriteXFile(mesh);
    EXPECT_EQ(bytes, WriteXFile(mesh));
    dir.WriteFile("sample.x", std::string(bytes.begin(), bytes.end()));
    platform::MeshData loaded;
    ASSERT_TRUE(platform::LoadXMesh((dir.Path() / "sample.x").string(), &loaded));
    ASSERT_EQ(loaded.materials.size(), 2u);
    ASSERT_EQ(loaded.subsets.size(), 2u);
    EXPECT_EQ(loaded.subsets[0].indexCount, 36u);
    EXPECT_EQ(loaded.subsets[1].indexCount, 6u);
    EXPECT_FLOAT_EQ(loaded.materials[0].diffuse.b, 0.75f);
    EXPECT_FLOAT_EQ(loaded.materials[0].diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(loaded.materials[1].emissive.g, 0.5f);
    EXPECT_FLOAT_EQ(loaded.materials[0].power, plain.power);
    EXPECT_TRUE(loaded.hasNormals);
    EXPECT_TRUE(loaded.hasTextureCoords);
    // The quad comes back facing the camera (clockwise, normal -z), where it was, with its picture upright.
    const auto* idx = &loaded.indices[loaded.subsets[1].firstIndex];
    const auto& a = loaded.vertices[idx[0]].position;
    const auto& b = loaded.vertices[idx[1]].position;
    const auto& c = loaded.vertices[idx[2]].position;
    vec3 n = glm::cross(vec3(b.x - a.x, b.y - a.y, b.z - a.z), vec3(c.x - a.x, c.y - a.y, c.z - a.z));
    EXPECT_LT(n.z, 0.0f);
    EXPECT_FLOAT_EQ(a.z, -1.5f);
    for (int k = 0; k < 6; ++k) {
        const auto& v = loaded.vertices[idx[k]];
        EXPECT_FLOAT_EQ(v.v, v.position.y > 0 ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(v.normal.z, -1.0f);
    }
}

// Files of other tools come in the format's other forms too: every game mesh written in each of them loads
// as its text does.
TEST(MeshKit, EveryFormOfAnXFileLoadsAsItsText) {
    const auto parse = [](const std::vector<std::uint8_t>& bytes) {
        platform::MeshData mesh;
        EXPECT_TRUE(platform::ParseXMesh(bytes.data(), bytes.size(), &mesh));
        return mesh;
    };
    for (const MeshEntry& entry : Catalogue()) {
        const Mesh mesh = entry.build();
        const platform::MeshData text = parse(WriteXFile(mesh));
        for (XForm form : {XForm::kBinary, XForm::kCompressedText, XForm::kCompressedBinary}) {
            SCOPED_TRACE(entry.gameName + " in form " + std::to_string(static_cast<int>(form)));
            const platform::MeshData other = parse(WriteXFile(mesh, form));
            ASSERT_EQ(other.indices, text.indices);
            ASSERT_EQ(other.vertices.size(), text.vertices.size());
            ASSERT_EQ(other.materials.size(), text.materials.size());
            for (std::size_t i = 0; i < text.vertices.size(); ++i) {
                ASSERT_NEAR(other.vertices[i].position.x, text.vertices[i].position.x, 1e-5f) << i;
                ASSERT_NEAR(other.vertices[i].normal.z, text.vertices[i].normal.z, 1e-5f) << i;
                ASSERT_NEAR(other.vertices[i].v, text.vertices[i].v, 1e-5f) << i;
            }
            EXPECT_NEAR(other.materials.back().diffuse.g, text.materials.back().diffuse.g, 1e-5f);
        }
    }
}

TEST(MeshKit, WriterRefusesAMaterialNoFaceUses) {
    Mesh mesh("spare");
    mesh.AddMaterial(Lit(1, 1, 1));
    int used = mesh.AddMaterial(Lit(1, 0, 0));
    mesh.Add(Box(vec3(1.0f)), used);
    EXPECT_THROW(WriteXFile(mesh), std::runtime_error);
}

TEST(MeshKit, ContactSheetRendererShowsFrontsAndCullsBacks) {
    auto render = [](bool insideOut) {
        Mesh mesh("cube");
        int m = mesh.AddMaterial(Glow(1.0f, 0.0f, 0.0f, 1.0f, 0.0f));
        Geometry g = Box(vec3(2.0f));
        if (insideOut) g.FlipWinding();
        mesh.Add(g, m);
        Rasterizer r(32, 32);
        r.Clear(vec3(0.0f));
        r.SetCamera(vec3(0, 0, -6), vec3(0, 0, 0), 45.0f, 0.5f);
        DrawItem item;
        item.mesh = &mesh;
        r.Draw(item);
        return r.Pixels()[16 * 32 + 16];
    };
    EXPECT_EQ(render(false), 0xFFFF0000u);
    // Turned inside out the near faces are culled, and the far ones show their inside.
    EXPECT_EQ(render(true), 0xFFFF0000u);
    Mesh sheet("sheet");
    int m = sheet.AddMaterial(Glow(0.0f, 1.0f, 0.0f, 1.0f, 0.0f));
    Geometry back = Quad(vec2(4.0f));
    back.FlipWinding();
    sheet.Add(back, m);
    Rasterizer r(32, 32);
    r.Clear(vec3(0.0f));
    r.SetCamera(vec3(0, 0, -6), vec3(0, 0, 0), 45.0f, 0.5f);
    DrawItem item;
    item.mesh = &sheet;
    r.Draw(item);
    EXPECT_EQ(r.Pixels()[16 * 32 + 16], 0xFF000000u) << "a face turned away is not drawn";
    item.cullNone = true;
    r.Draw(item);
    EXPECT_EQ(r.Pixels()[16 * 32 + 16], 0xFF00FF00u) << "unless culling is off";
}

}  // namespace

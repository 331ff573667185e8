// Every mesh the game loads exists under its exact name, loads through the game's own loader with one
// subset per material, carries normals and (where a picture is put on it) texture coordinates, stays within
// its triangle budget, is plain text X without the parts the game must not get, and is made the same way
// on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "assetgen/asset_writer.h"
#include "assets/meshes_support.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using mesh_tests::LoadGameMesh;

struct Expected {
    const char* file;
    bool textured;     // the game puts a picture on every material
    int maxTriangles;  // budget for a software renderer
};

// All 57, in the game's load order. Instanced or small objects get a few hundred triangles, bosses,
// the title backdrop and the enemy base a few thousand.
const Expected kMeshes[] = {
    {"plu2c.x", false, 1200},
    {"t1.x", true, 4000},
    {"t2.x", true, 800},
    {"atack02.x", false, 200},
    {"atack03.x", false, 400},
    {"ring.x", false, 1600},
    {"bomb.x", false, 1200},
    {"enemy01.x", false, 600},
    {"enemy02.x", false, 800},
    {"enemy03.x", false, 600},
    {"Enemy04.x", false, 600},
    {"enemy05.x", false, 600},
    {"enemyatack02.x", false, 200},
    {"explosion03.x", true, 800},
    {"explosion04.x", false, 800},
    {"bboss01hontai.x", false, 4000},
    {"bboss01migi.x", false, 2000},
    {"bboss01hidari.x", false, 2000},
    {"bossbeam.x", false, 400},
    {"bboss02.x", false, 4000},
    {"shield.x", false, 800},
    {"baria.x", true, 1000},
    {"boss01shot.x", false, 400},
    {"bboss03.x", false, 4000},
    {"sord.x", false, 600},
    {"en.x", false, 1500},
    {"souti.x", false, 1500},
    {"ryou.x", false, 1500},
    {"boss05.x", false, 4000},
    {"bossring.x", true, 1500},
    {"fan.x", false, 800},
    {"fanbeam.x", false, 200},
    {"bmeteo.x", true, 800},
    {"holeE.x", true, 200},
    {"smoon01.x", false, 2000},
    {"smoon02.x", false, 2000},
    {"smoon03.x", false, 2000},
    {"hammer.x", false, 800},
    {"grav.x", false, 1200},
    {"efe.x", false, 600},
    {"tama.x", false, 400},
    {"kouha.x", false, 800},
    {"lboss04.x", false, 4000},
    {"boss04tama.x", false, 600},
    {"lancer.x", false, 800},
    {"raser.x", false, 200},
    {"s1.x", false, 1200},
    {"s1back4.x", true, 1200},
    {"hai2.x", true, 200},
    {"tokio.x", false, 1200},
    {"kiti02.x", false, 5000},
    {"meteo.x", true, 800},
    {"star.x", true, 200},
    {"tikyu.x", true, 1200},
    {"hana.x", true, 600},
    {"sora2.x", true, 1200},
    {"jimen2.x", true, 1200},
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MeshFiles, TheFolderHoldsExactlyTheGamesFiftySevenNames) {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(fs::path(KORVEX_DATA_DIR) / "x")) {
        found.insert(entry.path().filename().string());
    }
    std::set<std::string> expected;
    for (const auto& e : kMeshes) expected.insert(e.file);
    EXPECT_EQ(expected.size(), 57u);
    EXPECT_EQ(found, expected);  // exact case: "Enemy04.x" keeps its capital
}

TEST(MeshFiles, EachLoadsWithOneSubsetPerMaterialNormalsAndItsTextureCoordinates) {
    for (const auto& e : kMeshes) {
        SCOPED_TRACE(e.file);
        auto mesh = LoadGameMesh(e.file);
        if (!mesh) continue;
        ASSERT_FALSE(mesh->materials.empty());
        EXPECT_EQ(mesh->subsets.size(), mesh->materials.size());
        for (std::size_t i = 0; i < mesh->subsets.size(); ++i) {
            EXPECT_GT(mesh->subsets[i].indexCount, 0u) << "material " << i << " has no faces to draw";
        }
        EXPECT_TRUE(mesh->hasNormals);
        if (e.textured) {
            EXPECT_TRUE(mesh->hasTextureCoords);
        }
        std::size_t triangles = mesh->indices.size() / 3;
        EXPECT_LE(triangles, static_cast<std::size_t>(e.maxTriangles));
        for (const auto& m : mesh->materials) {
            EXPECT_GT(m.diffuse.a, 0.0f) << "a material the game would draw invisible";
        }
    }
}

TEST(MeshFiles, PicturesGetCoordinatesThatSpreadThemOverTheFaces) {
    // Without coordinates, or with all of them equal, a picture shows as one texel.
    for (const auto& e : kMeshes) {
        if (!e.textured) continue;
        SCOPED_TRACE(e.file);
        auto mesh = LoadGameMesh(e.file);
        if (!mesh) continue;
        float lo = 1e30f, hi = -1e30f;
        for (const auto& v : mesh->vertices) {
            lo = std::min({lo, v.u, v.v});
            hi = std::max({hi, v.u, v.v});
        }
        EXPECT_GT(hi - lo, 0.5f);
    }
}

TEST(MeshFiles, BuildingFacadesStandUprightInTheirPicture) {
    // v = 0 is the top of a picture: the roof line of the facade takes the picture's top.
    auto mesh = LoadGameMesh("hai2.x");
    ASSERT_TRUE(mesh);
    for (const auto& v : mesh->vertices) {
        bool wall = std::abs(v.normal.y) < 0.5f;
        if (wall && v.position.y > 16.0f) {
            EXPECT_LT(v.v, 0.2f);
        }
        if (wall && v.position.y < 0.01f) {
            EXPECT_GT(v.v, 0.95f);
        }
    }
}

TEST(MeshFiles, AreTextXFilesWithoutVertexColoursFramesOrAnimation) {
    for (const auto& e : kMeshes) {
        SCOPED_TRACE(e.file);
        std::string text = ReadText(fs::path(KORVEX_DATA_DIR) / "x" / e.file);
        EXPECT_EQ(text.rfind("xof 0303txt 0032\n", 0), 0u);
        EXPECT_EQ(text.find("MeshVertexColors"), std::string::npos);
        EXPECT_EQ(text.find("Frame"), std::string::npos);
        EXPECT_EQ(text.find("Animation"), std::string::npos);
        EXPECT_EQ(text.find("TextureFilename"), std::string::npos);
        EXPECT_EQ(text.find("-0.000000"), std::string::npos);
    }
}

// A text editor may save a mesh with a UTF-8 byte-order mark before it: the game loads the same mesh.
TEST(MeshFiles, LoadTheSameWithAByteOrderMarkBeforeThem) {
    TempWorkDir dir;
    for (const char* file : {"plu2c.x", "t1.x"}) {
        SCOPED_TRACE(file);
        const auto plain = LoadGameMesh(file);
        ASSERT_TRUE(plain);
        dir.WriteFile(file, "\xEF\xBB\xBF" + ReadText(fs::path(KORVEX_DATA_DIR) / "x" / file));
        platform::MeshData marked;
        ASSERT_TRUE(platform::LoadXMesh((dir.Path() / file).string(), &marked));
        const auto same = [](const auto& a, const auto& b) {
            return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0;
        };
        EXPECT_EQ(marked.indices, plain->indices);
        EXPECT_TRUE(same(marked.vertices, plain->vertices));
        EXPECT_TRUE(same(marked.materials, plain->materials));
        EXPECT_TRUE(same(marked.subsets, plain->subsets));
    }
}

TEST(MeshFiles, TwoRunsOfTheGeneratorWriteTheSameBytesAsTheBuild) {
    TempWorkDir dir;
    int ran = 0;
    for (const char* run : {"a", "b"}) {
        assetgen::AssetWriter writer(dir.Path() / run / "data", dir.Path() / run / "preview");
        for (const assetgen::Generator& g : assetgen::Generators()) {
            if (std::string(g.name) != "meshes") continue;
            g.fn(writer);
            ++ran;
        }
        EXPECT_TRUE(fs::exists(dir.Path() / run / "preview" / "meshes.png"));
    }
    ASSERT_EQ(ran, 2);
    int compared = 0;
    for (const auto& e : kMeshes) {
        std::string a = ReadText(dir.Path() / "a" / "data" / "x" / e.file);
        EXPECT_FALSE(a.empty()) << e.file;
        EXPECT_EQ(a, ReadText(dir.Path() / "b" / "data" / "x" / e.file)) << e.file;
        EXPECT_EQ(a, ReadText(fs::path(KORVEX_DATA_DIR) / "x" / e.file)) << e.file;
        ++compared;
    }
    EXPECT_EQ(compared, 57);
}

}  // namespace

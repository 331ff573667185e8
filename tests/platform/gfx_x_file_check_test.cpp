#include "platform/gfx/x_file_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/gfx/mesh_data.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

bool Sound(const std::string& text) {
    return XMeshTextIsSound(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

bool Loads(const std::string& text) {
    MeshData mesh;
    return ParseXMesh(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), &mesh);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Every part the game's meshes use, and a few they do not, written the ways the importer reads them.
const std::string kSquare = R"(xof 0303txt 0032
// a comment
template Unused { <01234567-89ab-cdef-0123-456789abcdef> DWORD n; }
# another comment
Frame Root {
  FrameTransformMatrix { 2,0, 0.0, 0.0, 0.0, 0.0, 2., 0.0, 0.0, 0.0, 0.0, 2.0, 0.0, 1e1, -2.5E+1, 3.0, 1.0;; }
  Mesh Square {
    4;
    0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;;
    2;
    3;0,1,2;,
    3;0,2,3;;
    MeshNormals { 1; 0.0;0.0;-1.0;; 2; 3;0,0,0;, 3;0,0,0;; }
    MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;; }
    VertexDuplicationIndices { 4; 4; 0, 1, 2, 3; }
    MeshMaterialList { 2; 2; 0,1;;
      Material Red { 1.0;0.0;0.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { "t\\red.png"; } }
      Material Blue { 0.0;0.0;1.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
    }
  }
}
)";

TEST(GfxXFileCheck, WellFormedMeshPassesAndLoads) {
    EXPECT_TRUE(Sound(kSquare));
    EXPECT_TRUE(Loads(kSquare));
    // One face material index stands for every face.
    EXPECT_TRUE(Sound(Replaced(kSquare, "2; 2; 0,1;;", "2; 1; 1;;")));
}

TEST(GfxXFileCheck, IndicesPastTheirListsAreRefused) {
    // The importer keeps a position index equal to the vertex count and reads the position after the last.
    EXPECT_FALSE(Sound(Replaced(kSquare, "3;0,2,3;;", "3;0,2,4;;")));
    // Normal indices are not checked by the importer at all.
    EXPECT_FALSE(Sound(Replaced(kSquare, "3;0,0,0;, 3;0,0,0;;", "3;0,0,0;, 3;0,1,0;;")));
    // Nor are face materials against the materials that follow.
    EXPECT_FALSE(Sound(Replaced(kSquare, "2; 2; 0,1;;", "2; 2; 0,2;;")));
    EXPECT_FALSE(Loads(Replaced(kSquare, "2; 2; 0,1;;", "2; 2; 0,2;;")));
    // Negative numbers are refused rather than wrapped.
    EXPECT_FALSE(Sound(Replaced(kSquare, "3;0,2,3;;", "3;0,2,-1;;")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "4;\n", "1234567890;\n")));
}

TEST(GfxXFileCheck, MaterialListsTheImporterMisreadsAreRefused) {
    // Found by fuzzing: a material list whose only material is misspelt, so that nothing is listed. The
    // importer then looked up material 0 of none, which crashed the loader.
    const std::string misspelt = Replaced(kSquare, "Material Blue {", "Mate rial {");
    EXPECT_FALSE(Sound(misspelt));
    EXPECT_FALSE(Loads(misspelt));
    const std::string noMaterial = R"(xof 0303txt 0032
Mesh T { 3; 0;1;5;, 1;-1;5;, -1;-1;5;; 1; 3;0,1,2;;
 MeshMaterialList { 1; 1; 0;; Mate iral{ 1.0;0.5;0.25;1.0;; 20.0; 0.1;0.2;0.3;; 0.0;0.0;0.0;; } }
}
)";
    EXPECT_FALSE(Sound(noMaterial));
    EXPECT_FALSE(Loads(noMaterial));
    // A single face material with no faces, and a second list appended to the first: both leave more face
    // materials than faces, which the importer walks past.
    const std::string noFaces = R"(xof 0303txt 0032
Mesh E { 3; 0;0;0;, 1;0;0;, 0;1;0;; 0;
 MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }
}
)";
    EXPECT_FALSE(Sound(noFaces));
    EXPECT_FALSE(Loads(noFaces));
    const std::string list = "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }";
    EXPECT_FALSE(Sound(Replaced(kSquare, "VertexDuplicationIndices", list + "\n    VertexDuplicationIndices")));
    // Materials named from elsewhere are not taken.
    EXPECT_FALSE(
        Sound(Replaced(kSquare, "Material Blue { 0.0;0.0;1.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }", "{ Blue }")));
}

TEST(GfxXFileCheck, OnlyPlainTextFilesPass) {
    EXPECT_FALSE(Sound(""));
    EXPECT_FALSE(Sound("xof 0303txt 003"));
    EXPECT_FALSE(Sound(Replaced(kSquare, "txt ", "bin ")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "txt ", "tzip")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "0032", "0016")));
    EXPECT_FALSE(Sound("\xEF\xBB\xBF" + kSquare));
    EXPECT_FALSE(Sound(Replaced(kSquare, "Square", std::string("Squ\0re", 6))));
    EXPECT_FALSE(Sound(Replaced(kSquare, "Frame Root {", "AnimTicksPerSecond { 24; }\nFrame Root {")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1.0;1.0;0.0;,", "1.#IND00;1.0;0.0;,")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1e1", "1e")));
}

TEST(GfxXFileCheck, CutShortOrUnbalancedFilesAreRefused) {
    for (std::size_t cut : {kSquare.size() / 3, kSquare.size() / 2, kSquare.find("MeshNormals"), kSquare.rfind('}')}) {
        EXPECT_FALSE(Sound(kSquare.substr(0, cut))) << cut;
    }
    EXPECT_FALSE(Sound(Replaced(kSquare, "VertexDuplicationIndices { 4;", "VertexDuplicationIndices { { 4;")));
    // Frames nest no deeper than the game could want.
    std::string deep = "xof 0303txt 0032\n";
    for (int i = 0; i < 100; ++i) deep += "Frame {\n";
    for (int i = 0; i < 100; ++i) deep += "}\n";
    EXPECT_FALSE(Sound(deep));
}

}  // namespace
}  // namespace platform

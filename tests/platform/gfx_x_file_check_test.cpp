#include "platform/gfx/x_file_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gfx/mesh_data.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

bool Sound(const std::string& text) {
    std::vector<std::uint8_t> expanded;
    return XMeshIsSound(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), &expanded);
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

TEST(GfxXFileCheck, WhatTheConversionCopiesUncheckedIsRefused) {
    // Skin weights spread by vertex index into a table of the vertices.
    const std::string skinned = Replaced(kSquare, "VertexDuplicationIndices",
                                         "SkinWeights { \"Root\"; 2; 0, 3; 0.5, 1.0; 1;0;0;0; 0;1;0;0; 0;0;1;0; 0;0;0;1;; }\n"
                                         "    VertexDuplicationIndices");
    EXPECT_TRUE(Sound(skinned));
    EXPECT_TRUE(Loads(skinned));
    EXPECT_FALSE(Sound(Replaced(skinned, "0, 3;", "0, 4;")));
    // Frame names copied into the scene's 1024-byte names.
    EXPECT_TRUE(Sound(Replaced(kSquare, "Frame Root", "Frame " + std::string(1023, 'R'))));
    EXPECT_FALSE(Sound(Replaced(kSquare, "Frame Root", "Frame " + std::string(1024, 'R'))));
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
    // A material named from elsewhere counts as one of the list.
    const std::string named = Replaced(kSquare, "Material Blue { 0.0;0.0;1.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }", "{ Blue }");
    EXPECT_TRUE(Sound(named));
    EXPECT_FALSE(Sound(Replaced(named, "2; 2; 0,1;;", "2; 2; 0,2;;")));
}

TEST(GfxXFileCheck, OnlyFilesOfTheFormatsFormsPass) {
    EXPECT_FALSE(Sound(""));
    EXPECT_FALSE(Sound("xof 0303txt 003"));
    EXPECT_FALSE(Sound(Replaced(kSquare, "txt ", "zip ")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "txt ", "tzip")));  // no compressed blocks
    EXPECT_FALSE(Sound(Replaced(kSquare, "0032", "0016")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "Square", std::string("Squ\0re", 6))));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1.0;1.0;0.0;,", "1.#IND00;1.0;0.0;,")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1.0;1.0;0.0;,", "nan;1.0;0.0;,")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1e1", "1e")));
    EXPECT_FALSE(Sound(Replaced(kSquare, "1e1", "123456789012345678901")));  // the importer gives up on it
    // Text read as binary holds no token the importer knows: nothing to check, and nothing it imports.
    EXPECT_TRUE(Sound(Replaced(kSquare, "txt ", "bin ")));
    EXPECT_FALSE(Loads(Replaced(kSquare, "txt ", "bin ")));
}

// A text editor's UTF-8 byte-order mark before the header is skipped, and the importer gets the file
// without it; anything after it is checked as before.
TEST(GfxXFileCheck, AByteOrderMarkBeforeTextIsSkippedAndLeftOutOfWhatTheImporterGets) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string marked = mark + kSquare;
    std::vector<std::uint8_t> handedOn;
    EXPECT_TRUE(XMeshIsSound(reinterpret_cast<const std::uint8_t*>(marked.data()), marked.size(), &handedOn));
    EXPECT_EQ(std::string(handedOn.begin(), handedOn.end()), kSquare);
    EXPECT_TRUE(Loads(marked));
    EXPECT_FALSE(Sound(mark + Replaced(kSquare, "3;0,2,3;;", "3;0,2,4;;")));
    EXPECT_FALSE(Sound(mark + mark + kSquare));
    EXPECT_FALSE(Sound(mark + Replaced(kSquare, "txt ", "bin ")));  // no tool writes one before binary
    EXPECT_FALSE(Sound(mark + "xof 0303txt 003"));
}

// The fuzz target's seeds: files of every form that other tools write, which load, and the faults found
// so far ("refused-*"), which the check refuses before the importer sees them. Only the header-only seed
// passes the check with nothing in it to load.
TEST(GfxXFileCheck, FuzzSeedsLoadUnlessNamedRefused) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KORVEX_SOURCE_DIR "/fuzz/corpus/x_mesh")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++seeds;
        if (name.starts_with("refused-")) {
            EXPECT_FALSE(Sound(bytes));
        } else {
            EXPECT_TRUE(Sound(bytes));
            EXPECT_EQ(Loads(bytes), name != "header-only.x");
        }
    }
    EXPECT_GT(seeds, 10);
}

// Binary tokens as the format writes them: names, braces, lists of integers and of 32-bit floats.
std::string Word(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string DWord(std::uint32_t v) { return Word(v & 0xFFFF) + Word(v >> 16); }
std::string Name(const std::string& name) { return Word(1) + DWord(static_cast<std::uint32_t>(name.size())) + name; }
const std::string kOpen = Word(0x0a), kClose = Word(0x0b);
std::string Ints(const std::vector<std::uint32_t>& values) {
    std::string out = Word(6) + DWord(static_cast<std::uint32_t>(values.size()));
    for (auto v : values) out += DWord(v);
    return out;
}
std::string Floats(const std::vector<float>& values) {
    std::string out = Word(7) + DWord(static_cast<std::uint32_t>(values.size()));
    for (float f : values) out += std::string(reinterpret_cast<const char*>(&f), 4);
    return out;
}

TEST(GfxXFileCheck, BinaryFilesAreReadAsTheImporterReadsThem) {
    const std::string material = Name("Material") + kOpen + Floats({1, 0, 0, 1, 5, 0, 0, 0, 0, 0, 0}) +
                                 Name("TextureFilename") + kOpen + Word(2) + DWord(5) + "t.png" + Word(0x14) +
                                 kClose + kClose;
    const std::string mesh = "xof 0303bin 0032" + Name("Mesh") + kOpen + Ints({3}) +
                             Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}) + Ints({1, 3, 0, 1, 2}) + Name("MeshMaterialList") +
                             kOpen + Ints({1, 1, 0}) + material + kClose + kClose;
    EXPECT_TRUE(Sound(mesh));
    EXPECT_TRUE(Loads(mesh));
    // Cut anywhere, the mesh is left open: refused, never read past the end.
    for (std::size_t cut = 17; cut < mesh.size(); ++cut) EXPECT_FALSE(Sound(mesh.substr(0, cut))) << cut;
    // A position index equal to the vertex count.
    EXPECT_FALSE(Sound(Replaced(mesh, Ints({1, 3, 0, 1, 2}), Ints({1, 3, 0, 1, 3}))));
    // A string longer than the importer checks for, and a list whose values are not there.
    EXPECT_FALSE(Sound(Replaced(mesh, DWord(5) + "t.png", DWord(0xFFFFFFF0u) + "t.png")));
    EXPECT_FALSE(Sound(Replaced(mesh, Ints({1, 3, 0, 1, 2}), Word(6) + DWord(100000) + DWord(1))));
    // A GUID token reaching past the end, where the importer reads a number next.
    EXPECT_FALSE(Sound(mesh.substr(0, mesh.find(Name("MeshMaterialList"))) + Name("SkinWeights") + kOpen + Word(5) +
                       "0123456789"));
}

TEST(GfxXFileCheck, CompressedBlocksAreCheckedAsTheyExpand) {
    const std::string head = "xof 0303tzip0032" + DWord(100) + Word(80);
    // The importer's magic, "CK", must start every block.
    EXPECT_FALSE(Sound(head + Word(2) + "CX" + "\x03\x00"));
    // No more blocks than 64 MiB of output takes: each is worth as much to the importer, however small.
    std::string empty;
    for (int i = 0; i < 3000; ++i) empty += Word(0) + "CK";
    EXPECT_FALSE(Sound(head + empty));
    // Deflate data that does not expand.
    EXPECT_FALSE(Sound(head + Word(6) + "CK" + "\xFF\xFF\xFF\xFF"));
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

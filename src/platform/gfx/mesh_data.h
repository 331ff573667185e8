#pragma once
// A mesh as the game's X files describe it, read into memory: vertices, triangles grouped into one
// subset per material (in material order), and the materials.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/math.h"

namespace platform {

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

// Field order as the game's material record: diffuse, ambient, specular, emissive, power.
struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0;
};

struct MeshVertex {
    Vector3 position;
    Vector3 normal;
    float u = 0, v = 0;
};

struct MeshSubset {
    std::uint32_t firstIndex = 0;  // into MeshData::indices
    std::uint32_t indexCount = 0;  // a multiple of 3
};

struct MeshData {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;  // triangle list
    std::vector<MeshSubset> subsets;     // one per material; subset i holds the faces of material i
    std::vector<Material> materials;
    bool hasNormals = false;
    bool hasTextureCoords = false;
};

// Reads an X file. The path is a host path (see ResolveGamePath). False when the file is missing or
// does not parse. Coordinates come out in the game's left-handed space with clockwise front faces,
// exactly as written in the file.
bool LoadXMesh(const std::string& path, MeshData* out);
// The same, from the file's bytes.
bool ParseXMesh(const std::uint8_t* bytes, std::size_t size, MeshData* out);

}  // namespace platform

#include "platform/gfx/mesh_data.h"

#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/core/game_path.h"
#include "platform/gfx/x_file_check.h"

namespace platform {

namespace {

// The X importer turns the file's left-handed data into a right-handed scene and reverses every face;
// ConvertToLeftHanded undoes both, so positions, normals, texture coordinates and vertex order come
// back exactly as written. Polygons are not triangulated by Assimp, whose step starts quads at a concave
// corner and ear-clips larger polygons: they are cut below into fans from their first corner, which is how
// the game's meshes expect their polygons to be drawn.
constexpr unsigned kImportFlags =
    aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure;

struct Part {
    const aiMesh* mesh;
    aiMatrix4x4 transform;  // the product of the frames above it
};

void CollectParts(const aiScene* scene, const aiNode* node, const aiMatrix4x4& parent, std::vector<Part>* parts) {
    const aiMatrix4x4 transform = parent * node->mTransformation;
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        parts->push_back({scene->mMeshes[node->mMeshes[i]], transform});
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i) CollectParts(scene, node->mChildren[i], transform, parts);
}

Vector3 ToVector(const aiVector3D& v) { return {v.x, v.y, v.z}; }

Material ConvertMaterial(const aiMaterial& source) {
    Material m;
    aiColor4D diffuse(0, 0, 0, 0);
    if (source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == AI_SUCCESS) {
        m.diffuse = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
    }
    // The file gives specular and emissive as RGB; their alpha takes no part in lighting.
    aiColor3D colour(0, 0, 0);
    if (source.Get(AI_MATKEY_COLOR_SPECULAR, colour) == AI_SUCCESS) m.specular = {colour.r, colour.g, colour.b, 1.0f};
    colour = aiColor3D(0, 0, 0);
    if (source.Get(AI_MATKEY_COLOR_EMISSIVE, colour) == AI_SUCCESS) m.emissive = {colour.r, colour.g, colour.b, 1.0f};
    float power = 0.0f;
    if (source.Get(AI_MATKEY_SHININESS, power) == AI_SUCCESS) m.power = power;
    // Ambient stays zero: the game derives it from the diffuse colour when it loads the mesh.
    return m;
}

void AppendPart(const Part& part, MeshData* out, std::vector<std::uint32_t>* indices) {
    const aiMesh& mesh = *part.mesh;
    const auto base = static_cast<std::uint32_t>(out->vertices.size());
    const bool flattened = !part.transform.IsIdentity();
    // Normals follow the inverse transpose, so that scaled frames keep them at right angles to the faces.
    aiMatrix3x3 normalTransform(part.transform);
    if (flattened && normalTransform.Determinant() != 0.0f) normalTransform.Inverse().Transpose();

    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        MeshVertex v;
        v.position = ToVector(flattened ? part.transform * mesh.mVertices[i] : mesh.mVertices[i]);
        if (mesh.HasNormals()) {
            aiVector3D n = mesh.mNormals[i];
            if (flattened) {
                n = normalTransform * n;
                const float length = n.Length();
                if (length > 0.0f) n /= length;
            }
            v.normal = ToVector(n);
        }
        if (mesh.HasTextureCoords(0)) {
            v.u = mesh.mTextureCoords[0][i].x;
            v.v = mesh.mTextureCoords[0][i].y;
        }
        out->vertices.push_back(v);
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        // Fans from the first corner; faces of fewer than three corners draw nothing.
        for (unsigned k = 2; k < face.mNumIndices; ++k) {
            indices->push_back(base + face.mIndices[0]);
            indices->push_back(base + face.mIndices[k - 1]);
            indices->push_back(base + face.mIndices[k]);
        }
    }
}

bool BuildMeshData(const aiScene& scene, MeshData* out) {
    if (!scene.mRootNode || scene.mNumMaterials == 0) return false;
    std::vector<Part> parts;
    CollectParts(&scene, scene.mRootNode, aiMatrix4x4(), &parts);
    if (parts.empty()) return false;

    MeshData data;
    // The importer lists the file's materials in file order, one scene material each, including those
    // no face uses, and splits every mesh into one part per material. Gathering the parts by material
    // index gives subset i = the faces of material i.
    data.materials.reserve(scene.mNumMaterials);
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) data.materials.push_back(ConvertMaterial(*scene.mMaterials[i]));

    std::vector<std::vector<std::uint32_t>> bySubset(scene.mNumMaterials);
    for (const Part& part : parts) {
        if (part.mesh->mMaterialIndex >= scene.mNumMaterials) return false;
        data.hasNormals = data.hasNormals || part.mesh->HasNormals();
        data.hasTextureCoords = data.hasTextureCoords || part.mesh->HasTextureCoords(0);
        AppendPart(part, &data, &bySubset[part.mesh->mMaterialIndex]);
    }
    for (const auto& subsetIndices : bySubset) {
        MeshSubset subset;
        subset.firstIndex = static_cast<std::uint32_t>(data.indices.size());
        subset.indexCount = static_cast<std::uint32_t>(subsetIndices.size());
        data.indices.insert(data.indices.end(), subsetIndices.begin(), subsetIndices.end());
        data.subsets.push_back(subset);
    }
    *out = std::move(data);
    return true;
}

}  // namespace

bool ParseXMesh(const std::uint8_t* bytes, std::size_t size, MeshData* out) {
    std::vector<std::uint8_t> expanded;
    if (!bytes || !out || !XMeshIsSound(bytes, size, &expanded)) return false;
    // A compressed file goes to the importer expanded, so that its own expander never runs; a text file
    // without its byte-order mark.
    if (!expanded.empty()) {
        bytes = expanded.data();
        size = expanded.size();
    }
    try {
        Assimp::Importer importer;
        // The hint names the format: the bytes come with no file name to tell it from.
        const aiScene* scene = importer.ReadFileFromMemory(bytes, size, kImportFlags, "x");
        if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) return false;
        return BuildMeshData(*scene, out);
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadXMesh(const std::string& path, MeshData* out) {
    // Callers pass host paths, but a name still written the game's way ("x\\plu2c.x") is found too.
    std::string hostPath = path;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(hostPath, ec)) hostPath = ResolveGamePath(path);
    if (!std::filesystem::is_regular_file(hostPath, ec)) return false;

    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return false;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    return ParseXMesh(bytes.data(), bytes.size(), out);
}

}  // namespace platform

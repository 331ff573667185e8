// Writes every x\*.x mesh of the game and the contact sheet data-preview/meshes.png.
#include <cstdio>
#include <stdexcept>

#include "assetgen/asset_writer.h"
#include "assetgen/meshes/catalogue.h"
#include "assetgen/meshes/mesh_preview.h"
#include "assetgen/meshes/x_file_writer.h"

namespace assetgen::meshes {
namespace {

void GenerateMeshes(AssetWriter& out) {
    std::vector<BuiltMesh> built;
    built.reserve(Catalogue().size());
    for (const auto& entry : Catalogue()) {
        built.push_back({&entry, entry.build()});
        out.Write(entry.gameName, WriteXFile(built.back().mesh));
    }
    out.WritePreview("meshes.png", RenderContactSheet(built, out.DataDir()));
}

// After the pictures, so that the contact sheet can show the textured meshes in their own pictures.
KORVEX_ASSET_GENERATOR("meshes", GenerateMeshes, 20);

}  // namespace
}  // namespace assetgen::meshes

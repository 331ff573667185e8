#pragma once
// Every mesh the game loads, with how the game shows it (for the contact sheet).

#include <string>
#include <vector>

#include "assetgen/meshes/mesh.h"

namespace assetgen::meshes {

// How the contact sheet looks at a mesh.
struct PreviewView {
    // Camera placement: either framed on the model from the `from` direction (model space, from its centre
    // towards the eye), or the game's own camera at (0, 4, 0) looking at (0, 0, 20) with the model at `world`.
    bool gameCamera = false;
    vec3 from{0.0f, 0.15f, -1.0f};
    mat4 world{1.0f};
    float alphaScale = 1.0f;               // what the game's draw does to material alpha
    float fogStart = 0.0f, fogEnd = 0.0f;  // the stage's fog, when it has one (end > start)
};

// A boss seen from the player's side, a little from the right and above.
inline PreviewView BossFrontView(float alpha = 1.0f) {
    PreviewView v;
    v.from = vec3(0.35f, 0.25f, -1.0f);
    v.alphaScale = alpha;
    return v;
}

struct MeshEntry {
    std::string gameName;  // "x\\plu2c.x"
    Mesh (*build)();
    std::string picture;  // "t\\ground.png" when the game puts a picture on every material, else empty
    float ambientFactor = 1.0f;
    bool cullNone = false;
    PreviewView view;
};

// In the game's load order, roughly: title, player, enemies, effects, bosses, scenery.
const std::vector<MeshEntry>& Catalogue();

// The groups the catalogue is made of, one per design file.
void AddTitleAndPlayerMeshes(std::vector<MeshEntry>& out);
void AddEnemyAndEffectMeshes(std::vector<MeshEntry>& out);
void AddStageOneBossMeshes(std::vector<MeshEntry>& out);
void AddStageTwoBossMeshes(std::vector<MeshEntry>& out);
void AddStageThreeBossMeshes(std::vector<MeshEntry>& out);
void AddStageOneScenery(std::vector<MeshEntry>& out);
void AddSpaceAndFlowerScenery(std::vector<MeshEntry>& out);

}  // namespace assetgen::meshes

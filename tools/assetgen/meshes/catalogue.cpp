#include "assetgen/meshes/catalogue.h"

namespace assetgen::meshes {

const std::vector<MeshEntry>& Catalogue() {
    static const std::vector<MeshEntry> all = [] {
        std::vector<MeshEntry> out;
        AddTitleAndPlayerMeshes(out);
        AddEnemyAndEffectMeshes(out);
        AddStageOneBossMeshes(out);
        AddStageTwoBossMeshes(out);
        AddStageThreeBossMeshes(out);
        AddStageOneScenery(out);
        AddSpaceAndFlowerScenery(out);
        return out;
    }();
    return all;
}

}  // namespace assetgen::meshes

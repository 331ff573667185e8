#include "bosses/stand_in_boss.h"

#include <utility>

#include "render/loaders.h"

namespace {
constexpr float kSwayDepth = 40.0f;
}

StandInBoss::StandInBoss(std::string meshPath, float swayY) : StandInBoss(meshPath, swayY, LostText(meshPath)) {}

StandInBoss::StandInBoss(std::string meshPath, float swayY, std::string lostText)
    : meshPath_(std::move(meshPath)), lostText_(std::move(lostText)) {
    meshes_.resize(1);
    BuildSway(swayY, kSwayDepth);
}

void StandInBoss::Update() { Tick(); }

bool StandInBoss::Load() { return LoadMesh(0, meshPath_, lostText_); }

void StandInBoss::Start(int set) {
    Boss::Start(set);
    body_.shielded = 0;
}

void StandInBoss::Reset() { RestoreLists(); }

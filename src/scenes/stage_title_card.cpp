#include "scenes/stage_title_card.h"

#include "core/registry.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

bool StageTitleCard::Load() {
    if (!TextureLoad("t\\stage 1.png", &cards_[0], *this)) return LoadFailed(*this, "stage 1ロスト");
    if (!TextureLoad("t\\stage 2.png", &cards_[1], *this)) return LoadFailed(*this, "stage 2ロスト");
    if (!TextureLoad("t\\stage 3.png", &cards_[2], *this)) return LoadFailed(*this, "stage 3ロスト");
    return true;
}

void StageTitleCard::Draw() {
    SetAlphaBlend(*this, false);
    const int stage = GetStage();
    if (stage < 1 || stage > 3) return;
    DrawFullScreen(*this, cards_[stage - 1].get(), 0.0f, 0.0f, 0x80FFFFFFu);
}

#include "scenes/stage_title_card.h"

#include "core/registry.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kCards[3] = {PictureAsset("t\\stage 1.png"), PictureAsset("t\\stage 2.png"),
                                PictureAsset("t\\stage 3.png")};
constexpr const char* kLostTexts[3] = {"stage 1ロスト", "stage 2ロスト", "stage 3ロスト"};

}  // namespace

std::span<const AssetRef> StageTitleCard::Assets() { return kCards; }

bool StageTitleCard::Load() {
    for (std::size_t i = 0; i < std::size(kCards); ++i) {
        if (!TextureLoadKeyed(kCards[i].path, &cards_[i], *this, kCards[i].colourKey)) {
            return LoadFailed(*this, kLostTexts[i]);
        }
    }
    return true;
}

void StageTitleCard::Step() {
    const int stage = GetStage();
    shownStage_ = stage >= 1 && stage <= 3 ? stage : 0;
}

void StageTitleCard::Draw() {
    if (shownStage_ == 0) return;
    // The card's own colour, unblended: the half-transparent colour it is drawn with does not reach it.
    ScopedDrawState opaque(device_, draw_state::kOpaque + draw_state::kTextureOnly);
    DrawFullScreen(*this, cards_[shownStage_ - 1].get(), 0.0f, 0.0f, 0x80FFFFFFu);
}

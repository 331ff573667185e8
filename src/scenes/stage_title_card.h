#pragma once
// The card shown before each stage until the player confirms.

#include <span>

#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class StageTitleCard : public Drawable {
public:
    // The three cards Load loads, in the stages' order.
    static std::span<const AssetRef> Assets();

    bool Load();
    // Takes the current stage's card.
    void Step();
    void Draw();

private:
    platform::TexturePtr cards_[3];
    // 0 for none.
    int shownStage_ = 0;
};

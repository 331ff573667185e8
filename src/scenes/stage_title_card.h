#pragma once
// The card shown before each stage until the player confirms.

#include "platform/gfx/texture.h"
#include "render/drawable.h"

class StageTitleCard : public Drawable {
public:
    bool Load();
    // The card of the current stage.
    void Draw();

private:
    platform::TexturePtr cards_[3];
};

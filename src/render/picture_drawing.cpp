#include "render/picture_drawing.h"

#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"

void DrawPicture(Drawable& drawable, platform::Texture* texture, const platform::Rect* source, float x, float y,
                 float sx, float sy, std::uint32_t colour) {
    platform::Sprite* sprite = drawable.GetSprite();
    if (!sprite || !texture) return;
    const platform::Vector2 scaling{sx, sy};
    const platform::Vector2 translation{x, y};
    platform::MatrixTransformation2D(&drawable.Transform(), &scaling, &translation);
    sprite->SetTransform(&drawable.Transform());
    sprite->Draw(texture, source, nullptr, nullptr, colour);
}

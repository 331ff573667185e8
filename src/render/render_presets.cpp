#include "render/render_presets.h"

#include <cmath>

#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"

using namespace platform;

Matrix* SetMatrixTranslation(Matrix* matrix, float x, float y, float z) {
    matrix->_41 = x;
    matrix->_42 = y;
    matrix->_43 = z;
    return matrix;
}

Matrix* SetMatrixScale(Matrix* matrix, float sx, float sy, float sz) {
    matrix->_11 = sx;
    matrix->_22 = sy;
    matrix->_33 = sz;
    return matrix;
}

Matrix* MakeTextureScroll(Matrix* matrix, float u, float v) {
    MatrixIdentity(matrix);
    matrix->_31 = u;
    matrix->_32 = v;
    return matrix;
}

void DrawPortraitSprite(Drawable& drawable, Texture* texture, const Rect* source, Vector2 position) {
    Sprite* sprite = drawable.GetSprite();
    if (!sprite) return;
    const Vector2 scaling{1.0f, 1.0f};
    MatrixTransformation2D(&drawable.Transform(), &scaling, &position);
    sprite->SetTransform(&drawable.Transform());
    sprite->Draw(texture, source, nullptr, nullptr, 0x80FFFFFFu);
}

std::uint32_t FadeColour(double value) {
    std::uint32_t a;
    if (value >= 1.0) {
        a = 255;
    } else if (value <= 0.0) {
        a = 0;
    } else {
        a = static_cast<std::uint32_t>(std::lround(value * 255.0));
    }
    return (a << 24) | 0x00FFFFFFu;
}

// The sprite object: screen-pixel placement, its own states inside a bracket and the ones it puts back.

#include "render/render_presets.h"
#include "render_test_support.h"

using namespace platform;

namespace {

class SpriteDrawing : public DeviceTest {
protected:
    void DrawAt(Texture* texture, float x, float y, float sx, float sy, std::uint32_t colour,
                const Rect* source = nullptr) {
        Matrix m;
        const Vector2 scaling{sx, sy}, translation{x, y};
        MatrixTransformation2D(&m, &scaling, &translation);
        sprite_->SetTransform(&m);
        ASSERT_EQ(S_OK, sprite_->Draw(texture, source, nullptr, nullptr, colour));
    }
};

TEST_F(SpriteDrawing, FullScreenScaleOfA1024PictureCoversTheScreenExactly) {
    TexturePtr picture = MakeTexture(SolidImage(1024, 1024, 0xFFFFFFFF));
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    DrawAt(picture.get(), 0, 0, 0.78125f, 0.5859f, 0xFFFFFFFF);
    sprite_->End();
    EndFrame();
    const Image frame = Frame();
    int uncovered = 0;
    for (std::uint32_t p : frame.argb) uncovered += p != 0xFFFFFFFFu;
    EXPECT_EQ(0, uncovered);
}

TEST_F(SpriteDrawing, PixelPlacementAndSourceRectangles) {
    // Left half red, right half green, 64 x 32.
    Image image = SolidImage(64, 32, 0xFFFF0000);
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 64; ++x) image.argb[static_cast<std::size_t>(y) * 64 + x] = 0xFF00FF00;
    }
    TexturePtr picture = MakeTexture(image);
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND);
    DrawAt(picture.get(), 100, 50, 1, 1, 0xFFFFFFFF);
    const Rect right{32, 0, 64, 32};
    DrawAt(picture.get(), 300, 50, 1, 1, 0xFFFFFFFF, &right);
    sprite_->End();
    EndFrame();
    const Image f = Frame();
    EXPECT_TRUE(ColourNear(f.At(100, 50), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(131, 81), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(132, 50), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(163, 81), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(164, 50), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(99, 50), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(100, 82), 0, 0, 0, 0));
    // The rectangle's part only, 32 pixels wide.
    EXPECT_TRUE(ColourNear(f.At(300, 50), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(331, 81), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(332, 50), 0, 0, 0, 0));
}

TEST_F(SpriteDrawing, ColourTintsAndLaterDrawsLieOnTop) {
    TexturePtr white = MakeTexture(SolidImage(32, 32, 0xFFFFFFFF));
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    DrawAt(white.get(), 0, 0, 1, 1, 0xFFFF0000);
    DrawAt(white.get(), 16, 0, 1, 1, 0xFF0000FF);
    DrawAt(white.get(), 100, 0, 1, 1, 0x80808080);
    sprite_->End();
    EndFrame();
    const Image f = Frame();
    EXPECT_TRUE(ColourNear(f.At(8, 8), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(20, 8), 0, 0, 255, 0));
    // Grey at half alpha over black.
    EXPECT_TRUE(ColourNear(f.At(110, 8), 64, 64, 64, 1));
}

// Each draw takes the states of its moment: the game-over screen fades its noise with a factor set
// between two draws of the same bracket.
TEST_F(SpriteDrawing, StatesChangedInsideABracketApplyToTheNextDraw) {
    TexturePtr white = MakeTexture(SolidImage(32, 32, 0xFFFFFFFF));
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    DrawAt(white.get(), 0, 0, 1, 1, 0xFFFFFFFF);
    SetAlphaBlend(drawable_, true);
    SetTextureAlphaFactor(drawable_, 0x80FFFFFF);
    DrawAt(white.get(), 100, 0, 1, 1, 0xFFFFFFFF);
    sprite_->End();
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(10, 10), 255, 255, 255, 0));
    EXPECT_TRUE(ColourNear(Pixel(110, 10), 128, 128, 128, 1));

    // End puts the stage operations back, but not the texture factor.
    std::uint32_t v = 0;
    device_->GetTextureStageState(0, D3DTSS_ALPHAOP, &v);
    EXPECT_EQ(D3DTOP_SELECTARG1, v);
    device_->GetTextureStageState(0, D3DTSS_COLOROP, &v);
    EXPECT_EQ(D3DTOP_MODULATE, v);
    device_->GetRenderState(D3DRS_TEXTUREFACTOR, &v);
    EXPECT_EQ(0x80FFFFFFu, v);
    device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &v);
    EXPECT_EQ(0u, v);
}

// The stage card: a bracket without alpha blending, the blend preset switched off inside it, drawn with
// a half-transparent colour: opaque and untinted.
TEST_F(SpriteDrawing, StageCardIsOpaqueDespiteItsColour) {
    TexturePtr white = MakeTexture(SolidImage(32, 32, 0xFFFFFFFF));
    BeginFrame(0xFF0000FF);
    sprite_->Begin(D3DXSPRITE_SORT_TEXTURE);
    SetAlphaBlend(drawable_, false);
    DrawAt(white.get(), 0, 0, 1, 1, 0x80FFFFFF);
    sprite_->End();
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(10, 10), 255, 255, 255, 0));
}

TEST_F(SpriteDrawing, BracketPutsBackWhatItChanged) {
    SetCamera();
    Matrix world;
    MatrixTranslation(&world, 1, 2, 3);
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device_->SetRenderState(D3DRS_LIGHTING, 1);
    device_->SetRenderState(D3DRS_FOGENABLE, 1);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, 1);
    device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    TexturePtr before = MakeTexture(SolidImage(4, 4, 0xFFFFFFFF));
    TexturePtr picture = MakeTexture(SolidImage(4, 4, 0xFFFFFFFF));
    device_->SetTexture(0, before.get());

    ASSERT_EQ(S_OK, sprite_->Begin(D3DXSPRITE_ALPHABLEND));
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite_->Begin(D3DXSPRITE_ALPHABLEND));
    std::uint32_t v = 0;
    device_->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(D3DCULL_NONE, v);
    device_->GetRenderState(D3DRS_ALPHATESTENABLE, &v);
    EXPECT_EQ(1u, v);
    device_->GetSamplerState(0, D3DSAMP_MIPFILTER, &v);
    EXPECT_EQ(D3DTEXF_LINEAR, v);
    sprite_->Draw(picture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF);
    ASSERT_EQ(S_OK, sprite_->End());
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite_->End());
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite_->Draw(picture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF));

    device_->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(D3DCULL_CW, v);
    device_->GetRenderState(D3DRS_LIGHTING, &v);
    EXPECT_EQ(1u, v);
    device_->GetRenderState(D3DRS_FOGENABLE, &v);
    EXPECT_EQ(1u, v);
    device_->GetRenderState(D3DRS_ALPHATESTENABLE, &v);
    EXPECT_EQ(0u, v);
    device_->GetSamplerState(0, D3DSAMP_MIPFILTER, &v);
    EXPECT_EQ(D3DTEXF_NONE, v);
    device_->GetSamplerState(0, D3DSAMP_ADDRESSU, &v);
    EXPECT_EQ(D3DTADDRESS_WRAP, v);
    EXPECT_EQ(before.get(), device_->GetTexture(0));
    Matrix m;
    device_->GetTransform(D3DTS_WORLD, &m);
    EXPECT_FLOAT_EQ(2.0f, m._42);
}

bool SameMatrix(const Matrix& a, const Matrix& b) {
    for (int i = 0; i < 16; ++i) {
        if (a.Data()[i] != b.Data()[i]) return false;
    }
    return true;
}

// Pictures are drawn in screen pixels without touching the camera: inside a bracket the device still
// answers the matrices the game set (the crosshairs project through them there), and a 3D
// square drawn between two brackets and after them lands where the camera puts it.
TEST_F(SpriteDrawing, TheCameraStaysTheGamesInsideAndAfterABracket) {
    SetCamera();
    Matrix world, view, projection;
    MatrixTranslation(&world, 0.5f, 0, 0);
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->GetTransform(D3DTS_VIEW, &view);
    device_->GetTransform(D3DTS_PROJECTION, &projection);
    TexturePtr white = MakeTexture(SolidImage(32, 32, 0xFFFFFFFF));
    MeshPtr square = MakeSquare(-0.5f, 0, 10, 1);

    for (std::uint32_t flags : {D3DXSPRITE_ALPHABLEND, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_DONOTSAVESTATE}) {
        BeginFrame();
        ASSERT_EQ(S_OK, sprite_->Begin(flags));
        DrawAt(white.get(), 10, 10, 1, 1, 0xFFFF0000);
        Matrix m;
        device_->GetTransform(D3DTS_WORLD, &m);
        EXPECT_TRUE(SameMatrix(world, m)) << flags;
        device_->GetTransform(D3DTS_VIEW, &m);
        EXPECT_TRUE(SameMatrix(view, m)) << flags;
        device_->GetTransform(D3DTS_PROJECTION, &m);
        EXPECT_TRUE(SameMatrix(projection, m)) << flags;
        DrawAt(white.get(), 700, 500, 1, 1, 0xFF00FF00);
        sprite_->End();
        device_->SetRenderState(D3DRS_LIGHTING, 0);
        SetAlphaBlend(drawable_, false);
        device_->SetTexture(0, white.get());
        square->DrawSubset(0);
        EndFrame();

        // The square spans x -1..1 at depth 10 once the world's shift is applied.
        const Vector3 centre = Project(0, 0, 10), right = Project(1.2f, 0, 10);
        EXPECT_TRUE(ColourNear(Pixel(static_cast<int>(centre.x), static_cast<int>(centre.y)), 255, 255, 255, 0))
            << flags;
        EXPECT_TRUE(ColourNear(Pixel(static_cast<int>(right.x), static_cast<int>(right.y)), 0, 0, 0, 0)) << flags;
        EXPECT_TRUE(ColourNear(Pixel(20, 20), 255, 0, 0, 0)) << flags;
        EXPECT_TRUE(ColourNear(Pixel(710, 510), 0, 255, 0, 0)) << flags;
    }
}

TEST_F(SpriteDrawing, PortraitIsHalfTransparentAtItsPosition) {
    TexturePtr white = MakeTexture(SolidImage(64, 64, 0xFFFFFFFF));
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND);
    const Rect part{0, 0, 32, 16};
    DrawPortraitSprite(drawable_, white.get(), &part, Vector2{200, 100});
    sprite_->End();
    EndFrame();
    EXPECT_FLOAT_EQ(200.0f, drawable_.Transform()._41);
    const Image f = Frame();
    EXPECT_TRUE(ColourNear(f.At(200, 100), 128, 128, 128, 1));
    EXPECT_TRUE(ColourNear(f.At(231, 115), 128, 128, 128, 1));
    EXPECT_TRUE(ColourNear(f.At(232, 100), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(200, 116), 0, 0, 0, 0));
}

// Sprites lie at depth 0 and write it: 3D drawn afterwards behind them is hidden.
TEST_F(SpriteDrawing, SpritesWriteDepthZero) {
    TexturePtr white = MakeTexture(SolidImage(32, 32, 0xFFFFFFFF));
    SetCamera();
    MeshPtr square = MakeSquare(0, 0, 10, 5);
    BeginFrame();
    sprite_->Begin(D3DXSPRITE_ALPHABLEND);
    DrawAt(white.get(), 380, 280, 1, 1, 0xFF0000FF);
    sprite_->End();
    SetAlphaBlend(drawable_, false);
    device_->SetTexture(0, white.get());
    square->DrawSubset(0);
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(390, 290), 0, 0, 255, 0));
    EXPECT_TRUE(ColourNear(Pixel(450, 350), 255, 255, 255, 0));
}

}  // namespace

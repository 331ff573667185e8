// Texture stage operations: the texture factor, scrolling by the texture matrix, addressing.

#include <cmath>

#include "platform/gfx/vertex_buffer.h"
#include "render/render_presets.h"
#include "render_test_support.h"

using namespace platform;

namespace {

// Four columns: red, green, blue, white.
Image Columns() {
    Image image = SolidImage(4, 4, 0);
    const std::uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) image.argb[static_cast<std::size_t>(y) * 4 + x] = colours[x];
    }
    return image;
}

class DeviceTexturing : public DeviceTest {
protected:
    // A textured square over most of the screen, texture shown as it is (no lighting in the result).
    void DrawScreenSquare(Texture* texture) {
        SetCamera();
        if (!square_) square_ = MakeSquare(0, 0, 2, 0.8f);
        device_->SetTexture(0, texture);
        ASSERT_EQ(S_OK, square_->DrawSubset(0));
    }
    // Screen position of texture coordinate u in the middle row of the square.
    int ColumnX(float u) { return static_cast<int>(Project(-0.8f + 1.6f * u, 0, 2).x); }

    MeshPtr square_;
};

TEST_F(DeviceTexturing, TextureFactorHalvesAlpha) {
    TexturePtr white = MakeTexture(SolidImage(8, 8, 0xFFFFFFFF));
    BeginFrame();
    SetAlphaBlend(drawable_, true);
    SetTextureAlphaFactor(drawable_, 0x80FFFFFF);
    DrawScreenSquare(white.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 128, 128, 128, 1));

    // The factor and the operation stay for the next draw; a new factor takes effect at once.
    BeginFrame();
    SetTextureAlphaFactor(drawable_, 0x40FFFFFF);
    DrawScreenSquare(white.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 64, 64, 64, 1));
}

TEST_F(DeviceTexturing, TextureScrollShiftsTheSampledTexel) {
    TexturePtr columns = MakeTexture(Columns());
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    SetAlphaBlend(drawable_, false);
    const int x = ColumnX(0.125f);  // first column

    BeginFrame();
    DrawScreenSquare(columns.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(x, 300), 255, 0, 0, 0));

    Matrix scroll;
    MakeTextureScroll(&scroll, 0, 0);
    BeginFrame();
    SetTextureScroll(drawable_, 0.25f, 0.0f, &scroll);
    DrawScreenSquare(columns.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(x, 300), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(Pixel(ColumnX(0.875f), 300), 255, 0, 0, 0));  // wrapped round

    // The matrix stays set but is ignored while the flag is off.
    BeginFrame();
    device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    DrawScreenSquare(columns.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(x, 300), 255, 0, 0, 0));
}

TEST_F(DeviceTexturing, ClampedAddressingRepeatsTheEdgeTexel) {
    TexturePtr columns = MakeTexture(Columns());
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    SetAlphaBlend(drawable_, false);
    Matrix scroll;
    MakeTextureScroll(&scroll, 0, 0);
    BeginFrame();
    SetTextureScroll(drawable_, 0.5f, 0.0f, &scroll);
    DrawScreenSquare(columns.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(ColumnX(0.875f), 300), 255, 255, 255, 0));
}

TEST_F(DeviceTexturing, SecondStageModulatesTheFirst) {
    TexturePtr columns = MakeTexture(Columns());
    TexturePtr half = MakeTexture(SolidImage(4, 4, 0xFF808080));
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    SetAlphaBlend(drawable_, false);
    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device_->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
    device_->SetTexture(1, half.get());
    BeginFrame();
    DrawScreenSquare(columns.get());
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(ColumnX(0.125f), 300), 128, 0, 0, 1));
}

TEST_F(DeviceTexturing, QuadFromAVertexBuffer) {
    struct V {
        float x, y, z;
        std::uint32_t colour;
        float u, v;
    };
    VertexBufferPtr buffer;
    ASSERT_EQ(S_OK, device_->CreateVertexBuffer(4 * sizeof(V), 0, D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1,
                                                D3DPOOL_MANAGED, &buffer));
    void* data = nullptr;
    ASSERT_EQ(S_OK, buffer->Lock(0, 0, &data, 0));
    const V quad[4] = {{-1, 1, 4, 0xFFFFFFFF, 0, 0},
                       {1, 1, 4, 0xFFFFFFFF, 1, 0},
                       {-1, -1, 4, 0xFFFFFFFF, 0, 1},
                       {1, -1, 4, 0xFFFFFFFF, 1, 1}};
    std::memcpy(data, quad, sizeof quad);
    ASSERT_EQ(S_OK, buffer->Unlock());
    TexturePtr columns = MakeTexture(Columns());

    SetCamera();
    BeginFrame();
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    device_->SetTexture(0, columns.get());
    device_->SetStreamSource(0, buffer.get(), 0, sizeof(V));
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    ASSERT_EQ(S_OK, device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    // Past the end of the buffer.
    EXPECT_EQ(D3DERR_INVALIDCALL, device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2));
    EndFrame();
    const int x = static_cast<int>(Project(-1 + 2 * 0.625f, 0, 4).x);  // third column
    // Vertex colour white modulated by the texture.
    EXPECT_TRUE(ColourNear(Pixel(x, 300), 0, 0, 255, 0));
}

TEST_F(DeviceTexturing, DestroyedTextureUnbindsItself) {
    TexturePtr texture = MakeTexture(SolidImage(4, 4, 0xFFFFFFFF));
    device_->SetTexture(0, texture.get());
    texture.reset();
    EXPECT_EQ(nullptr, device_->GetTexture(0));
    // A texture that outlives its device lets go quietly.
    TexturePtr survivor = MakeTexture(SolidImage(4, 4, 0xFFFFFFFF));
    sprite_.reset();
    device_.reset();
    EXPECT_EQ(nullptr, survivor->GetDevice());
    survivor.reset();
}

}  // namespace

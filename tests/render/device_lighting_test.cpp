// Lighting, culling and the stage-0 colour of untextured and textured meshes.

#include <cmath>

#include "platform/gfx/vertex_format.h"
#include "render/render_presets.h"
#include "render_test_support.h"

using namespace platform;

namespace {

class DeviceLighting : public DeviceTest {
protected:
    // The game's light and ambient, set once at load.
    void SetGameLight() {
        Light light;
        light.type = D3DLIGHT_DIRECTIONAL;
        light.diffuse = ColorValue{1, 1, 1, 0};
        const Vector3 dir{-0.5f, -0.5f, 1.0f};
        Vec3Normalize(&light.direction, &dir);
        ASSERT_EQ(S_OK, device_->SetLight(0, &light));
        ASSERT_EQ(S_OK, device_->LightEnable(0, true));
        device_->SetRenderState(D3DRS_LIGHTING, 1);
        device_->SetRenderState(D3DRS_AMBIENT, 0x00808080);
        device_->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
    }

    static Material Matte(float r, float g, float b, float a = 1.0f) {
        Material m;
        m.diffuse = ColorValue{r, g, b, a};
        m.ambient = m.diffuse;  // ambient factor 1
        return m;
    }
};

// The light falls on a face turned to the camera at cos = 1 / sqrt(1.5) = 0.8165.
constexpr double kCos = 0.816497;
constexpr double kAmbient = 128.0 / 255.0;

TEST_F(DeviceLighting, UntexturedMaterialUnderTheGameLight) {
    SetCamera();
    SetGameLight();
    MeshPtr square = MakeSquare(0, 0, 10, 1);
    BeginFrame();
    const Material m = Matte(0.4f, 0.2f, 0.1f);
    device_->SetMaterial(&m);
    // No texture: the stage's default texture-times-current passes the lit colour.
    ASSERT_EQ(S_OK, square->DrawSubset(0));
    EndFrame();
    auto expected = [](double c) { return static_cast<int>(std::lround(255.0 * c * (kAmbient + kCos))); };
    EXPECT_TRUE(ColourNear(Pixel(400, 300), expected(0.4), expected(0.2), expected(0.1), 2));
}

TEST_F(DeviceLighting, EmissiveAddsAndFacesWithoutNormalsGetOnlyAmbientAndEmissive) {
    SetCamera();
    SetGameLight();
    MeshPtr lit = MakeSquare(-2, 0, 10, 1);
    MeshPtr flat = MakeSquare(2, 0, 10, 1, /*withNormals=*/false);
    BeginFrame();
    Material m = Matte(0.4f, 0.2f, 0.1f);
    m.emissive = ColorValue{0.2f, 0.0f, 0.0f, 0.0f};
    device_->SetMaterial(&m);
    lit->DrawSubset(0);
    flat->DrawSubset(0);
    EndFrame();
    const Vector3 left = Project(-2, 0, 10), right = Project(2, 0, 10);
    const int litRed = static_cast<int>(std::lround(255.0 * (0.2 + 0.4 * (kAmbient + kCos))));
    EXPECT_TRUE(ColourNear(Pixel(static_cast<int>(left.x), static_cast<int>(left.y)), litRed,
                           static_cast<int>(std::lround(255.0 * 0.2 * (kAmbient + kCos))),
                           static_cast<int>(std::lround(255.0 * 0.1 * (kAmbient + kCos))), 2));
    EXPECT_TRUE(ColourNear(Pixel(static_cast<int>(right.x), static_cast<int>(right.y)),
                           static_cast<int>(std::lround(255.0 * (0.2 + 0.4 * kAmbient))),
                           static_cast<int>(std::lround(255.0 * 0.2 * kAmbient)),
                           static_cast<int>(std::lround(255.0 * 0.1 * kAmbient)), 2));
}

TEST_F(DeviceLighting, CullingRemovesCounterClockwiseFacesByDefault) {
    SetCamera();
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    struct V {
        float x, y, z;
        std::uint32_t colour;
    };
    // Left: clockwise as seen on screen. Right: the same triangle wound the other way.
    const V clockwise[3] = {{-2, 1, 10, 0xFFFF0000}, {-1, -1, 10, 0xFFFF0000}, {-3, -1, 10, 0xFFFF0000}};
    const V counter[3] = {{2, 1, 10, 0xFF00FF00}, {1, -1, 10, 0xFF00FF00}, {3, -1, 10, 0xFF00FF00}};
    const Vector3 l = Project(-2, -0.5f, 10), r = Project(2, -0.5f, 10);
    auto drawBoth = [&](std::uint32_t cull) {
        BeginFrame();
        device_->SetRenderState(D3DRS_CULLMODE, cull);
        device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        EXPECT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, clockwise, sizeof(V)));
        EXPECT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counter, sizeof(V)));
        EndFrame();
        const Image f = Frame();
        return std::make_pair(f.At(static_cast<int>(l.x), static_cast<int>(l.y)),
                              f.At(static_cast<int>(r.x), static_cast<int>(r.y)));
    };
    auto [ccwLeft, ccwRight] = drawBoth(D3DCULL_CCW);
    EXPECT_TRUE(ColourNear(ccwLeft, 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(ccwRight, 0, 0, 0, 0));
    auto [noneLeft, noneRight] = drawBoth(D3DCULL_NONE);
    EXPECT_TRUE(ColourNear(noneLeft, 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(noneRight, 0, 255, 0, 0));
    auto [cwLeft, cwRight] = drawBoth(D3DCULL_CW);
    EXPECT_TRUE(ColourNear(cwLeft, 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(cwRight, 0, 255, 0, 0));
}

// The title screen's alpha-blend preset leaves stage 0 selecting the texture alone; every textured
// mesh drawn afterwards, through sprite brackets and frames, shows its texture unlit.
TEST_F(DeviceLighting, SelectTextureLeftByAlphaBlendPresetPersists) {
    SetCamera();
    SetGameLight();
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    TexturePtr texture = MakeTexture(SolidImage(16, 16, 0xFFC04020));
    MeshPtr square = MakeSquare(0, 0, 10, 1);
    const Material m = Matte(0.4f, 0.2f, 0.1f);

    BeginFrame();
    device_->SetMaterial(&m);
    device_->SetTexture(0, texture.get());
    square->DrawSubset(0);
    EndFrame();
    // Lit colour times texture.
    const double lit = kAmbient + kCos;
    EXPECT_TRUE(ColourNear(Pixel(400, 300), static_cast<int>(std::lround(0xC0 * 0.4 * lit)),
                           static_cast<int>(std::lround(0x40 * 0.2 * lit)),
                           static_cast<int>(std::lround(0x20 * 0.1 * lit)), 2));

    SetAlphaBlend(drawable_, false);
    sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    sprite_->End();
    BeginFrame();
    device_->SetTexture(0, texture.get());
    square->DrawSubset(0);
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 0xC0, 0x40, 0x20, 1));
}

// Under the same preset an untextured mesh keeps its lit colour and its material alpha.
TEST_F(DeviceLighting, UntexturedMaterialAlphaBlendsUnderSelectTexture) {
    SetCamera();
    SetGameLight();
    MeshPtr square = MakeSquare(0, 0, 10, 1);
    BeginFrame(0xFFFFFFFF);
    SetAlphaBlend(drawable_, true);
    device_->SetTexture(0, nullptr);
    const Material m = Matte(0, 0, 0, 0.3f);
    device_->SetMaterial(&m);
    square->DrawSubset(0);
    EndFrame();
    const int expected = static_cast<int>(std::lround(255.0 * 0.7));
    EXPECT_TRUE(ColourNear(Pixel(400, 300), expected, expected, expected, 2));
}

TEST_F(DeviceLighting, VertexColourIsTheDiffuseMaterialWhileLit) {
    // Quads with a vertex colour and no normals: only emissive and ambient light them, and the
    // vertex alpha is the lit alpha (colour-vertex with the diffuse source on the vertex colour).
    SetCamera();
    SetGameLight();
    Material m;
    m.emissive = ColorValue{0.0f, 0.5f, 0.0f, 0.0f};
    device_->SetMaterial(&m);
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    struct V {
        float x, y, z;
        std::uint32_t colour;
    };
    const V quad[4] = {
        {-1, 1, 10, 0x80FF0000}, {1, 1, 10, 0x80FF0000}, {-1, -1, 10, 0x80FF0000}, {1, -1, 10, 0x80FF0000}};
    BeginFrame(0xFF0000FF);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(V)));
    EndFrame();
    // Lit colour (0, 0.5, 0) with alpha 0x80 over blue.
    const double a = 128.0 / 255.0;
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 0, static_cast<int>(std::lround(127.5 * a)),
                           static_cast<int>(std::lround(255 * (1 - a))), 2));
}

TEST_F(DeviceLighting, StatesStartAtTheirDefaults) {
    std::uint32_t v = 0;
    device_->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(D3DCULL_CCW, v);
    device_->GetRenderState(D3DRS_ZFUNC, &v);
    EXPECT_EQ(D3DCMP_LESSEQUAL, v);
    device_->GetRenderState(D3DRS_LIGHTING, &v);
    EXPECT_EQ(1u, v);
    device_->GetRenderState(D3DRS_TEXTUREFACTOR, &v);
    EXPECT_EQ(0xFFFFFFFFu, v);
    device_->GetTextureStageState(0, D3DTSS_COLOROP, &v);
    EXPECT_EQ(D3DTOP_MODULATE, v);
    device_->GetTextureStageState(1, D3DTSS_COLOROP, &v);
    EXPECT_EQ(D3DTOP_DISABLE, v);
    device_->GetSamplerState(0, D3DSAMP_MIPFILTER, &v);
    EXPECT_EQ(D3DTEXF_NONE, v);
    device_->GetSamplerState(0, D3DSAMP_ADDRESSU, &v);
    EXPECT_EQ(D3DTADDRESS_WRAP, v);
    Viewport vp;
    device_->GetViewport(&vp);
    EXPECT_EQ(800u, vp.width);
    EXPECT_EQ(600u, vp.height);
    // A viewport past the back buffer is refused and the old one stays.
    Viewport wide{0, 0, 801, 600, 0, 1};
    EXPECT_EQ(D3DERR_INVALIDCALL, device_->SetViewport(&wide));
    device_->GetViewport(&vp);
    EXPECT_EQ(800u, vp.width);
}

}  // namespace

// Drawing straight into an 800 x 600 window against drawing off screen and copying: the same scene gives
// the same pixels either way (but for a rare blended pixel's rounding), before and after it is presented.

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/math.h"
#include "render_test_support.h"

using namespace platform;

namespace {

struct ColourVertex {
    float x, y, z;
    std::uint32_t colour;
};

class DeviceWindowTarget : public DeviceTest {
protected:
    // Tears the fixture's device down and makes one on the same window with the given options.
    void Remake(const DeviceOptions& options) {
        sprite_.reset();
        device_.reset();
        PresentParameters pp;
        pp.backBufferWidth = 800;
        pp.backBufferHeight = 600;
        device_ = Device::Create(TestWindow(), pp, options);
        ASSERT_NE(nullptr, device_);
        ASSERT_EQ(S_OK, CreateSprite(device_.get(), &sprite_));
    }

    // Lit, textured, fogged, blended by source alpha and added, stencilled and depth tested: every stage
    // of the pixel path the game uses that depends on the buffer it draws into.
    void DrawScene() {
        BeginFrame(0x40203040u);
        SetCamera();
        Image checker = SolidImage(64, 64, 0xFFFFFFFFu);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if ((x / 8 + y / 8) % 2) checker.argb[static_cast<std::size_t>(y) * 64 + x] = 0x80C04010u;
        TexturePtr texture = MakeTexture(checker);
        MeshPtr square = MakeSquare(0.3f, 0.2f, 6.0f, 2.0f);
        device_->SetRenderState(D3DRS_LIGHTING, 1);
        device_->SetRenderState(D3DRS_AMBIENT, 0x00303030u);
        device_->LightEnable(0, true);
        device_->SetRenderState(D3DRS_FOGENABLE, 1);
        device_->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
        device_->SetRenderState(D3DRS_FOGCOLOR, 0x00406080u);
        device_->SetRenderState(D3DRS_FOGSTART, FloatBits(2.0f));
        device_->SetRenderState(D3DRS_FOGEND, FloatBits(12.0f));
        device_->SetRenderState(D3DRS_STENCILENABLE, 1);
        device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
        device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
        device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
        device_->SetTexture(0, texture.get());
        ASSERT_EQ(S_OK, square->DrawSubset(0));

        // Where the square went, a second layer blends over it.
        device_->SetTexture(0, nullptr);
        device_->SetRenderState(D3DRS_LIGHTING, 0);
        device_->SetRenderState(D3DRS_FOGENABLE, 0);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
        device_->SetRenderState(D3DRS_STENCILREF, 1);
        device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        device_->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
        device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
        device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        const ColourVertex band[4] = {
            {-3, 1, 5, 0x9000FF80u}, {3, 1, 5, 0x20FF0080u}, {-3, -1, 5, 0x90FF8000u}, {3, -1, 5, 0x2000FFFFu}};
        ASSERT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, band, sizeof(ColourVertex)));
        // Then added everywhere, across the square's edge.
        device_->SetRenderState(D3DRS_STENCILENABLE, 0);
        device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
        device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        const ColourVertex glow[3] = {{-4, -3, 4, 0x00402010u}, {0, 3, 4, 0x80103050u}, {4, -3, 4, 0xFF205000u}};
        ASSERT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, glow, sizeof(ColourVertex)));
        device_->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);

        // And a picture through the sprite object, in screen pixels.
        const Image gradient = [] {
            Image g = SolidImage(32, 32, 0);
            for (int i = 0; i < 32 * 32; ++i)
                g.argb[static_cast<std::size_t>(i)] = 0x10000000u * (i % 16) | 0x00FF8040u;
            return g;
        }();
        TexturePtr picture = MakeTexture(gradient);
        ASSERT_EQ(S_OK, sprite_->Begin(D3DXSPRITE_ALPHABLEND));
        Matrix scale;
        const Vector2 s{5.3f, 2.7f}, at{101.0f, 403.0f};
        MatrixTransformation2D(&scale, &s, &at);
        sprite_->SetTransform(&scale);
        ASSERT_EQ(S_OK, sprite_->Draw(picture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFFu));
        ASSERT_EQ(S_OK, sprite_->End());
        EndFrame();
    }

    // The scene's pixels: as drawn, then as read back once presented.
    void DrawAndRead(Image* drawn, Image* presented) {
        DrawScene();
        ASSERT_EQ(S_OK, device_->GetBackBufferImage(drawn));
        ASSERT_EQ(S_OK, device_->Present());
        ASSERT_EQ(S_OK, device_->GetBackBufferImage(presented));
    }
};

struct Difference {
    int pixels = 0;
    int largest = 0;  // in any one channel, 0 to 255
};

Difference Compare(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return {a.width * a.height + 1, 255};
    Difference d;
    for (std::size_t i = 0; i < a.argb.size(); ++i) {
        if (a.argb[i] == b.argb[i]) continue;
        ++d.pixels;
        for (int shift = 0; shift < 32; shift += 8) {
            const int ca = static_cast<int>((a.argb[i] >> shift) & 0xFF);
            const int cb = static_cast<int>((b.argb[i] >> shift) & 0xFF);
            d.largest = std::max(d.largest, std::abs(ca - cb));
        }
    }
    return d;
}

TEST_F(DeviceWindowTarget, AWindowOfThePresentationSizeIsDrawnIntoDirectlyUnlessTheCopyIsAskedFor) {
    EXPECT_TRUE(device_->DrawsToWindow());
    ASSERT_EQ(S_OK, device_->Present());
    EXPECT_TRUE(device_->DrawsToWindow());  // chosen again at every present
    PresentParameters pp;
    ASSERT_EQ(S_OK, device_->Reset(pp));
    EXPECT_TRUE(device_->DrawsToWindow());

    DeviceOptions copy;
    copy.offScreenOnly = true;
    Remake(copy);
    EXPECT_FALSE(device_->DrawsToWindow());
    ASSERT_EQ(S_OK, device_->Present());
    EXPECT_FALSE(device_->DrawsToWindow());
}

TEST_F(DeviceWindowTarget, TheSameSceneGivesTheSamePixelsDrawnDirectlyOrOffScreen) {
    ASSERT_TRUE(device_->DrawsToWindow());
    Image direct, directPresented;
    DrawAndRead(&direct, &directPresented);

    DeviceOptions copy;
    copy.offScreenOnly = true;
    Remake(copy);
    Image offScreen, offScreenPresented;
    DrawAndRead(&offScreen, &offScreenPresented);

    // The scene is not trivially empty: the clear, the square and the blended band all show.
    int cleared = 0;
    for (std::uint32_t p : offScreen.argb) cleared += p == 0xFF203040u;
    EXPECT_GT(cleared, 50000);
    EXPECT_LT(cleared, 470000);
    // The window's buffer keeps its channels in another order than the off-screen one, and the software
    // renderer's blending rounds a rare pixel by one differently there; nothing else may differ.
    const Difference drawn = Compare(direct, offScreen);
    EXPECT_LE(drawn.largest, 1);
    EXPECT_LE(drawn.pixels, 20);
    const Difference presented = Compare(directPresented, offScreenPresented);
    EXPECT_LE(presented.largest, 1);
    EXPECT_LE(presented.pixels, 20);
    // Presenting leaves what was drawn to be read back, either way.
    EXPECT_EQ(0, Compare(direct, directPresented).pixels);
    EXPECT_EQ(0, Compare(offScreen, offScreenPresented).pixels);
}

TEST_F(DeviceWindowTarget, ANewWindowBufferStartsClearedAsANewOffScreenBufferDoes) {
    // Nothing drawn yet: both read back black.
    Image fresh;
    ASSERT_EQ(S_OK, device_->GetBackBufferImage(&fresh));
    ASSERT_EQ(800 * 600, static_cast<int>(fresh.argb.size()));
    int black = 0;
    for (std::uint32_t p : fresh.argb) black += p == 0xFF000000u;
    EXPECT_EQ(800 * 600, black);
}

TEST_F(DeviceWindowTarget, PixelsReadWithAlphaKeepWhatWasDrawn) {
    BeginFrame(0x40102030u);
    EndFrame();
    Image withAlpha, opaque;
    ASSERT_EQ(S_OK, device_->GetBackBufferPixels(&withAlpha));
    ASSERT_EQ(S_OK, device_->GetBackBufferImage(&opaque));
    EXPECT_EQ(0x40102030u, withAlpha.At(400, 300));
    EXPECT_EQ(0xFF102030u, opaque.At(400, 300));
}

}  // namespace

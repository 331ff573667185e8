#include "render_test_support.h"

#include <cmath>
#include <numbers>

#include "platform/gfx/math.h"

using namespace platform;

WindowHandle TestWindow() {
    static WindowHandle window = [] {
        InitVideo();
        return CreateMainWindow("korvex render tests", 800, 600, false);
    }();
    return window;
}

Image SolidImage(int width, int height, std::uint32_t argb) {
    Image image;
    image.width = width;
    image.height = height;
    image.argb.assign(static_cast<std::size_t>(width) * height, argb);
    return image;
}

::testing::AssertionResult ColourNear(std::uint32_t actual, int r, int g, int b, int tolerance) {
    if (std::abs(Red(actual) - r) <= tolerance && std::abs(Green(actual) - g) <= tolerance &&
        std::abs(Blue(actual) - b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "colour (" << Red(actual) << ", " << Green(actual) << ", " << Blue(actual)
                                         << "), expected (" << r << ", " << g << ", " << b << ") +-" << tolerance;
}

void DeviceTest::SetUp() {
    ASSERT_NE(nullptr, TestWindow());
    PresentParameters pp;
    pp.backBufferWidth = 800;
    pp.backBufferHeight = 600;
    pp.windowed = false;
    device_ = Device::Create(TestWindow(), pp);
    ASSERT_NE(nullptr, device_);
    ASSERT_EQ(S_OK, CreateSprite(device_.get(), &sprite_));
    drawable_.Bind(device_.get(), sprite_.get(), TestWindow());
}

void DeviceTest::TearDown() {
    sprite_.reset();
    device_.reset();
}

Image DeviceTest::Frame() {
    Image frame;
    EXPECT_EQ(S_OK, device_->GetBackBufferImage(&frame));
    return frame;
}

std::uint32_t DeviceTest::Pixel(int x, int y) { return Frame().At(x, y); }

TexturePtr DeviceTest::MakeTexture(const Image& picture) {
    TexturePtr texture;
    EXPECT_EQ(S_OK, device_->CreateTexture(BuildMipChain(picture), &texture));
    return texture;
}

void DeviceTest::SetCamera() {
    Matrix view, projection;
    const Vector3 eye{0, 0, 0}, at{0, 0, 1}, up{0, 1, 0};
    MatrixLookAtLH(&view, &eye, &at, &up);
    MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
}

void DeviceTest::BeginFrame(std::uint32_t clearColour) {
    ASSERT_EQ(S_OK,
              device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, clearColour, 1.0f, 0));
    ASSERT_EQ(S_OK, device_->BeginScene());
}

void DeviceTest::EndFrame() { ASSERT_EQ(S_OK, device_->EndScene()); }

MeshPtr DeviceTest::MakeSquare(float x, float y, float z, float h, bool withNormals) {
    MeshData data;
    auto vertex = [&](float dx, float dy, float u, float v) {
        MeshVertex mv;
        mv.position = Vector3{x + dx, y + dy, z};
        mv.normal = Vector3{0, 0, -1};
        mv.u = u;
        mv.v = v;
        data.vertices.push_back(mv);
    };
    vertex(-h, h, 0, 0);   // top left
    vertex(h, h, 1, 0);    // top right
    vertex(h, -h, 1, 1);   // bottom right
    vertex(-h, -h, 0, 1);  // bottom left
    data.indices = {0, 1, 2, 0, 2, 3};
    data.subsets = {MeshSubset{0, 6}};
    data.materials.resize(1);
    data.hasNormals = withNormals;
    data.hasTextureCoords = true;
    MeshPtr mesh;
    EXPECT_EQ(S_OK, device_->CreateMesh(data, &mesh));
    return mesh;
}

Vector3 DeviceTest::Project(float x, float y, float z) {
    Matrix view, projection, world;
    Viewport viewport;
    device_->GetTransform(D3DTS_VIEW, &view);
    device_->GetTransform(D3DTS_PROJECTION, &projection);
    device_->GetViewport(&viewport);
    const Vector3 in{x, y, z};
    Vector3 out;
    Vec3Project(&out, &in, &viewport, &projection, &view, &world);
    return out;
}

void SetAlphaBlend(const Drawable& drawable, bool enable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, enable ? 1 : 0);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void SetTextureAlphaFactor(const Drawable& drawable, std::uint32_t argb) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_TEXTUREFACTOR, argb);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
}

void SetTextureScroll(const Drawable& drawable, float u, float v, Matrix* matrix) {
    Device* d = drawable.GetDevice();
    if (!d || !matrix) return;
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    matrix->_31 = u;
    matrix->_32 = v;
    d->SetTransform(D3DTS_TEXTURE0, matrix);
}

void SetFog(const Drawable& drawable, float start, float end, std::uint32_t colour, bool enable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_FOGENABLE, enable ? 1 : 0);
    d->SetRenderState(D3DRS_FOGCOLOR, colour);
    d->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_NONE);
    d->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    d->SetRenderState(D3DRS_RANGEFOGENABLE, 1);
    d->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    d->SetRenderState(D3DRS_FOGEND, FloatBits(end));
}

void SetStencilMark(const Drawable& drawable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_STENCILENABLE, 1);
    d->SetRenderState(D3DRS_STENCILREF, 2);
    d->SetRenderState(D3DRS_STENCILMASK, 0xFFFFFFFFu);
    d->SetRenderState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu);
    d->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    d->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    d->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    d->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
}

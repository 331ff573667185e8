// Named draw states: what a scope sets is what the device holds inside it, and everything is put back
// when it ends, nested scopes included.

#include "render/draw_state.h"
#include "render_test_support.h"

using namespace platform;

namespace {

std::uint32_t RenderState(const Device& device, RenderStateType type) {
    std::uint32_t value = 0;
    device.GetRenderState(type, &value);
    return value;
}

std::uint32_t StageState(const Device& device, TextureStageStateType type) {
    std::uint32_t value = 0;
    device.GetTextureStageState(0, type, &value);
    return value;
}

using DrawStateScope = DeviceTest;

TEST_F(DrawStateScope, SetsItsStateAndPutsBackWhatItFoundNestedOrNot) {
    Device& d = *device_;
    d.SetRenderState(D3DRS_TEXTUREFACTOR, 0x12345678u);
    d.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    const std::uint32_t cull = RenderState(d, D3DRS_CULLMODE);
    {
        ScopedDrawState outer(&d, draw_state::kAlphaBlend + draw_state::kTwoSided);
        EXPECT_EQ(1u, RenderState(d, D3DRS_ALPHABLENDENABLE));
        EXPECT_EQ(static_cast<std::uint32_t>(D3DCULL_NONE), RenderState(d, D3DRS_CULLMODE));
        EXPECT_EQ(static_cast<std::uint32_t>(D3DTOP_SELECTARG1), StageState(d, D3DTSS_ALPHAOP));
        {
            // A later setting of the same slot wins, and the inner scope restores the outer's value.
            ScopedDrawState inner(&d, draw_state::TextureFactor(0x80FFFFFFu));
            EXPECT_EQ(0x80FFFFFFu, RenderState(d, D3DRS_TEXTUREFACTOR));
            EXPECT_EQ(static_cast<std::uint32_t>(D3DTOP_MODULATE), StageState(d, D3DTSS_ALPHAOP));
        }
        EXPECT_EQ(0x12345678u, RenderState(d, D3DRS_TEXTUREFACTOR));
        EXPECT_EQ(static_cast<std::uint32_t>(D3DTOP_SELECTARG1), StageState(d, D3DTSS_ALPHAOP));
    }
    EXPECT_EQ(0u, RenderState(d, D3DRS_ALPHABLENDENABLE));
    EXPECT_EQ(cull, RenderState(d, D3DRS_CULLMODE));
    EXPECT_EQ(static_cast<std::uint32_t>(D3DTOP_SELECTARG2), StageState(d, D3DTSS_ALPHAOP));

    // Combining keeps one entry per slot.
    constexpr DrawState twice = draw_state::kOpaque + draw_state::kTranslucent;
    EXPECT_EQ(3u, twice.Settings().size());
    ScopedDrawState none(nullptr, draw_state::kOpaque);
}

}  // namespace

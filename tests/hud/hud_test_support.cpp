#include "hud/hud_test_support.h"

#include <cstdlib>
#include <numbers>

#include "platform/core/message_box.h"
#include "platform/gfx/math.h"

void HudTest::SetUp() {
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(KORVEX_DATA_DIR);
    platform::SetMessageBoxHook([this](const std::string& text, const std::string&) { messages_.push_back(text); });
    ASSERT_NO_FATAL_FAILURE(test_.Open("korvex hud tests"));

    // The game's camera: eye (0, 4, 0) looking at (0, 0, 20), a pi/4 field of view over 800 x 600.
    platform::Matrix view, projection;
    const platform::Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
    platform::MatrixLookAtLH(&view, &eye, &at, &up);
    platform::MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    device_->SetTransform(platform::D3DTS_VIEW, &view);
    device_->SetTransform(platform::D3DTS_PROJECTION, &projection);
    const platform::Viewport viewport{0, 0, 800, 600, 0.0f, 1.0f};
    device_->SetViewport(&viewport);

    console_.Bind(device_.get(), sprite_.get(), window_);
    sight_.Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(sight_.Load());
    ASSERT_TRUE(console_.Load());
    ASSERT_TRUE(messages_.empty()) << messages_.front();
}

void HudTest::TearDown() {
    test_.Close();
    platform::SetMessageBoxHook({});
    std::filesystem::current_path(previousDir_);
}

platform::Image HudTest::Frame() {
    platform::Image image;
    EXPECT_EQ(platform::S_OK, device_->GetBackBufferImage(&image));
    return image;
}

platform::Image HudTest::ConsoleFrame(const PlayerState& state, const std::function<void()>& between) {
    device_->Clear(0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device_->BeginScene();
    sprite_->Begin(platform::D3DXSPRITE_ALPHABLEND);
    console_.Step(clock_.Ticks(), state);
    if (between) between();
    console_.Draw();
    sprite_->End();
    device_->EndScene();
    clock_.Advance(kFrameMs);
    return Frame();
}

platform::Image HudTest::SightFrame() {
    device_->Clear(0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device_->BeginScene();
    sprite_->Begin(platform::D3DXSPRITE_ALPHABLEND);
    sight_.Draw();
    sprite_->End();
    device_->EndScene();
    return Frame();
}

int PixelDifference(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift : {16, 8, 0}) {
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

namespace {
constexpr int kTrace = 12;
}

int DifferingColumns(const platform::Image& a, const platform::Image& b, int y, int x0, int x1) {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += PixelDifference(a.At(x, y), b.At(x, y)) > kTrace;
    return n;
}

int FirstDifferingColumn(const platform::Image& a, const platform::Image& b, int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
        if (PixelDifference(a.At(x, y), b.At(x, y)) > kTrace) return x;
    }
    return -1;
}

int LastDifferingColumn(const platform::Image& a, const platform::Image& b, int y, int x0, int x1) {
    for (int x = x1 - 1; x >= x0; --x) {
        if (PixelDifference(a.At(x, y), b.At(x, y)) > kTrace) return x;
    }
    return -1;
}

#include "support/game_data_device.h"

#include "core/main_window.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "scenes/game_device_state.h"

#include <algorithm>

using namespace platform;

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

void GameDataDeviceTest::SetUp() {
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(KORVEX_DATA_DIR);
    SetMessageBoxHook([this](const std::string& text, const std::string&) { messages_.push_back(text); });
    ASSERT_NO_FATAL_FAILURE(test_.Open("korvex pixel tests"));
    MainWindowHandle = window_;
    ApplyGameDeviceState(device_.get());
    SetGameCamera(device_.get());
}

void GameDataDeviceTest::TearDown() {
    test_.Close();
    MainWindowHandle = nullptr;
    // A failed load posts the quit; take it so the next test starts clean.
    int code = 0;
    PumpMessages(&code);
    SetMessageBoxHook({});
    std::filesystem::current_path(previousDir_);
}

void GameDataDeviceTest::BeginFrame() {
    ASSERT_EQ(S_OK, device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u,
                                   1.0f, 0));
    ASSERT_EQ(S_OK, device_->BeginScene());
}

Image GameDataDeviceTest::EndFrame() {
    EXPECT_EQ(S_OK, device_->EndScene());
    return Screen();
}

Image GameDataDeviceTest::Screen() {
    Image image;
    EXPECT_EQ(S_OK, device_->GetBackBufferImage(&image));
    return image;
}

Vector3 GameDataDeviceTest::Project(float x, float y, float z) {
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

int GameDataDeviceTest::LitAround(const Image& frame, double x, double y, double z, int r) {
    const Vector3 at = Project(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    const int cx = static_cast<int>(at.x), cy = static_cast<int>(at.y);
    int lit = 0;
    for (int py = std::max(0, cy - r); py <= std::min(frame.height - 1, cy + r); ++py) {
        for (int px = std::max(0, cx - r); px <= std::min(frame.width - 1, cx + r); ++px) {
            lit += Brightness(frame.At(px, py)) > 30 ? 1 : 0;
        }
    }
    return lit;
}

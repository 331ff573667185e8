#include "scenes/game_flow_support.h"

#include <algorithm>
#include <filesystem>

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/device.h"
#include "platform/input/input_injection.h"

void GameFlowTest::SetUp() {
    const std::string error = harness_.Start(options_);
    ASSERT_TRUE(error.empty()) << error;
}

void GameFlowTest::TearDown() { harness_.Stop(); }

void GameFlowTest::Frame(const Keys& keys) { harness_.Frame(keys.down); }

void GameFlowTest::Idle(std::uint32_t ms) {
    const std::uint32_t until = clock_.Ticks() + ms;
    while (static_cast<std::int32_t>(until - clock_.Ticks()) > 0) Frame();
}

platform::Image GameFlowTest::Screen() {
    platform::Image image;
    framework_->Device()->GetBackBufferImage(&image);
    return image;
}

bool GameFlowTest::QuitPosted() {
    int code = -1;
    return platform::PumpMessages(&code);
}

int DifferentPixels(const platform::Image& a, const platform::Image& b) {
    if (a.width != b.width || a.height != b.height) return a.width * a.height + b.width * b.height;
    int n = 0;
    for (std::size_t i = 0; i < a.argb.size(); ++i) n += a.argb[i] != b.argb[i];
    return n;
}

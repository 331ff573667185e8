#include "scenes/game_flow_support.h"

#include <algorithm>
#include <filesystem>

#include "app/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/device.h"
#include "platform/input/input_injection.h"

int RecordingAudio::CountSound(int slot) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), slot));
}

void RecordingAudio::Clear() {
    tracks.clear();
    fades.clear();
    sounds.clear();
}

namespace {

// The game data in the working folder: the read-only folders linked, the files the game may write copied.
void ProvideGameData(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const fs::path data(KORVEX_DATA_DIR);
    for (const char* linked : {"t", "x", "m", "w"}) fs::create_directory_symlink(data / linked, folder / linked);
    for (const char* copied : {"KeyConfig.txt", "score.txt"}) fs::copy_file(data / copied, folder / copied);
}

}  // namespace

void GameFlowTest::SetUp() {
    ResetRegistry();
    workDir_ = std::make_unique<TempWorkDir>();
    ProvideGameData(workDir_->Path());
    platform::SetMessageBoxHook([this](const std::string& text, const std::string&) { messages_.push_back(text); });
    InstallSceneAudio(&audio_);
    ASSERT_TRUE(platform::InitVideo());
    window_ = platform::CreateMainWindow("KorvexSample", 800, 600, false);
    ASSERT_NE(window_, nullptr);
    platform::SetSystemJoysticksVisible(false);
    platform::ReleaseAllKeys();
    framework_ = std::make_unique<RenderFramework>();
    ASSERT_TRUE(platform::SUCCEEDED(framework_->CreateDevice(window_, true, 800, 600)));
    game_ = std::make_unique<GameApp>();
    framework_->InitInput(window_);
    ASSERT_TRUE(platform::SUCCEEDED(game_->Load(framework_->Device(), framework_->Sprite(), window_)));
    ASSERT_TRUE(messages_.empty()) << "a file of the game data failed to load: " << messages_.front();
    StartStageClock();
    int code = 0;
    while (platform::PumpMessages(&code)) {
    }
}

void GameFlowTest::TearDown() {
    platform::ReleaseAllKeys();
    game_.reset();
    framework_.reset();
    platform::ReleaseWindow(window_);
    InstallSceneAudio(nullptr);
    platform::SetMessageBoxHook({});
    workDir_.reset();
    ResetRegistry();
}

void GameFlowTest::Frame(const Keys& keys) {
    for (int k : keys.down) platform::InjectKey(k, true);
    framework_->RunFrame(game_.get(), 30);
    for (int k : keys.down) platform::InjectKey(k, false);
    clock_.Advance(kFrameMs);
}

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

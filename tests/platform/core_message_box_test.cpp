#include "platform/core/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/window.h"

namespace {

using platform::WindowHandle;

struct Shown {
    WindowHandle owner;
    bool ownerFullScreen;
    std::string text;
};

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::InitVideo());
        platform::SetMessageBoxBackend([this](WindowHandle owner, const std::string& text, const std::string&) {
            shown.push_back({owner, platform::IsFullScreen(owner), text});
        });
    }
    void TearDown() override {
        platform::SetMessageBoxBackend({});
        platform::SetMessageBoxHook({});
        for (WindowHandle w : windows) platform::ReleaseWindow(w);
        platform::ShutdownVideo();
    }
    WindowHandle Window(bool fullScreen) {
        WindowHandle w = platform::CreateMainWindow("KorvexSample", 800, 600, fullScreen);
        EXPECT_NE(w, nullptr);
        windows.push_back(w);
        return w;
    }

    std::vector<WindowHandle> windows;
    std::vector<Shown> shown;
};

TEST_F(MessageBoxTest, ABoxWithNoOwnerStandsOverTheMainWindow) {
    WindowHandle main = Window(false);
    platform::MessageBox(nullptr, "読み込めません", "エラー");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, main);
    EXPECT_EQ(shown[0].text, "読み込めません");
}

TEST_F(MessageBoxTest, TheGivenOwnerReachesTheBoxAndAFullScreenOwnerLeavesFullScreenFirst) {
    WindowHandle main = Window(true);
    if (!platform::IsFullScreen(main)) GTEST_SKIP() << "this video driver has no full screen";
    platform::MessageBox(main, "xロスト", "メッセージ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, main);
    EXPECT_FALSE(shown[0].ownerFullScreen) << "the box would be hidden behind the full-screen picture";
    EXPECT_FALSE(platform::IsFullScreen(main));
}

TEST_F(MessageBoxTest, AHiddenWindowCarriesNoBoxAndNoWindowAtAllLeavesItAlone) {
    platform::MessageBox(nullptr, "a", "b");
    WindowHandle main = Window(false);
    platform::DestroyWindow(main);
    platform::MessageBox(main, "c", "d");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[1].owner, nullptr);
}

TEST_F(MessageBoxTest, ReleasingTheMainWindowForgetsIt) {
    WindowHandle main = Window(false);
    EXPECT_EQ(platform::CurrentMainWindow(), main);
    platform::ReleaseWindow(main);
    windows.clear();
    EXPECT_EQ(platform::CurrentMainWindow(), nullptr);
}

TEST_F(MessageBoxTest, TheTestHookTakesTheBoxBeforeAnythingIsShown) {
    Window(false);
    std::vector<std::string> hooked;
    platform::SetMessageBoxHook([&](const std::string& text, const std::string&) { hooked.push_back(text); });
    platform::MessageBox(nullptr, "e", "f");
    EXPECT_EQ(hooked, std::vector<std::string>{"e"});
    EXPECT_TRUE(shown.empty());
}

}  // namespace

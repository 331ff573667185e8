#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

#include "app/main_loop.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/window.h"

namespace {

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        ASSERT_NE(window, nullptr);
        int code = 0;
        while (platform::PumpMessages(&code)) {
        }
    }
    void TearDown() override {
        platform::ReleaseWindow(window);
        platform::ShutdownVideo();
    }

    int RunUntilQuit(void (*inject)()) {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        int frames = 0;
        LoopPorts ports;
        ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
        ports.minimisedOrHidden = [this] { return platform::IsWindowMinimisedOrHidden(window); };
        ports.runFrame = [&](std::uint32_t, std::int32_t) {
            if (++frames == 5) inject();
        };
        MainLoop loop;
        int code = -1;
        while (!loop.Pass(ports, &code) && frames < 1000) {
        }
        EXPECT_EQ(code, 0);
        return frames;
    }

    platform::WindowHandle window = nullptr;
};

}  // namespace

TEST_F(EventsTest, EscapeEndsTheLoopAfterTheCurrentPass) { EXPECT_EQ(RunUntilQuit(platform::PushEscapeKey), 5); }

TEST_F(EventsTest, CloseRequestEndsTheLoop) { EXPECT_EQ(RunUntilQuit(platform::PushCloseRequest), 5); }

TEST_F(EventsTest, PostedQuitIsTakenOnceWithItsCode) {
    platform::PostQuitMessage(3);
    int code = -1;
    EXPECT_TRUE(platform::PumpMessages(&code));
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(platform::PumpMessages(&code));
}

TEST_F(EventsTest, DestroyedWindowCountsAsHiddenAndRunsNoFrame) {
    EXPECT_FALSE(platform::IsWindowMinimisedOrHidden(window));
    platform::DestroyWindow(window);
    EXPECT_TRUE(platform::IsWindowDestroyed(window));
    EXPECT_TRUE(platform::IsWindowMinimisedOrHidden(window));
}

TEST_F(EventsTest, ATerminationRequestQuitsOnceThenTheSystemsRuleIsBack) {
    for (int signal : {SIGINT, SIGHUP}) ::signal(signal, SIG_DFL);  // as if not started under nohup
    platform::QuitOnTerminationSignals();
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        ASSERT_EQ(raise(signal), 0);
        int code = -1;
        EXPECT_TRUE(platform::PumpMessages(&code));
        EXPECT_EQ(code, 0);
        EXPECT_FALSE(platform::PumpMessages(&code));
        // A second request would end the process at once.
        struct sigaction now = {};
        ASSERT_EQ(sigaction(signal, nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
    }
}

TEST_F(EventsTest, AHangUpOrInterruptIgnoredAtStartStaysIgnored) {  // nohup, a background job
    for (int signal : {SIGHUP, SIGINT}) {
        ::signal(signal, SIG_IGN);
        platform::QuitOnTerminationSignals();
        EXPECT_FALSE(raise(signal) != 0 || platform::PumpMessages(nullptr)) << signal;
        EXPECT_EQ(::signal(signal, SIG_DFL), SIG_IGN) << signal;
    }
}

TEST_F(EventsTest, F11AndAltEnterSwitchBetweenFullScreenAndTheWindowAndEnterAloneDoesNot) {
    auto press = [this](platform::WindowKey key) {
        platform::PushWindowKey(key);
        int code = 0;
        EXPECT_FALSE(platform::PumpMessages(&code));
        return platform::IsFullScreen(window);
    };
    EXPECT_FALSE(press(platform::WindowKey::kEnter));
    if (!press(platform::WindowKey::kF11)) GTEST_SKIP() << "this video driver has no full screen";
    int width = 0, height = 0;
    platform::GetWindowedSize(window, &width, &height);
    EXPECT_EQ(width * 1000 + height, 800 * 1000 + 600);
    EXPECT_FALSE(press(platform::WindowKey::kAltEnter));
    EXPECT_TRUE(press(platform::WindowKey::kAltEnter));
}

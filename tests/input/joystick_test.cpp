#include "input/joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/input/input_injection.h"
#include "support/temp_dir.h"

namespace {

using platform::JoystickState;

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        ASSERT_NE(window, nullptr);
        platform::SetSystemJoysticksVisible(false);
        platform::SetMessageBoxHook(
            [this](const std::string& text, const std::string& caption) { boxes.push_back(caption + "|" + text); });
    }
    void TearDown() override {
        platform::SetMessageBoxHook({});
        platform::DetachSyntheticJoystick();
        platform::SetSyntheticJoystickState({});
        platform::SetSystemJoysticksVisible(true);
        platform::OverrideInputForeground(std::nullopt);
        platform::ReleaseWindow(window);
        platform::ShutdownVideo();
    }

    // A joystick whose configuration is the given text, with the synthetic pad attached.
    std::unique_ptr<Joystick> Configured(const std::string& keyConfig) {
        dir.WriteFile("KeyConfig.txt", keyConfig);
        auto joystick = std::make_unique<Joystick>();
        platform::AttachSyntheticJoystick();
        EXPECT_EQ(joystick->Init(window), 1);
        return joystick;
    }

    static void Set(std::int32_t x, std::int32_t y, std::vector<int> buttons = {}) {
        JoystickState s;
        s.x = x;
        s.y = y;
        for (int b : buttons) s.buttons[b] = 0x80;
        platform::SetSyntheticJoystickState(s);
    }

    static void PressAllButtons(std::int32_t x = 0, std::int32_t y = 0) {
        std::vector<int> all;
        for (int b = 0; b < 32; ++b) all.push_back(b);
        Set(x, y, all);
    }

    static InputState Poll(Joystick& j) {
        InputState s;
        j.Poll(&s);
        return s;
    }

    TempWorkDir dir;
    platform::WindowHandle window = nullptr;
    std::vector<std::string> boxes;
};

TEST_F(JoystickTest, NoJoystickAnswersZero) {
    dir.WriteFile("KeyConfig.txt", "0,1,2\n");
    Joystick joystick;
    EXPECT_EQ(joystick.Init(window), 0);
    EXPECT_EQ(Poll(joystick), InputState{});
}

TEST_F(JoystickTest, EachDirectionAndConfiguredButton) {
    auto j = Configured("3,7,9\n");
    Set(0, -1000);
    EXPECT_EQ(Poll(*j), (InputState{1, 0, 0, 0, 0, 0, 0}));
    Set(0, 1000);
    EXPECT_EQ(Poll(*j), (InputState{0, 2, 0, 0, 0, 0, 0}));
    Set(1000, 0);
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 3, 0, 0, 0, 0}));
    Set(-1000, 0);
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 4, 0, 0, 0}));
    Set(0, 0, {3});
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 0, 5, 0, 0}));
    Set(0, 0, {7});
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 0, 0, 6, 0}));
    Set(0, 0, {9});
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 0, 0, 0, 7}));
    Set(0, 0);
    for (int i = 0; i < 4; ++i) Poll(*j);  // lets the button-1 counter run out
    Set(-1000, 1000, {3, 7, 9});
    EXPECT_EQ(Poll(*j), (InputState{0, 2, 0, 4, 5, 6, 7}));
}

TEST_F(JoystickTest, OnlyTheExactEndOfTheRangeCounts) {
    auto j = Configured("0,1,2\n");
    for (std::int32_t v : {-999, -500, -1, 1, 500, 999}) {
        Set(v, v);
        EXPECT_EQ(Poll(*j), InputState{}) << v;
    }
}

TEST_F(JoystickTest, AtMostOneVerticalAndOneHorizontalDirection) {
    auto j = Configured("0,1,2\n");
    for (std::int32_t y : {-1000, 1000}) {
        for (std::int32_t x : {-1000, 1000}) {
            Set(x, y);
            const InputState s = Poll(*j);
            EXPECT_EQ((s.up != 0) + (s.down != 0), 1);
            EXPECT_EQ((s.left != 0) + (s.right != 0), 1);
        }
    }
}

TEST_F(JoystickTest, ButtonOneRepeatsOnEveryFifthPollAndTheOthersEveryPoll) {
    auto j = Configured("0,1,2\n");
    Set(0, 0, {0, 1, 2});
    for (int poll = 0; poll < 16; ++poll) {
        const InputState s = Poll(*j);
        EXPECT_EQ(s.button1, poll % 5 == 0 ? 5 : 0) << "poll " << poll;
        EXPECT_EQ(s.button2, 6);
        EXPECT_EQ(s.button3, 7);
    }
}

TEST_F(JoystickTest, AnUnpluggedPadReportsNothingUntilItIsBack) {
    auto j = Configured("0,1,2\n");
    Set(-1000, 0, {0, 1});
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 4, 5, 6, 0}));
    platform::DetachSyntheticJoystick();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Poll(*j), InputState{});
    // The polls that read nothing still count the button-1 repeat down.
    platform::AttachSyntheticJoystick();
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 4, 0, 6, 0}));
    EXPECT_EQ(Poll(*j), (InputState{0, 0, 0, 4, 5, 6, 0}));
}

TEST_F(JoystickTest, NothingIsReportedInTheBackground) {
    auto j = Configured("0,1,2\n");
    Set(1000, 1000, {1, 2});
    platform::OverrideInputForeground(false);
    EXPECT_EQ(Poll(*j), InputState{});
    EXPECT_EQ(Poll(*j), InputState{});
    platform::OverrideInputForeground(true);
    EXPECT_EQ(Poll(*j), (InputState{0, 2, 3, 0, 0, 6, 7}));
}

TEST_F(JoystickTest, ConfigurationFilesOfEveryShape) {
    struct Case {
        const char* text;
        InputState expected;  // with every button held
    };
    const Case cases[] = {
        {"0,1,2\n", {0, 0, 0, 0, 5, 6, 7}},
        {"0,,2\n", {0, 0, 0, 0, 5, 0, 0}},
        {"", {}},
        {"32,-1,31\n", {0, 0, 0, 0, 0, 0, 7}},
        {"4294967296,4294967297,1\n", {0, 0, 0, 0, 0, 0, 7}},
    };
    for (const Case& c : cases) {
        auto j = Configured(c.text);
        PressAllButtons();
        EXPECT_EQ(Poll(*j), c.expected) << '"' << c.text << '"';
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(JoystickTest, AMissingFileShowsTheMessageAndPostsTheQuit) {
    int code = -1;
    while (platform::PumpMessages(&code)) {
    }
    Joystick joystick;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "読み込めません|エラー");
    code = -1;
    EXPECT_TRUE(platform::PumpMessages(&code));
    EXPECT_EQ(code, 1) << "a start that fails ends the program with a failure";
    // Whatever runs after that, no button ever reports.
    platform::AttachSyntheticJoystick();
    ASSERT_EQ(joystick.Init(window), 1);
    PressAllButtons(1000, -1000);
    EXPECT_EQ(Poll(joystick), (InputState{1, 0, 3, 0, 0, 0, 0}));
}

TEST_F(JoystickTest, TheFileNameIsFoundWhateverItsCase) {
    dir.WriteFile("keyconfig.txt", "5,6,7\n");
    Joystick joystick;
    EXPECT_TRUE(boxes.empty());
    platform::AttachSyntheticJoystick();
    ASSERT_EQ(joystick.Init(window), 1);
    Set(0, 0, {6});
    EXPECT_EQ(Poll(joystick), (InputState{0, 0, 0, 0, 0, 6, 0}));
}

// A device that Linux lists as a joystick but that cannot fly the ship leaves the keyboard in charge.
TEST_F(JoystickTest, AReceiverWithNoStickLeavesTheKeyboard) {
    dir.WriteFile("KeyConfig.txt", "0,1,2\n");
    platform::SetSystemJoysticksVisible(true);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    if (SDL_NumJoysticks() > 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        GTEST_SKIP() << "a pad is attached to this machine and would be found";
    }
    struct Device {
        int axes, buttons, hats;
        int expected;
    };
    for (const Device& d : {Device{0, 8, 0, 0}, Device{2, 2, 0, 0}, Device{2, 3, 0, 1}, Device{0, 3, 1, 1}}) {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, d.axes, d.buttons, d.hats);
        ASSERT_GE(index, 0) << SDL_GetError();
        {
            Joystick joystick;
            EXPECT_EQ(joystick.Init(window), d.expected)
                << d.axes << " axes, " << d.buttons << " buttons, " << d.hats << " hats";
        }
        SDL_JoystickDetachVirtual(index);
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace

#include "input/keyboard.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/core/events.h"
#include "platform/core/window.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"

namespace {

struct Control {
    int dik;
    std::int32_t InputState::*field;
    std::int32_t code;
};

const Control kControls[] = {
    {platform::DIK_UP, &InputState::up, 1},       {platform::DIK_DOWN, &InputState::down, 2},
    {platform::DIK_RIGHT, &InputState::right, 3}, {platform::DIK_LEFT, &InputState::left, 4},
    {platform::DIK_Z, &InputState::button1, 5},   {platform::DIK_X, &InputState::button2, 6},
    {platform::DIK_C, &InputState::button3, 7},
};

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        ASSERT_NE(window, nullptr);
        keyboard.Init(window);
    }
    void TearDown() override {
        platform::OverrideInputForeground(std::nullopt);
        platform::ReleaseWindow(window);
        platform::ShutdownVideo();
    }

    InputState Poll() {
        InputState s;
        keyboard.Poll(&s);
        return s;
    }

    platform::WindowHandle window = nullptr;
    Keyboard keyboard;
};

TEST_F(KeyboardTest, EachKeyFillsOnlyItsOwnFieldWithItsCode) {
    for (const Control& c : kControls) {
        platform::ReleaseAllKeys();
        for (int i = 0; i < 5; ++i) Poll();  // lets the button-1 counter run out
        platform::InjectKey(c.dik, true);
        InputState expected;
        expected.*c.field = c.code;
        EXPECT_EQ(Poll(), expected) << "key " << c.dik;
    }
}

TEST_F(KeyboardTest, AllSevenTogetherAndUpWithDown) {
    for (const Control& c : kControls) platform::InjectKey(c.dik, true);
    EXPECT_EQ(Poll(), (InputState{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(KeyboardTest, OtherKeysChangeNothingAndReleasedFieldsAreLeftAlone) {
    for (int dik = 0; dik < platform::kKeyStateSize; ++dik) {
        bool inTable = false;
        for (const Control& c : kControls) inTable |= c.dik == dik;
        if (!inTable) platform::InjectKey(dik, true);
    }
    EXPECT_EQ(Poll(), InputState{});
    // The poll only adds: what the snapshot held before stays (the frame clears it first).
    InputState s{0, 9, 0, 9, 0, 9, 0};
    keyboard.Poll(&s);
    EXPECT_EQ(s, (InputState{0, 9, 0, 9, 0, 9, 0}));
}

TEST_F(KeyboardTest, ButtonOneHeldRepeatsOnEveryFifthPoll) {
    platform::InjectKey(platform::DIK_Z, true);
    for (int poll = 0; poll < 21; ++poll) {
        EXPECT_EQ(Poll().button1, poll % 5 == 0 ? 5 : 0) << "poll " << poll;
    }
}

TEST_F(KeyboardTest, ButtonOnePressedAgainTooSoonWaitsForTheCounter) {
    // Only polls count the repeat down; frames whose input is held back do not poll.
    platform::InjectKey(platform::DIK_Z, true);
    EXPECT_EQ(Poll().button1, 5);
    platform::InjectKey(platform::DIK_Z, false);
    EXPECT_EQ(Poll().button1, 0);
    platform::InjectKey(platform::DIK_Z, true);
    EXPECT_EQ(Poll().button1, 0);
    EXPECT_EQ(Poll().button1, 0);
    EXPECT_EQ(Poll().button1, 0);
    EXPECT_EQ(Poll().button1, 5);
}

TEST_F(KeyboardTest, ButtonsTwoAndThreeReportEveryPoll) {
    platform::InjectKey(platform::DIK_X, true);
    platform::InjectKey(platform::DIK_C, true);
    for (int poll = 0; poll < 12; ++poll) {
        const InputState s = Poll();
        EXPECT_EQ(s.button2, 6);
        EXPECT_EQ(s.button3, 7);
    }
}

TEST_F(KeyboardTest, KeyEventsFromTheSystemQueueReachTheSnapshot) {
    ASSERT_TRUE(platform::PushKeyEvent(platform::DIK_RIGHT, true));
    ASSERT_TRUE(platform::PushKeyEvent(platform::DIK_X, true));
    int code = 0;
    EXPECT_FALSE(platform::PumpMessages(&code));
    EXPECT_EQ(Poll(), (InputState{0, 0, 3, 0, 0, 6, 0}));
    ASSERT_TRUE(platform::PushKeyEvent(platform::DIK_RIGHT, false));
    platform::PumpMessages(&code);
    EXPECT_EQ(Poll(), (InputState{0, 0, 0, 0, 0, 6, 0}));
}

TEST_F(KeyboardTest, NothingIsReportedInTheBackground) {
    platform::InjectKey(platform::DIK_UP, true);
    platform::InjectKey(platform::DIK_X, true);
    ASSERT_EQ(Poll(), (InputState{1, 0, 0, 0, 0, 6, 0}));
    platform::OverrideInputForeground(false);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Poll(), InputState{});
    // Back in front: the first poll acquires the keyboard again, the next one reads it.
    platform::OverrideInputForeground(true);
    EXPECT_EQ(Poll(), InputState{});
    EXPECT_EQ(Poll(), (InputState{1, 0, 0, 0, 0, 6, 0}));
}

TEST(KeyboardWithoutInit, PollsReportNothing) {
    Keyboard keyboard;
    platform::InjectKey(platform::DIK_Z, true);
    InputState s;
    keyboard.Poll(&s);
    EXPECT_EQ(s, InputState{});
}

}  // namespace

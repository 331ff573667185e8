#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/core/events.h"
#include "platform/core/window.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "platform/input/keyboard_device.h"
#include "platform/input/scancode_table.h"

namespace {

using platform::InputResult;

TEST(InputScancodeTable, TheGamesKeysSitAtTheirPositions) {
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_UP), 200);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_DOWN), 208);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_RIGHT), 205);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_LEFT), 203);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_Z), 44);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_X), 45);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_C), 46);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_ESCAPE), platform::DIK_ESCAPE);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_KP_ENTER), platform::DIK_NUMPADENTER);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_RALT), platform::DIK_RMENU);
}

TEST(InputScancodeTable, CodesAndPositionsAgreeBothWays) {
    int mapped = 0;
    for (int dik = 0; dik < platform::kKeyStateSize; ++dik) {
        const int scancode = platform::ScancodeFromDik(dik);
        if (scancode == 0) continue;
        ++mapped;
        EXPECT_EQ(platform::DikFromScancode(scancode), dik) << "code " << dik;
    }
    EXPECT_GT(mapped, 120);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int dik = platform::DikFromScancode(scancode);
        EXPECT_TRUE(dik >= 0 && dik < platform::kKeyStateSize);
    }
    // No position and nonsense in, nothing out.
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_KP_HEXADECIMAL), 0);
    EXPECT_EQ(platform::DikFromScancode(-1), 0);
    EXPECT_EQ(platform::DikFromScancode(SDL_NUM_SCANCODES), 0);
    EXPECT_EQ(platform::ScancodeFromDik(0x54), 0);
    EXPECT_EQ(platform::ScancodeFromDik(300), 0);
}

class KeyboardDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        ASSERT_NE(window, nullptr);
        Pump();
    }
    void TearDown() override {
        platform::OverrideInputForeground(std::nullopt);
        platform::ReleaseWindow(window);
        platform::ShutdownVideo();
    }

    static void Pump() {
        int code = 0;
        while (platform::PumpMessages(&code)) {
        }
    }

    static void PushKey(SDL_Scancode scancode, SDL_Keycode sym, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = scancode;
        e.key.keysym.sym = sym;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    // How many keys are down.
    static int CountDown(const std::uint8_t (&keys)[platform::kKeyStateSize]) {
        int n = 0;
        for (std::uint8_t k : keys) n += (k & platform::kKeyDownBit) ? 1 : 0;
        return n;
    }

    platform::WindowHandle window = nullptr;
};

TEST_F(KeyboardDeviceTest, PushedKeyEventsReachTheStateOnceThePumpRuns) {
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);

    PushKey(SDL_SCANCODE_Z, SDLK_z, true);
    PushKey(SDL_SCANCODE_UP, SDLK_UP, true);
    Pump();
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_Z], 0x80);
    EXPECT_EQ(keys[platform::DIK_UP], 0x80);
    EXPECT_EQ(CountDown(keys), 2);

    PushKey(SDL_SCANCODE_Z, SDLK_z, false);
    Pump();
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_Z], 0);
    EXPECT_EQ(keys[platform::DIK_UP], 0x80);
}

TEST_F(KeyboardDeviceTest, TheKeyPositionCountsNotTheLayoutsLetter) {
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    // A German layout puts "y" where a US keyboard has Z.
    PushKey(SDL_SCANCODE_Z, SDLK_y, true);
    Pump();
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_Z], 0x80);
    EXPECT_EQ(keys[platform::DIK_Y], 0);
}

TEST_F(KeyboardDeviceTest, PushKeyEventGoesThroughTheSystemQueue) {
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    ASSERT_TRUE(platform::PushKeyEvent(platform::DIK_LEFT, true));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 1);
    Pump();
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_LEFT], 0x80);
    EXPECT_FALSE(platform::PushKeyEvent(0x54, true));  // no key has that code
}

TEST_F(KeyboardDeviceTest, LosingTheFocusReleasesEveryKey) {
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    PushKey(SDL_SCANCODE_X, SDLK_x, true);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
    Pump();
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(CountDown(keys), 0);
}

TEST_F(KeyboardDeviceTest, InTheBackgroundNothingIsReadUntilAcquiredAgain) {
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    platform::InjectKey(platform::DIK_C, true);

    platform::OverrideInputForeground(false);
    std::uint8_t keys[platform::kKeyStateSize] = {};
    EXPECT_EQ(keyboard.GetState(keys), InputResult::kInputLost);
    EXPECT_EQ(keyboard.GetState(keys), InputResult::kNotAcquired);
    EXPECT_EQ(keyboard.Acquire(), InputResult::kOtherAppHasPriority);
    EXPECT_EQ(CountDown(keys), 0);

    platform::OverrideInputForeground(true);
    EXPECT_EQ(keyboard.GetState(keys), InputResult::kNotAcquired);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_C], 0x80);
}

TEST_F(KeyboardDeviceTest, AHiddenWindowHasNoForeground) {
    platform::KeyboardDevice keyboard(window);
    platform::DestroyWindow(window);  // hides it
    EXPECT_EQ(keyboard.Acquire(), InputResult::kOtherAppHasPriority);
}

TEST_F(KeyboardDeviceTest, TwoDevicesShareTheKeysAndTheLastOneStopsFollowing) {
    auto first = std::make_unique<platform::KeyboardDevice>(window);
    {
        platform::KeyboardDevice second(window);
        ASSERT_EQ(second.Acquire(), InputResult::kOk);
        PushKey(SDL_SCANCODE_RIGHT, SDLK_RIGHT, true);
        Pump();
    }
    ASSERT_EQ(first->Acquire(), InputResult::kOk);
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(first->GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_RIGHT], 0x80);
    first.reset();

    // With no device the events are not followed: a new device starts from the system's own key state.
    PushKey(SDL_SCANCODE_DOWN, SDLK_DOWN, true);
    Pump();
    platform::KeyboardDevice third(window);
    ASSERT_EQ(third.Acquire(), InputResult::kOk);
    ASSERT_EQ(third.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_DOWN], 0);
    EXPECT_EQ(keys[platform::DIK_RIGHT], 0);
}

}  // namespace

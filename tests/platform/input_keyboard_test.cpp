#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
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

    // The key position counts, not the layout's letter: a German layout has "y" where Z is.
    PushKey(SDL_SCANCODE_Z, SDLK_y, true);
    PushKey(SDL_SCANCODE_UP, SDLK_UP, true);
    Pump();
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_Z], 0x80);
    EXPECT_EQ(keys[platform::DIK_UP], 0x80);
    EXPECT_EQ(CountDown(keys), 2);

    PushKey(SDL_SCANCODE_Z, SDLK_y, false);
    Pump();
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(keys[platform::DIK_Z], 0);
    EXPECT_EQ(keys[platform::DIK_UP], 0x80);
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

TEST_F(KeyboardDeviceTest, KeysAreFollowedOnlyWhileADeviceExists) {
    {
        platform::KeyboardDevice keyboard(window);
        PushKey(SDL_SCANCODE_RIGHT, SDLK_RIGHT, true);
        Pump();
    }
    PushKey(SDL_SCANCODE_DOWN, SDLK_DOWN, true);
    Pump();
    // A new device starts from the system's own key state, in which neither pushed key is down.
    platform::KeyboardDevice keyboard(window);
    ASSERT_EQ(keyboard.Acquire(), InputResult::kOk);
    std::uint8_t keys[platform::kKeyStateSize] = {};
    ASSERT_EQ(keyboard.GetState(keys), InputResult::kOk);
    EXPECT_EQ(CountDown(keys), 0);
}

}  // namespace

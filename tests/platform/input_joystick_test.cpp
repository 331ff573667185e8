#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/core/window.h"
#include "platform/input/axis_mapping.h"
#include "platform/input/input_injection.h"
#include "platform/input/joystick_device.h"
#include "platform/input/pad_controls.h"

namespace {

using platform::InputResult;
using platform::JoystickState;

TEST(InputAxisMapping, BothEndsOfTheRawRangeLandExactlyOnTheEndValues) {
    EXPECT_EQ(platform::ScaleAxis(-32768), -1000);
    EXPECT_EQ(platform::ScaleAxis(-32767), -1000);  // drivers that keep the range symmetric
    EXPECT_EQ(platform::ScaleAxis(32767), 1000);
    EXPECT_EQ(platform::ScaleAxis(0), 0);
    EXPECT_EQ(platform::ScaleAxis(-1), 0);
    // A stick short of its end stays short of it.
    EXPECT_LT(platform::ScaleAxis(32000), 1000);
    EXPECT_GT(platform::ScaleAxis(-32000), -1000);
    // Out of range in, clamped out.
    EXPECT_EQ(platform::ScaleAxis(100000), 1000);
    EXPECT_EQ(platform::ScaleAxis(-100000), -1000);
}

TEST(InputAxisMapping, TheScaleIsMonotonicAndSymmetric) {
    int previous = platform::ScaleAxis(-32768);
    for (int raw = -32767; raw <= 32767; ++raw) {
        const int v = platform::ScaleAxis(raw);
        ASSERT_GE(v, previous) << raw;
        ASSERT_LE(v - previous, 1) << raw;
        previous = v;
    }
    for (int raw = 0; raw <= 32767; raw += 7) {
        ASSERT_EQ(platform::ScaleAxis(raw), -platform::ScaleAxis(-raw - 1)) << raw;
    }
}

TEST(InputAxisMapping, ADirectionalPadPushesItsAxisToTheEnd) {
    JoystickState s;
    s.x = 300;
    s.y = -200;
    platform::ApplyDirectionalPad(false, false, false, false, &s);
    EXPECT_EQ(s.x, 300);
    EXPECT_EQ(s.y, -200);
    platform::ApplyDirectionalPad(true, false, false, true, &s);
    EXPECT_EQ(s.x, 1000);
    EXPECT_EQ(s.y, -1000);
    platform::ApplyDirectionalPad(false, true, true, false, &s);
    EXPECT_EQ(s.x, -1000);
    EXPECT_EQ(s.y, 1000);
    s.x = 5;
    s.y = 6;
    platform::ApplyDirectionalPad(true, true, true, true, &s);  // opposites cancel: the stick decides
    EXPECT_EQ(s.x, 5);
    EXPECT_EQ(s.y, 6);
}

TEST(InputPadControls, APadSteersAndHasThreeButtons) {
    using platform::CanServeAsPad;
    EXPECT_TRUE(CanServeAsPad({2, 0, 3, false}));
    EXPECT_TRUE(CanServeAsPad({0, 1, 3, false}));  // a directional pad on a hat
    EXPECT_TRUE(CanServeAsPad({0, 0, 15, true}));  // a controller with its pad on buttons
    EXPECT_TRUE(CanServeAsPad({6, 2, 32, true}));
    // A receiver, a sensor, a lone slider, a stick with too few buttons.
    EXPECT_FALSE(CanServeAsPad({0, 0, 0, false}));
    EXPECT_FALSE(CanServeAsPad({0, 0, 12, false}));
    EXPECT_FALSE(CanServeAsPad({6, 0, 0, false}));
    EXPECT_FALSE(CanServeAsPad({1, 0, 8, false}));
    EXPECT_FALSE(CanServeAsPad({2, 1, 2, true}));
}

class JoystickDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0);
    }
    void TearDown() override {
        for (SDL_Joystick* d : moreDrivers) SDL_JoystickClose(d);
        if (driver) SDL_JoystickClose(driver);
        // Later devices first, so that each index is still the one it was given.
        for (auto it = moreIndices.rbegin(); it != moreIndices.rend(); ++it) SDL_JoystickDetachVirtual(*it);
        if (virtualIndex >= 0) SDL_JoystickDetachVirtual(virtualIndex);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
        platform::DetachSyntheticJoystick();
        platform::SetSystemJoysticksVisible(true);
        platform::OverrideInputForeground(std::nullopt);
        platform::ReleaseWindow(window);
        platform::ShutdownVideo();
    }

    // A virtual pad of SDL's, driven through a handle of the test's own.
    void AttachVirtual(SDL_JoystickType type, int axes, int buttons, int hats) {
        if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a pad is attached to this machine and would be found first";
        virtualIndex = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        ASSERT_GE(virtualIndex, 0) << SDL_GetError();
        driver = SDL_JoystickOpen(virtualIndex);
        ASSERT_NE(driver, nullptr);
    }

    // Another virtual device after the first, listed after it.
    SDL_Joystick* AttachAnother(SDL_JoystickType type, int axes, int buttons, int hats) {
        const int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        EXPECT_GE(index, 0) << SDL_GetError();
        if (index < 0) return nullptr;
        moreIndices.push_back(index);
        SDL_Joystick* d = SDL_JoystickOpen(index);
        EXPECT_NE(d, nullptr);
        if (d) moreDrivers.push_back(d);
        return d;
    }

    JoystickState Read(platform::JoystickDevice& device) {
        EXPECT_EQ(device.Poll(), InputResult::kOk);
        JoystickState s;
        EXPECT_EQ(device.GetState(&s), InputResult::kOk);
        return s;
    }

    platform::WindowHandle window = nullptr;
    int virtualIndex = -1;
    SDL_Joystick* driver = nullptr;
    std::vector<int> moreIndices;
    std::vector<SDL_Joystick*> moreDrivers;
};

TEST_F(JoystickDeviceTest, DevicesThatCannotFlyTheShipAreNotTaken) {
    // A receiver that lists buttons and nothing to steer with, and a stick with only two buttons.
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 0, 4, 0);
    ASSERT_NE(AttachAnother(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0), nullptr);
    ASSERT_NE(AttachAnother(SDL_JOYSTICK_TYPE_UNKNOWN, 1, 10, 0), nullptr);
    EXPECT_EQ(platform::JoystickDevice::OpenFirst(window), nullptr);

    // A pad listed after them is the one found: a hat and three buttons are enough.
    SDL_Joystick* pad = AttachAnother(SDL_JOYSTICK_TYPE_UNKNOWN, 0, 3, 1);
    ASSERT_NE(pad, nullptr);
    SDL_JoystickSetVirtualButton(driver, 2, SDL_PRESSED);  // the receiver's button must not be read
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    SDL_JoystickSetVirtualHat(pad, 0, SDL_HAT_LEFT);
    SDL_JoystickSetVirtualButton(pad, 1, SDL_PRESSED);
    const JoystickState s = Read(*device);
    EXPECT_EQ(s.x, -1000);
    EXPECT_EQ(s.buttons[1], 0x80);
    EXPECT_EQ(s.buttons[2], 0);
}

TEST_F(JoystickDeviceTest, AControllerWithItsPadOnButtonsIsTaken) {
    // No axes and no hat: the controller layout puts the directional pad on raw buttons 11 to 14.
    AttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0, 15, 0);
    ASSERT_TRUE(SDL_IsGameController(virtualIndex));
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    SDL_JoystickSetVirtualButton(driver, 14, SDL_PRESSED);
    EXPECT_EQ(Read(*device).x, 1000);
}

TEST_F(JoystickDeviceTest, APlainJoysticksAxesHatAndButtons) {
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 12, 1);
    ASSERT_FALSE(SDL_IsGameController(virtualIndex));
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);

    JoystickState s = Read(*device);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);

    SDL_JoystickSetVirtualAxis(driver, 0, -32768);
    SDL_JoystickSetVirtualAxis(driver, 1, 32767);
    SDL_JoystickSetVirtualButton(driver, 9, SDL_PRESSED);
    s = Read(*device);
    EXPECT_EQ(s.x, -1000);
    EXPECT_EQ(s.y, 1000);
    EXPECT_EQ(s.buttons[9], 0x80);
    EXPECT_EQ(s.buttons[8], 0);

    // The hat steers like the stick pushed fully, over the stick.
    SDL_JoystickSetVirtualAxis(driver, 0, 0);
    SDL_JoystickSetVirtualAxis(driver, 1, 0);
    SDL_JoystickSetVirtualHat(driver, 0, SDL_HAT_RIGHTUP);
    s = Read(*device);
    EXPECT_EQ(s.x, 1000);
    EXPECT_EQ(s.y, -1000);

    SDL_JoystickSetVirtualHat(driver, 0, SDL_HAT_CENTERED);
    SDL_JoystickSetVirtualAxis(driver, 0, 30000);  // short of the end
    s = Read(*device);
    EXPECT_GT(s.x, 0);
    EXPECT_LT(s.x, 1000);
    EXPECT_EQ(s.y, 0);
}

TEST_F(JoystickDeviceTest, AGameControllersDirectionalButtonsBecomeTheAxes) {
    AttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    ASSERT_TRUE(SDL_IsGameController(virtualIndex));
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);

    // SDL's layout for a virtual controller: d-pad up, down, left, right are raw buttons 11 to 14.
    SDL_JoystickSetVirtualButton(driver, 11, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(driver, 13, SDL_PRESSED);
    JoystickState s = Read(*device);
    EXPECT_EQ(s.y, -1000);
    EXPECT_EQ(s.x, -1000);
    // The raw button numbers are still reported as they are.
    EXPECT_EQ(s.buttons[11], 0x80);
    EXPECT_EQ(s.buttons[13], 0x80);

    SDL_JoystickSetVirtualButton(driver, 11, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(driver, 13, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(driver, 0, 32767);   // left stick x
    SDL_JoystickSetVirtualAxis(driver, 1, -32768);  // left stick y
    s = Read(*device);
    EXPECT_EQ(s.x, 1000);
    EXPECT_EQ(s.y, -1000);
    EXPECT_EQ(s.buttons[11], 0);
}

TEST_F(JoystickDeviceTest, OnlyThirtyTwoButtonsAreRead) {
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 40, 0);
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    SDL_JoystickSetVirtualButton(driver, 31, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(driver, 35, SDL_PRESSED);
    const JoystickState s = Read(*device);
    EXPECT_EQ(s.buttons[31], 0x80);
    int down = 0;
    for (auto b : s.buttons) down += b ? 1 : 0;
    EXPECT_EQ(down, 1);
}

TEST_F(JoystickDeviceTest, AnUnpluggedPadLosesItsInput) {
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    SDL_JoystickClose(driver);
    driver = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(virtualIndex), 0);
    virtualIndex = -1;
    SDL_JoystickUpdate();
    EXPECT_EQ(device->Poll(), InputResult::kInputLost);
    JoystickState s;
    s.x = 77;
    EXPECT_EQ(device->GetState(&s), InputResult::kNotAcquired);
    EXPECT_EQ(s.x, 77);
    EXPECT_EQ(device->Acquire(), InputResult::kUnplugged);
}

TEST_F(JoystickDeviceTest, APadPluggedInAgainIsTakenUpByTheNextAcquire) {
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    auto device = platform::JoystickDevice::OpenFirst(window);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    SDL_JoystickClose(driver);
    driver = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(virtualIndex), 0);
    virtualIndex = -1;
    SDL_JoystickUpdate();
    EXPECT_EQ(device->Poll(), InputResult::kInputLost);
    EXPECT_EQ(device->Acquire(), InputResult::kUnplugged);
    // The same pad back: to the system it is a new device with a new handle.
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    SDL_JoystickSetVirtualAxis(driver, 0, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualButton(driver, 2, 1);
    SDL_JoystickUpdate();
    ASSERT_EQ(device->Acquire(), InputResult::kOk);
    const JoystickState s = Read(*device);
    EXPECT_EQ(s.x, platform::kJoystickAxisMax);
    EXPECT_EQ(s.buttons[2], platform::kButtonDownBit);
}

TEST_F(JoystickDeviceTest, TheSyntheticPadComesFirstAndCanHideTheSystems) {
    AttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    SDL_JoystickSetVirtualAxis(driver, 0, -32768);
    platform::AttachSyntheticJoystick();
    JoystickState wanted;
    wanted.x = 1000;
    wanted.buttons[3] = 0x80;
    platform::SetSyntheticJoystickState(wanted);
    {
        auto device = platform::JoystickDevice::OpenFirst(window);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(device->Acquire(), InputResult::kOk);
        const JoystickState s = Read(*device);
        EXPECT_EQ(s.x, 1000);
        EXPECT_EQ(s.buttons[3], 0x80);
    }
    platform::DetachSyntheticJoystick();
    platform::SetSystemJoysticksVisible(false);
    EXPECT_EQ(platform::JoystickDevice::OpenFirst(window), nullptr);
}

}  // namespace

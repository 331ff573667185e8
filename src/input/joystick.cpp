#include "input/joystick.h"

#include <fstream>
#include <iterator>
#include <string>

#include "input/button_repeat.h"
#include "platform/core/events.h"
#include "platform/core/game_path.h"
#include "platform/core/message_box.h"

Joystick::Joystick() {
    std::ifstream file(platform::ResolveGamePath("KeyConfig.txt"), std::ios::binary);
    if (!file) {
        platform::MessageBox(nullptr, "エラー", "読み込めません");
        // The buttons stay unmapped; the program ends when the main loop takes the quit, before any frame.
        platform::PostQuitMessage(1);
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    buttons_ = ParseKeyConfig(text);
}

Joystick::~Joystick() {
    if (device_) device_->Unacquire();
    device_.reset();
}

int Joystick::Init(platform::WindowHandle window) {
    window_ = window;
    device_ = platform::JoystickDevice::OpenFirst(window);
    if (!device_) return 0;
    // Held exclusively and only in the foreground: when the window starts in the background the first
    // polls acquire it again.
    device_->Acquire();
    return 1;
}

bool Joystick::ButtonHeld(const platform::JoystickState& js, int which) const {
    const std::int32_t number = buttons_[which];
    if (number < 0 || number >= platform::kJoystickButtonCount) return false;
    return (js.buttons[number] & platform::kButtonDownBit) != 0;
}

bool Joystick::Read(platform::JoystickState* js) {
    if (!device_) return false;
    if (device_->Poll() != platform::InputResult::kOk) {
        while (device_->Acquire() == platform::InputResult::kInputLost) {
        }
    }
    const platform::InputResult r = device_->GetState(js);
    if (r == platform::InputResult::kInputLost) device_->Acquire();
    return r == platform::InputResult::kOk;
}

void Joystick::Apply(bool read, const platform::JoystickState& js, InputState* state) {
    state->up = 0;
    if (read) {
        const InputState held = Held(read, js);
        CopyHeldButButton1(held, state);
        ReportButton1(held.button1 != 0, &repeatCounter_, state);
    }
    CountDownButton1(&repeatCounter_);
}

InputState Joystick::Held(bool read, const platform::JoystickState& js) const {
    InputState state;
    if (!read) return state;
    // Only the exact end values count: the pad is read as digital.
    if (js.y == platform::kJoystickAxisMin) state.up = kInputUp;
    if (js.y == platform::kJoystickAxisMax) state.down = kInputDown;
    if (js.x == platform::kJoystickAxisMin) state.left = kInputLeft;
    if (js.x == platform::kJoystickAxisMax) state.right = kInputRight;
    if (ButtonHeld(js, 0)) state.button1 = kInputButton1;
    if (ButtonHeld(js, 1)) state.button2 = kInputButton2;
    if (ButtonHeld(js, 2)) state.button3 = kInputButton3;
    return state;
}

void Joystick::Poll(InputState* state) {
    platform::JoystickState js;
    const bool read = Read(&js);
    Apply(read, js, state);
}

#include "input/keyboard.h"

#include <cstring>

#include "input/button_repeat.h"
#include "platform/input/dik_codes.h"

namespace {

struct KeyBinding {
    int dik;
    std::int32_t InputState::*field;
    std::int32_t code;
};

// Button 1 is not here: it has its repeat rule.
constexpr KeyBinding kBindings[] = {
    {platform::DIK_UP, &InputState::up, kInputUp},          {platform::DIK_DOWN, &InputState::down, kInputDown},
    {platform::DIK_RIGHT, &InputState::right, kInputRight}, {platform::DIK_LEFT, &InputState::left, kInputLeft},
    {platform::DIK_X, &InputState::button2, kInputButton2}, {platform::DIK_C, &InputState::button3, kInputButton3},
};

bool IsDown(const std::uint8_t* keys, int dik) { return (keys[dik] & platform::kKeyDownBit) != 0; }

}  // namespace

Keyboard::~Keyboard() = default;

void Keyboard::Init(platform::WindowHandle window) {
    window_ = window;
    device_ = std::make_unique<platform::KeyboardDevice>(window);
    device_->Acquire();
}

void Keyboard::Read(std::uint8_t (&keys)[platform::kKeyStateSize]) {
    // A frame whose read fails reports nothing: the buffer stays zeroed.
    std::memset(keys, 0, sizeof keys);
    if (device_) {
        const platform::InputResult r = device_->GetState(keys);
        if (r == platform::InputResult::kNotAcquired || r == platform::InputResult::kInputLost) device_->Acquire();
    }
}

void Keyboard::Apply(const std::uint8_t (&keys)[platform::kKeyStateSize], InputState* state) {
    const InputState held = Held(keys);
    CopyHeldButButton1(held, state);
    ReportButton1(held.button1 != 0, &repeatCounter_, state);
    CountDownButton1(&repeatCounter_);
}

InputState Keyboard::Held(const std::uint8_t (&keys)[platform::kKeyStateSize]) {
    InputState state;
    for (const KeyBinding& b : kBindings) {
        if (IsDown(keys, b.dik)) state.*b.field = b.code;
    }
    if (IsDown(keys, platform::DIK_Z)) state.button1 = kInputButton1;
    return state;
}

InputState Keyboard::MenuHeld(const std::uint8_t (&keys)[platform::kKeyStateSize]) {
    InputState state = Held(keys);
    const bool alt = IsDown(keys, platform::DIK_LMENU) || IsDown(keys, platform::DIK_RMENU);
    const bool enter = IsDown(keys, platform::DIK_RETURN) || IsDown(keys, platform::DIK_NUMPADENTER);
    if ((enter && !alt) || IsDown(keys, platform::DIK_SPACE)) state.button1 = kInputButton1;
    return state;
}

InputState Keyboard::MenuHeldNow() {
    if (!device_) return InputState{};
    std::uint8_t keys[platform::kKeyStateSize];
    Read(keys);
    return MenuHeld(keys);
}

void Keyboard::Poll(InputState* state) {
    std::uint8_t keys[platform::kKeyStateSize];
    Read(keys);
    Apply(keys, state);
}

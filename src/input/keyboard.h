#pragma once
// The keyboard as a digital pad: arrows, Z, X and C fill the per-frame snapshot.

#include <cstdint>
#include <memory>

#include "core/input_state.h"
#include "platform/core/window.h"
#include "platform/input/keyboard_device.h"

class Keyboard {
public:
    Keyboard() = default;
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    void Init(platform::WindowHandle window);
    // Stores the code of every pressed control into its field; fields of released controls are left as they are.
    void Poll(InputState* state);
    // Poll in its two halves, for a recorder or a replay between them: the device's 256 key bytes (all
    // zero when the read fails), then those keys into the snapshot with button 1's repeat rule.
    void Read(std::uint8_t (&keys)[platform::kKeyStateSize]);
    void Apply(const std::uint8_t (&keys)[platform::kKeyStateSize], InputState* state);
    // The controls those keys hold, button 1 without its repeat rule: for a menu beside the game, which
    // must leave the game's repeat count alone.
    static InputState Held(const std::uint8_t (&keys)[platform::kKeyStateSize]);
    // Held, with Enter and Space confirming as Z does (not Enter with Alt, which is the full-screen key):
    // for the menus over the game standing still.
    static InputState MenuHeld(const std::uint8_t (&keys)[platform::kKeyStateSize]);
    // The keys held now, or none when no keyboard is open.
    InputState MenuHeldNow();

private:
    platform::WindowHandle window_ = nullptr;
    std::unique_ptr<platform::KeyboardDevice> device_;
    std::int32_t repeatCounter_ = 0;
};

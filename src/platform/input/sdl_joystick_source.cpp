#include <SDL.h>

#include <algorithm>

#include "platform/input/axis_mapping.h"
#include "platform/input/joystick_source.h"
#include "platform/input/pad_controls.h"

namespace platform {

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

// The first device that can fly the ship, opened; false (and both null) when there is none.
bool OpenFirstUsable(SDL_GameController** controllerOut, SDL_Joystick** joystickOut);

// A pad SDL knows the layout of is opened as a game controller, so that its stick and directional pad
// are found wherever its driver puts them (axes, a hat or buttons). Its buttons are still the raw
// joystick buttons, the numbers "KeyConfig.txt" names.
class SdlJoystickSource final : public JoystickSource {
public:
    SdlJoystickSource(SDL_GameController* controller, SDL_Joystick* joystick)
        : controller_(controller), joystick_(joystick) {}

    ~SdlJoystickSource() override {
        Close();
        SDL_QuitSubSystem(kSubsystems);
    }

    SdlJoystickSource(const SdlJoystickSource&) = delete;
    SdlJoystickSource& operator=(const SdlJoystickSource&) = delete;

    bool Attached() const override { return joystick_ && SDL_JoystickGetAttached(joystick_) == SDL_TRUE; }

    // A pad plugged in again is a new device to the system: the handle of the one that went away never
    // comes back, so the search starts over.
    bool Reacquire() override {
        if (Attached()) return true;
        Close();
        OpenFirstUsable(&controller_, &joystick_);
        return Attached();
    }

    void Update() override { SDL_JoystickUpdate(); }

    JoystickState Read() const override {
        JoystickState s;
        if (controller_) {
            s.x = ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX));
            s.y = ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
            ApplyDirectionalPad(Pressed(SDL_CONTROLLER_BUTTON_DPAD_UP), Pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                                Pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT), Pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                                &s);
        } else {
            if (SDL_JoystickNumAxes(joystick_) > 0) s.x = ScaleAxis(SDL_JoystickGetAxis(joystick_, 0));
            if (SDL_JoystickNumAxes(joystick_) > 1) s.y = ScaleAxis(SDL_JoystickGetAxis(joystick_, 1));
            Uint8 hats = SDL_HAT_CENTERED;
            for (int h = 0; h < SDL_JoystickNumHats(joystick_); ++h) hats |= SDL_JoystickGetHat(joystick_, h);
            ApplyDirectionalPad(hats & SDL_HAT_UP, hats & SDL_HAT_DOWN, hats & SDL_HAT_LEFT, hats & SDL_HAT_RIGHT, &s);
        }
        const int buttons = std::min(SDL_JoystickNumButtons(joystick_), kJoystickButtonCount);
        for (int b = 0; b < buttons; ++b) {
            s.buttons[b] = SDL_JoystickGetButton(joystick_, b) ? kButtonDownBit : 0;
        }
        return s;
    }

private:
    void Close() {
        if (controller_) {
            SDL_GameControllerClose(controller_);
        } else if (joystick_) {
            SDL_JoystickClose(joystick_);
        }
        controller_ = nullptr;
        joystick_ = nullptr;
    }

    bool Pressed(SDL_GameControllerButton button) const {
        return SDL_GameControllerGetButton(controller_, button) == 1;
    }

    SDL_GameController* controller_;
    SDL_Joystick* joystick_;
};

PadControls ControlsOf(SDL_GameController* controller, SDL_Joystick* joystick) {
    PadControls c;
    c.axes = SDL_JoystickNumAxes(joystick);
    c.hats = SDL_JoystickNumHats(joystick);
    c.buttons = SDL_JoystickNumButtons(joystick);
    if (controller) {
        const bool stick = SDL_GameControllerHasAxis(controller, SDL_CONTROLLER_AXIS_LEFTX) &&
                           SDL_GameControllerHasAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
        const bool pad = SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) &&
                         SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) &&
                         SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) &&
                         SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        c.mappedSteering = stick || pad;
    }
    return c;
}

bool OpenFirstUsable(SDL_GameController** controllerOut, SDL_Joystick** joystickOut) {
    *controllerOut = nullptr;
    *joystickOut = nullptr;
    // The first device that can fly the ship; the ones that cannot are passed over, so that a receiver
    // listed before the pad does not hide it.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        SDL_GameController* controller = SDL_IsGameController(i) ? SDL_GameControllerOpen(i) : nullptr;
        SDL_Joystick* joystick = controller ? SDL_GameControllerGetJoystick(controller) : SDL_JoystickOpen(i);
        if (!joystick) continue;
        if (CanServeAsPad(ControlsOf(controller, joystick))) {
            *controllerOut = controller;
            *joystickOut = joystick;
            return true;
        }
        if (controller) {
            SDL_GameControllerClose(controller);
        } else {
            SDL_JoystickClose(joystick);
        }
    }
    return false;
}

}  // namespace

std::unique_ptr<JoystickSource> OpenFirstSystemJoystick() {
    // The game keeps its own foreground rule; SDL should keep the pad's state current meanwhile, so
    // that it is right the moment the window is back in front (and under drivers with no focus at all).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(kSubsystems) != 0) return nullptr;
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    if (OpenFirstUsable(&controller, &joystick)) return std::make_unique<SdlJoystickSource>(controller, joystick);
    SDL_QuitSubSystem(kSubsystems);
    return nullptr;
}

}  // namespace platform

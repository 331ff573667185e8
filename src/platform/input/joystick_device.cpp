#include "platform/input/joystick_device.h"

#include <atomic>

#include "platform/input/input_injection.h"
#include "platform/input/joystick_source.h"

namespace platform {

namespace {
std::atomic<bool> g_systemJoysticksVisible{true};
}  // namespace

void SetSystemJoysticksVisible(bool visible) { g_systemJoysticksVisible.store(visible); }

std::unique_ptr<JoystickDevice> JoystickDevice::OpenFirst(WindowHandle window) {
    std::unique_ptr<JoystickSource> source = OpenSyntheticJoystick();
    if (!source && g_systemJoysticksVisible.load()) source = OpenFirstSystemJoystick();
    if (!source) return nullptr;
    return std::unique_ptr<JoystickDevice>(new JoystickDevice(window, std::move(source)));
}

JoystickDevice::JoystickDevice(WindowHandle window, std::unique_ptr<JoystickSource> source)
    : source_(std::move(source)), acquisition_(window) {}

JoystickDevice::~JoystickDevice() = default;

InputResult JoystickDevice::Acquire() {
    const bool attached = source_->Attached() || source_->Reacquire();
    return acquisition_.Acquire(attached);
}

InputResult JoystickDevice::Poll() {
    const InputResult r = acquisition_.Check(source_->Attached());
    if (r == InputResult::kOk) source_->Update();
    return r;
}

InputResult JoystickDevice::GetState(JoystickState* state) {
    const InputResult r = acquisition_.Check(source_->Attached());
    if (r == InputResult::kOk) *state = source_->Read();
    return r;
}

}  // namespace platform

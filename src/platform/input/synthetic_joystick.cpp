#include <mutex>

#include "platform/input/input_injection.h"
#include "platform/input/joystick_source.h"

namespace platform {

namespace {

struct Synthetic {
    std::mutex mutex;
    bool attached = false;
    JoystickState state;
};

Synthetic& TheSynthetic() {
    static Synthetic s;
    return s;
}

class SyntheticJoystickSource final : public JoystickSource {
public:
    bool Attached() const override {
        std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
        return TheSynthetic().attached;
    }
    void Update() override {}
    JoystickState Read() const override {
        std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
        return TheSynthetic().state;
    }
};

}  // namespace

std::unique_ptr<JoystickSource> OpenSyntheticJoystick() {
    std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
    if (!TheSynthetic().attached) return nullptr;
    return std::make_unique<SyntheticJoystickSource>();
}

void AttachSyntheticJoystick() {
    std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
    TheSynthetic().attached = true;
}

void DetachSyntheticJoystick() {
    std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
    TheSynthetic().attached = false;
}

void SetSyntheticJoystickState(const JoystickState& state) {
    std::lock_guard<std::mutex> lock(TheSynthetic().mutex);
    TheSynthetic().state = state;
}

}  // namespace platform

#include "platform/input/pad_controls.h"

namespace platform {

namespace {
constexpr int kSteeringAxes = 2;
constexpr int kGameButtons = 3;
}  // namespace

bool CanServeAsPad(const PadControls& controls) {
    const bool steers = controls.axes >= kSteeringAxes || controls.hats > 0 || controls.mappedSteering;
    return steers && controls.buttons >= kGameButtons;
}

}  // namespace platform

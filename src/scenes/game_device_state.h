#pragma once
// The device state the game fixes for the whole run (culling, depth, filters, the lit colour stage) and
// its one light, and the camera every stage scene starts from.

#include "platform/gfx/math.h"

namespace platform {
class Device;
}

void ApplyGameDeviceState(platform::Device* device);

// The camera at rest: from (0, 4, 0) towards (0, 0, 20), a quarter-pi field of view over 800 x 600,
// near 1 and far 1000; sets the view, the viewport and the projection. False when the viewport cannot be
// read back (the projection is then left as it was).
bool SetGameCamera(platform::Device* device, platform::Vector3 eye = {0.0f, 4.0f, 0.0f},
                   platform::Vector3 lookAt = {0.0f, 0.0f, 20.0f});

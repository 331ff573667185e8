#pragma once
// Pictures of the back buffer.

#include <string>

namespace platform {

class Device;

// "korvex-YYYYMMDD-HHMMSS.png" with the local date and time of now.
std::string ScreenshotFileName();
// Writes the back buffer as drawn so far to a PNG file. False when it cannot be read or written.
bool SaveScreenshot(Device* device, const std::string& path);

}  // namespace platform

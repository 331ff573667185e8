#include "platform/gfx/screenshot.h"

#include <cstdio>
#include <filesystem>
#include <ctime>

#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"

namespace platform {

std::string ScreenshotFileName() {
    const std::time_t now = static_cast<std::time_t>(WallClockSeconds());
    std::tm local{};
    localtime_r(&now, &local);
    char stem[64];
    std::snprintf(stem, sizeof stem, "korvex-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    // Two shots in one second must not overwrite each other.
    std::string name = std::string(stem) + ".png";
    for (int n = 2; std::filesystem::exists(name) && n < 1000; ++n) name = std::string(stem) + "-" + std::to_string(n) + ".png";
    return name;
}

bool SaveScreenshot(Device* device, const std::string& path) {
    if (!device) return false;
    Image picture;
    if (FAILED(device->GetBackBufferImage(&picture))) return false;
    return SavePng(path, picture);
}

}  // namespace platform

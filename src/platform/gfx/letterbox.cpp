#include "platform/gfx/letterbox.h"

#include <algorithm>
#include <cmath>

namespace platform {

PixelRect LetterboxRect(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight) {
    if (surfaceWidth <= 0 || surfaceHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return {};
    const double scale =
        std::min(static_cast<double>(surfaceWidth) / pictureWidth, static_cast<double>(surfaceHeight) / pictureHeight);
    PixelRect r;
    r.width = std::min(surfaceWidth, static_cast<int>(std::lround(pictureWidth * scale)));
    r.height = std::min(surfaceHeight, static_cast<int>(std::lround(pictureHeight * scale)));
    r.x = (surfaceWidth - r.width) / 2;
    r.y = (surfaceHeight - r.height) / 2;
    return r;
}

}  // namespace platform

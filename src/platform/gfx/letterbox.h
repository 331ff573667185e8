#pragma once
// Where the back buffer goes on a window surface of another size.

namespace platform {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The largest rectangle of the picture's proportions that fits the surface, centred; the bars either
// side (or above and below) stay black. Empty when either size is empty.
PixelRect LetterboxRect(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight);

}  // namespace platform

#include "platform/gfx/letterbox.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

void ExpectRect(const PixelRect& r, int x, int y, int w, int h) {
    EXPECT_EQ(x, r.x);
    EXPECT_EQ(y, r.y);
    EXPECT_EQ(w, r.width);
    EXPECT_EQ(h, r.height);
}

TEST(GfxLetterbox, FitsThePictureCentredWithBars) {
    ExpectRect(LetterboxRect(800, 600, 800, 600), 0, 0, 800, 600);
    ExpectRect(LetterboxRect(1920, 1080, 800, 600), 240, 0, 1440, 1080);  // bars left and right
    ExpectRect(LetterboxRect(1280, 1024, 800, 600), 0, 32, 1280, 960);    // bars above and below
    ExpectRect(LetterboxRect(1600, 1200, 800, 600), 0, 0, 1600, 1200);
    ExpectRect(LetterboxRect(1366, 768, 800, 600), 171, 0, 1024, 768);
}

TEST(GfxLetterbox, EmptySurfaceGivesNothing) {
    ExpectRect(LetterboxRect(0, 600, 800, 600), 0, 0, 0, 0);
    ExpectRect(LetterboxRect(800, 0, 800, 600), 0, 0, 0, 0);
}

}  // namespace
}  // namespace platform

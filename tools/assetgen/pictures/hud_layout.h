#pragma once
// Where the game cuts the pieces of the instrument panel out of its pictures: source rectangles as
// (left, top, right, bottom), right and bottom exclusive.

namespace assetgen::pictures::hud {

struct Rect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// t\console.png
inline constexpr Rect kLifeFrame{0, 0, 296, 31};
inline constexpr Rect kRightFrame{7, 32, 303, 63};
inline constexpr Rect kDashFrame{0, 64, 31, 223};
inline constexpr Rect kDashBar{3, 228, 29, 386};  // full bar; the meter cuts it from the top
inline constexpr Rect kCentrePiece{48, 76, 247, 191};
inline constexpr Rect kRadarMark{304, 64, 319, 79};
inline constexpr Rect kBombIcon{48, 208, 65, 225};
inline constexpr Rect kLifeBar{40, 260, 263, 283};  // full bar; life cuts it from the right
// The boss's life gauge is the life bar drawn flipped in the right frame, ending 8 pixels inside its
// right edge, as the life bar starts 8 pixels inside the life frame's left edge.
inline constexpr Rect kSmallDigits[10] = {
    {160, 289, 167, 303}, {168, 289, 175, 303}, {176, 289, 182, 303}, {185, 289, 191, 303}, {192, 289, 199, 303},
    {200, 289, 207, 303}, {208, 289, 215, 303}, {216, 289, 223, 303}, {224, 289, 231, 303}, {232, 289, 239, 303},
};
inline constexpr Rect kSmallDigitBand{156, 286, 244, 306};  // pure black around the small digits

// The radar draws a mark's top-left corner at the projected point, so a mark at the origin
// (385, 565) is centred 7.5 pixels lower right; the centre piece is drawn at (302, 485).
inline constexpr double kRadarCentreX = kCentrePiece.left + (385 + 7.5 - 302);
inline constexpr double kRadarCentreY = kCentrePiece.top + (565 + 7.5 - 485);

// t\console4.png
inline constexpr Rect kLargeDigits[10] = {
    {1, 0, 22, 30},    {27, 0, 41, 30},   {45, 0, 74, 30},   {78, 0, 99, 30},   {104, 0, 128, 30},
    {130, 0, 151, 30}, {155, 0, 176, 30}, {181, 0, 202, 30}, {207, 0, 227, 30}, {232, 0, 253, 30},
};
inline constexpr int kLargeTwoShift = 7;  // a 2 is drawn this far left of the other digits

// t\getbom.png: cells of 64 drawn at half size at (65, 490 - 35 n), where the next bomb icon
// (17 x 17 at (70, 500 - 35 n)) will appear; the icon's centre falls here in each cell.
inline constexpr double kBombPickupCentreX = (70 + 8.5 - 65) * 2;
inline constexpr double kBombPickupCentreY = (500 + 8.5 - 490) * 2;

}  // namespace assetgen::pictures::hud

#pragma once
// Full-screen art is drawn at the size the player sees and stretched to its power-of-two file.

#include <functional>

#include "assetgen/pictures/canvas.h"

namespace assetgen::pictures {

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

// Draws on a shownWidth x shownHeight canvas and resamples it to fileWidth x fileHeight.
Canvas DrawStretched(int shownWidth, int shownHeight, int fileWidth, int fileHeight,
                     const std::function<void(Canvas&)>& draw);

// The common case: 800 x 600 on screen, 1024 x 1024 in the file.
Canvas DrawFullScreen(const std::function<void(Canvas&)>& draw);

}  // namespace assetgen::pictures

#pragma once
// A mock-up of the screen during play, with every HUD piece cut from its picture and placed where
// the game draws it, so that a person can check that the pieces fit together.

#include <map>
#include <string>

#include "assetgen/pictures/canvas.h"

namespace assetgen::pictures {

// The pictures that take part, by name, after the key rules.
inline constexpr const char* kHudPreviewPictures[] = {"console", "console4", "score2", "update",
                                                      "getbom",  "sight",    "sight2"};

Canvas HudPreview(const std::map<std::string, const Canvas*>& keyed);

}  // namespace assetgen::pictures

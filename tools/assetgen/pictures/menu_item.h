#pragma once
// A menu item in the title menu's style, `width` x 64: the upper half the item at rest (a dim plate,
// steel lettering), the lower half selected (a lit cyan plate, bright lettering, an amber pointer).

#include "assetgen/pictures/canvas.h"

namespace assetgen::pictures {

Canvas DrawMenuItem(const char* text, int width = 128);

}  // namespace assetgen::pictures

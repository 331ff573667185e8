#pragma once
// The game's icon for a desktop's menus: the player's fighter, drawn from its own mesh by the mesh
// renderer, on a dusk-sky tile. Each size is rendered on its own, so the small ones stay sharp.

#include <array>

#include "assetgen/pictures/canvas.h"

namespace assetgen::icons {

// The sizes a desktop's icon theme looks for.
inline constexpr std::array<int, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

// The fighter alone on a transparent size x size picture (premultiplied, antialiased edges).
pictures::Canvas DrawFighter(int size);

// The whole icon: the tile with its rounded corners left transparent, and the fighter over it.
pictures::Canvas DrawIcon(int size);

}  // namespace assetgen::icons

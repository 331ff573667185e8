#pragma once
// Textures from picture files, as the game's loaders make them: the picture's size rounded up to powers
// of two (the picture scaled to it), a full chain of smaller levels, and an optional colour key.
// Names are the game's ("t\\title.png"), resolved with ResolveGamePath.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/core/startup_times.h"
#include "platform/gfx/device_states.h"
#include "platform/gfx/image.h"

namespace platform {

class Device;
class Texture;

// What the loaders upload: the file decoded, keyed, scaled to powers of two, with its smaller levels. False
// when the file is missing or not a picture. The decoding time goes to decodePhase.
bool LoadTextureLevels(std::string_view gameName, std::uint32_t colourKey, std::vector<Image>* levels,
                       StartupPhase decodePhase);

// Every pixel exactly equal to colourKey (kColourKeyBlack, kColourKeyWhite) becomes 0x00000000 before
// the picture is scaled; kNoColourKey keeps every pixel. E_FAIL when the file is missing or not a picture.
// A picture the active prefetch has made is taken from it.
HRESULT CreateTextureFromFileEx(Device* device, std::string_view gameName, std::uint32_t colourKey,
                                std::unique_ptr<Texture>* out);
// The plain loader: no colour key.
HRESULT CreateTextureFromFile(Device* device, std::string_view gameName, std::unique_ptr<Texture>* out);

}  // namespace platform

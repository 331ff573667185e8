#include "platform/gfx/texture_file.h"

#include <utility>

#include "platform/core/game_path.h"
#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"

namespace platform {

HRESULT CreateTextureFromFileEx(Device* device, std::string_view gameName, std::uint32_t colourKey,
                                std::unique_ptr<Texture>* out) {
    if (!device || !out) return D3DERR_INVALIDCALL;
    out->reset();
    Image picture;
    if (!LoadPng(ResolveGamePath(gameName), &picture)) return E_FAIL;
    // The key compares the file's own pixels, so it is applied before scaling mixes them.
    ApplyColourKey(&picture, colourKey);
    return device->CreateTexture(BuildMipChain(ScaleToPowerOfTwo(std::move(picture))), out);
}

HRESULT CreateTextureFromFile(Device* device, std::string_view gameName, std::unique_ptr<Texture>* out) {
    return CreateTextureFromFileEx(device, gameName, kNoColourKey, out);
}

}  // namespace platform

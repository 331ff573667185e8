#include "platform/gfx/texture_file.h"

#include <utility>

#include "platform/core/game_path.h"
#include "platform/gfx/device.h"
#include "platform/gfx/load_prefetch.h"
#include "platform/gfx/texture.h"

namespace platform {

bool LoadTextureLevels(std::string_view gameName, std::uint32_t colourKey, std::vector<Image>* levels,
                       StartupPhase decodePhase) {
    Image picture;
    {
        StartupTimer timer(decodePhase);
        if (!LoadPng(ResolveGamePath(gameName), &picture)) return false;
    }
    StartupTimer timer(StartupPhase::kMipChain);
    // The key compares the file's own pixels, so it is applied before scaling mixes them.
    ApplyColourKey(&picture, colourKey);
    *levels = BuildMipChain(ScaleToPowerOfTwo(std::move(picture)));
    return true;
}

HRESULT CreateTextureFromFileEx(Device* device, std::string_view gameName, std::uint32_t colourKey,
                                std::unique_ptr<Texture>* out) {
    if (!device || !out) return D3DERR_INVALIDCALL;
    out->reset();
    // Whatever the prefetch could not make is loaded here, so a failure is the file's own, reported as usual.
    LoadPrefetch* prefetch = ActiveLoadPrefetch();
    PictureLevels levels = prefetch ? prefetch->TakePicture(gameName, colourKey) : nullptr;
    if (!levels) {
        auto loaded = std::make_shared<std::vector<Image>>();
        if (!LoadTextureLevels(gameName, colourKey, loaded.get(), StartupPhase::kDecodeMain)) return E_FAIL;
        levels = std::move(loaded);
    }
    StartupTimer timer(StartupPhase::kUpload);
    return device->CreateTexture(*levels, out);
}

HRESULT CreateTextureFromFile(Device* device, std::string_view gameName, std::unique_ptr<Texture>* out) {
    return CreateTextureFromFileEx(device, gameName, kNoColourKey, out);
}

}  // namespace platform

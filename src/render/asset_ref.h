#pragma once
// A picture or mesh a game object loads, named once: the object's Load loads from its own list, and the
// start-up prefetch is built from the same lists (scenes/game_loads.cpp), so a path is never written twice.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/image.h"
#include "platform/gfx/load_prefetch.h"

struct AssetRef {
    enum class Kind : std::uint8_t { kPicture, kMesh };
    Kind kind = Kind::kPicture;
    std::string_view path;  // the game's own name, with backslashes ("t\\title.png")
    std::uint32_t colourKey = platform::kNoColourKey;
};

constexpr AssetRef PictureAsset(std::string_view path, std::uint32_t colourKey = platform::kColourKeyBlack) {
    return {AssetRef::Kind::kPicture, path, colourKey};
}
constexpr AssetRef MeshAsset(std::string_view path) { return {AssetRef::Kind::kMesh, path, platform::kNoColourKey}; }

// Appends the list to the prefetch's, in order.
inline void AppendPrefetch(std::span<const AssetRef> assets, std::vector<platform::PrefetchItem>* out) {
    for (const AssetRef& a : assets) {
        out->push_back({a.kind == AssetRef::Kind::kMesh ? platform::PrefetchItem::Kind::kMesh
                                                        : platform::PrefetchItem::Kind::kPicture,
                        std::string(a.path), a.colourKey});
    }
}

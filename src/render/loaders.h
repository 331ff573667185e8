#pragma once
// Loading pictures and meshes, and the one convention every loader of the game follows when a file
// fails: a message box with the text the loader gives, captioned "メッセージ", then the main window is
// destroyed and the quit posted. The loader tries none of its remaining files and returns; loading
// goes on with the next object, and the program ends when the main loop takes the quit.
//
// Paths are given as the game writes them ("t\\title.png", "x\\plu2c.x").

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/image.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

// Power-of-two size, full mip chain, opaque black (0xFF000000) fully transparent.
bool TextureLoad(std::string_view path, platform::TexturePtr* out, const Drawable& drawable);
// The same with another colour key (kColourKeyWhite, kColourKeyBlack).
bool TextureLoadKeyed(std::string_view path, platform::TexturePtr* out, const Drawable& drawable,
                      std::uint32_t colourKey);
// Size and filters left to their defaults, black colour key. The pictures come out as TextureLoad's.
bool TextureLoadDefault(std::string_view path, platform::TexturePtr* out, const Drawable& drawable);
// The plain file loader: power-of-two size and full mips, no colour key.
bool TextureLoadPlain(std::string_view path, platform::TexturePtr* out, const Drawable& drawable);

// The mesh and its materials; each material's ambient is its diffuse times ambientFactor, component
// by component (alpha included).
bool MeshLoad(std::string_view path, MeshResource* out, const Drawable& drawable, float ambientFactor);

// The standard failure text: the file's short name followed by "ロスト" ("t\\osleft.png" -> "osleftロスト").
std::string LostText(std::string_view path);
// Applies the failure convention with the given text. Always returns false, so a loader can end with
// `return LoadFailed(*this, "osleftロスト");`.
bool LoadFailed(const Drawable& drawable, std::string_view text);

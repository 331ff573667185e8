#include "render/loaders.h"

#include "core/main_window.h"
#include "platform/core/events.h"
#include "platform/core/game_path.h"
#include "platform/core/message_box.h"
#include "platform/core/startup_times.h"
#include "platform/gfx/mesh_file.h"
#include "platform/gfx/texture_file.h"

bool TextureLoad(std::string_view path, platform::TexturePtr* out, const Drawable& drawable) {
    return TextureLoadKeyed(path, out, drawable, platform::kColourKeyBlack);
}

bool TextureLoadKeyed(std::string_view path, platform::TexturePtr* out, const Drawable& drawable,
                      std::uint32_t colourKey) {
    return platform::SUCCEEDED(platform::CreateTextureFromFileEx(drawable.GetDevice(), path, colourKey, out));
}

bool TextureLoadDefault(std::string_view path, platform::TexturePtr* out, const Drawable& drawable) {
    // The default filters differ from the linear ones only for pictures that need scaling, and every
    // picture of the game has power-of-two sides.
    return TextureLoadKeyed(path, out, drawable, platform::kColourKeyBlack);
}

bool TextureLoadPlain(std::string_view path, platform::TexturePtr* out, const Drawable& drawable) {
    return platform::SUCCEEDED(platform::CreateTextureFromFile(drawable.GetDevice(), path, out));
}

bool MeshLoad(std::string_view path, MeshResource* out, const Drawable& drawable, float ambientFactor) {
    if (!out) return false;
    platform::StartupTimer timer(platform::StartupPhase::kMeshes);
    std::vector<platform::Material> fileMaterials;
    platform::MeshPtr mesh;
    if (platform::FAILED(platform::LoadMeshFromX(drawable.GetDevice(), path, &fileMaterials, &mesh))) return false;
    out->mesh = std::move(mesh);
    out->materialBuffer = fileMaterials;
    out->materialCount = static_cast<std::uint32_t>(fileMaterials.size());
    out->materials = std::move(fileMaterials);
    for (platform::Material& m : out->materials) {
        m.ambient.r = m.diffuse.r * ambientFactor;
        m.ambient.g = m.diffuse.g * ambientFactor;
        m.ambient.b = m.diffuse.b * ambientFactor;
        m.ambient.a = m.diffuse.a * ambientFactor;
    }
    return true;
}

std::string LostText(std::string_view path) { return platform::ShortName(path) + "ロスト"; }

bool LoadFailed(const Drawable& drawable, std::string_view text) {
    platform::MessageBox(drawable.GetWindow(), text, "メッセージ");
    platform::DestroyWindow(MainWindowHandle);
    // The program ends as a failed start, whoever started it can tell.
    platform::PostQuitMessage(1);
    return false;
}

#include "stages/scenery_mesh.h"

#include "platform/gfx/device.h"
#include "render/loaders.h"

bool LoadSceneryMesh(std::string_view path, MeshResource* mesh, const Drawable& drawable, float ambientFactor,
                     bool opaque) {
    if (!MeshLoad(path, mesh, drawable, ambientFactor)) return false;
    if (opaque) {
        for (platform::Material& m : mesh->materials) {
            m.diffuse.a = 1.0f;
            m.ambient.a = ambientFactor;
        }
    }
    return true;
}

void SetWrapAddressing(const Drawable& drawable) {
    platform::Device* d = drawable.GetDevice();
    if (!d) return;
    // A lasting setting made once at load, as the game's other defaults are, not a draw's state: every
    // mesh drawn outside a sprite bracket samples with it, and the brackets put it back as they found it.
    d->SetSamplerState(0, platform::D3DSAMP_ADDRESSU, platform::D3DTADDRESS_WRAP);
    d->SetSamplerState(0, platform::D3DSAMP_ADDRESSV, platform::D3DTADDRESS_WRAP);
}

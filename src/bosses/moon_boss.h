#pragma once
// What the three moons of the flower field share: the sway at height 0, the attack gate, the magic
// circles and other flat pictures they draw as camera-facing quads, and their parts drawn as meshes
// placed, turned and scaled on their own.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "bosses/boss.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

class MoonBoss : public Boss {
public:
    static constexpr float kSwayY = 0.0f;
    static constexpr float kSwayZ = 40.0f;
    // An attack waits this long after the last one began.
    static constexpr std::uint32_t kAttackGate = 3000;

    // True while one of the moon's attacks runs.
    std::uint8_t Attacking() const { return attacking_; }

protected:
    MoonBoss(std::size_t meshCount, std::size_t pictureCount);

    // Loads the list in its order: the meshes become mesh 0, 1, ... and the pictures picture 0, 1, ...;
    // then the unit quad every picture is drawn on.
    bool LoadInOrder(std::span<const AssetRef> assets);

    // The next attack may begin: its flag is set, none runs, and the last began long enough ago.
    bool GateOpen(std::uint8_t flag) const { return flag == 1 && attacking_ == 0 && elapsed_ > kAttackGate; }
    // Marks an attack as running from now.
    void BeginAttack();
    // Clears the running mark and restarts the attack clock; the class then sets the next flag.
    void EndAttack();

    // Picture i on a quad facing the camera, `scale` units from its centre to its sides, turned by `roll`
    // (radians) in the screen plane, its alpha multiplied by `alpha` (0..255). Depth is tested but not
    // written, so the quad's clear corners never hide what is drawn after it.
    void ShowPicture(std::size_t i, double x, double y, double z, double scale, std::uint32_t alpha = 255,
                     double roll = 0.0);
    // Mesh i turned by yaw, pitch, roll (radians), scaled and placed; its own materials, or every
    // material at `alpha` when it is below 1, blended then. `state` is held over it.
    void ShowMeshAt(std::size_t i, double x, double y, double z, double yaw, double pitch, double roll, double sx,
                    double sy, double sz, float alpha = 1.0f, const DrawState& state = {});

    std::uint8_t attacking_ = 0;
    std::vector<platform::TexturePtr> pictures_;
    platform::VertexBufferPtr quad_;
};

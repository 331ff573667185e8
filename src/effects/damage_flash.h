#pragma once
// The red glow laid over the screen when the player is hit. While it shows, its owner takes no
// further damage, so its time is the owner's 500 ms of immunity.

#include <array>
#include <cstdint>

#include "collision/effect_record.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class DamageFlash : public Drawable {
public:
    static constexpr std::uint32_t kDuration = 500;

    static constexpr std::array<AssetRef, 1> kAssets{PictureAsset("t\\explosion3.png")};

    DamageFlash();
    bool Load();
    // Starts the flash at the current tick; a flash already showing keeps its start.
    void Spawn(std::uint32_t now);
    void Reset();
    // Once a frame: keeps whether this frame shows the flash, then retires it once its time is over (the
    // frame that ends it still shows it). A flash started after the step first shows at the next.
    void Step(std::uint32_t now);
    // Inside the caller's sprite bracket.
    void Draw() const;

    // Decided by time alone, so the immunity ends even in frames where the flash is not drawn.
    bool Showing(std::uint32_t now) const { return record_.active && now - record_.start <= kDuration; }
    const EffectRecord& Record() const { return record_; }

private:
    EffectRecord record_;
    bool shown_ = false;
    platform::TexturePtr picture_;
};

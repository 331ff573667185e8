#pragma once
// The red glow laid over the screen when the player is hit. While it shows, its owner takes no
// further damage, so its time is the owner's 500 ms of immunity.

#include <cstdint>

#include "collision/effect_record.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"

class DamageFlash : public Drawable {
public:
    static constexpr std::uint32_t kDuration = 500;

    DamageFlash();
    bool Load();
    // Starts the flash at the current tick; a flash already showing keeps its start.
    void Spawn(std::uint32_t now);
    void Reset();
    // Inside the caller's sprite bracket. Retires the flash once its time is over.
    void Draw(std::uint32_t now);

    // Decided by time alone, so the immunity ends even in frames where the flash is not drawn.
    bool Showing(std::uint32_t now) const { return record_.active && now - record_.start <= kDuration; }
    const EffectRecord& Record() const { return record_; }

private:
    EffectRecord record_;
    platform::TexturePtr picture_;
};

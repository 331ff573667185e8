#include "effects/damage_flash.h"

#include "effects/explosion.h"
#include "platform/core/clock.h"
#include "platform/gfx/sprite.h"
#include "render/loaders.h"
#include "render/render_presets.h"

namespace {
constexpr std::uint32_t kUntinted = 0xFFFFFFFFu;
}

DamageFlash::DamageFlash() : record_(Explosion::FreeRecord()) {}

bool DamageFlash::Load() {
    if (!TextureLoadDefault("t\\explosion3.png", &picture_, *this)) return LoadFailed(*this, "explosion03ロスト");
    return true;
}

void DamageFlash::Spawn(std::uint32_t now) {
    // A flash whose time is over but that was never drawn again no longer shows: a new hit starts anew.
    if (Showing(now)) return;
    record_ = Explosion::FreeRecord();
    record_.active = 1;
    record_.start = now;
}

void DamageFlash::Reset() { record_ = Explosion::FreeRecord(); }

void DamageFlash::Draw(std::uint32_t now) {
    record_.now = now;
    SetAlphaBlend(*this, true);
    platform::MatrixIdentity(&transform_);
    platform::Sprite* sprite = GetSprite();
    if (sprite) sprite->SetTransform(&transform_);
    if (!record_.active) return;
    // The picture covers the screen from its top-left corner; the frame that ends the flash still shows it.
    if (sprite && picture_) sprite->Draw(picture_.get(), nullptr, nullptr, nullptr, kUntinted);
    if (now - record_.start > kDuration) record_.active = 0;
}

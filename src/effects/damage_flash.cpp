#include "effects/damage_flash.h"

#include "effects/explosion.h"
#include "platform/core/clock.h"
#include "platform/gfx/sprite.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"

namespace {
constexpr std::uint32_t kUntinted = 0xFFFFFFFFu;
}

DamageFlash::DamageFlash() : record_(Explosion::FreeRecord()) {}

bool DamageFlash::Load() {
    if (!TextureLoadDefault(kAssets[0].path, &picture_, *this)) return LoadFailed(*this, "explosion03ロスト");
    return true;
}

void DamageFlash::Spawn(std::uint32_t now) {
    // A flash whose time is over but that was never drawn again no longer shows: a new hit starts anew.
    if (Showing(now)) return;
    record_ = Explosion::FreeRecord();
    record_.active = 1;
    record_.start = now;
}

void DamageFlash::Reset() {
    record_ = Explosion::FreeRecord();
    shown_ = false;
}

void DamageFlash::Step(std::uint32_t now) {
    record_.now = now;
    shown_ = record_.active != 0;
    if (record_.active && now - record_.start > kDuration) record_.active = 0;
}

void DamageFlash::Draw() const {
    platform::Sprite* sprite = GetSprite();
    // The bracket's transform is left as the screen's own for whatever the bracket draws next.
    platform::Matrix identity;
    if (sprite) sprite->SetTransform(&identity);
    if (!shown_ || !sprite || !picture_) return;
    ScopedDrawState state(GetDevice(), draw_state::kAlphaBlend);
    // The picture covers the screen from its top-left corner.
    sprite->Draw(picture_.get(), nullptr, nullptr, nullptr, kUntinted);
}

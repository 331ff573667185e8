#include "scenes/staff_roll.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

StaffRoll::StaffRoll() {
    static const float kKeys[2][2] = {{0.0f, 0.0f}, {1.0f, 1.0f}};
    fade_.SetKeyCount(2);
    SetKeys(fade_, kKeys);
    fade_.SetDuration(2000);
    fade_.SetLooping(0);
}

bool StaffRoll::Load() {
    if (!TextureLoad("t\\rocket.png", &rocket_, *this)) return LoadFailed(*this, "rocketロスト");
    if (!TextureLoad("t\\staffroll.png", &credits_, *this)) return LoadFailed(*this, "staffrollロスト");
    return true;
}

void StaffRoll::Draw(std::uint32_t now) {
    const float a = TrackValue(fade_, now);
    DrawFullScreen(*this, rocket_.get(), 0.0f, 0.0f, kOpaqueWhite);
    DrawFullScreen(*this, credits_.get(), 0.0f, 0.0f, FadeColour(a));
}

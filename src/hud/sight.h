#pragma once
// The two crosshairs laid over the screen points the ship aims at: the far one (85 units ahead) with
// the small picture, the near one (40 units ahead) with the large picture. The player fills the aim
// points every frame; the sight projects them through the camera the game set.

#include <array>
#include <cstdint>
#include <span>

#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

struct AimPoint {
    double x = 0.0, y = 0.0, z = 0.0;
    std::uint8_t active = 0;
};

class Sight : public Drawable {
public:
    static constexpr int kAimPointCount = 2;

    Sight() = default;
    Sight(const Sight&) = delete;
    Sight& operator=(const Sight&) = delete;

    // The two pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load();
    // Out-of-range indices are ignored.
    void SetAimPoint(int index, double x, double y, double z, bool active);
    const AimPoint& Point(int index) const { return points_[static_cast<std::size_t>(index)]; }
    // Inside a sprite bracket, after the camera has been set for the frame. Only draws: the player sets
    // the aim points in its own step.
    void Draw();

private:
    std::array<AimPoint, kAimPointCount> points_{};
    std::array<platform::TexturePtr, kAimPointCount> pictures_;
};

#pragma once
// The base of every screen and game object that draws: the device, the shared sprite object and the
// window it borrows, and a working matrix for its sprite or world transforms.

#include "platform/core/window.h"
#include "platform/gfx/math.h"

namespace platform {
class Device;
class Sprite;
}  // namespace platform

class Drawable {
public:
    Drawable() = default;
    virtual ~Drawable() = default;

    void Bind(platform::Device* device, platform::Sprite* sprite, platform::WindowHandle window);

    platform::Device* GetDevice() const { return device_; }
    platform::Sprite* GetSprite() const { return sprite_; }
    platform::WindowHandle GetWindow() const { return window_; }
    platform::Matrix& Transform() { return transform_; }

protected:
    platform::Device* device_ = nullptr;  // not owned
    platform::Matrix transform_;
    platform::Sprite* sprite_ = nullptr;  // not owned
    platform::WindowHandle window_ = nullptr;
};

#include "render/drawable.h"

void Drawable::Bind(platform::Device* device, platform::Sprite* sprite, platform::WindowHandle window) {
    device_ = device;
    sprite_ = sprite;
    window_ = window;
}

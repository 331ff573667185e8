#include "render/draw_state.h"

#include "platform/gfx/device.h"

using namespace platform;

namespace {

std::uint32_t Read(const Device& device, const DeviceSetting& s) {
    std::uint32_t value = 0;
    switch (s.kind) {
        case DeviceSetting::Kind::kRender:
            device.GetRenderState(static_cast<RenderStateType>(s.type), &value);
            break;
        case DeviceSetting::Kind::kStage:
            device.GetTextureStageState(s.unit, static_cast<TextureStageStateType>(s.type), &value);
            break;
        case DeviceSetting::Kind::kSampler:
            device.GetSamplerState(s.unit, static_cast<SamplerStateType>(s.type), &value);
            break;
    }
    return value;
}

void Write(Device& device, const DeviceSetting& s) {
    switch (s.kind) {
        case DeviceSetting::Kind::kRender:
            device.SetRenderState(static_cast<RenderStateType>(s.type), s.value);
            break;
        case DeviceSetting::Kind::kStage:
            device.SetTextureStageState(s.unit, static_cast<TextureStageStateType>(s.type), s.value);
            break;
        case DeviceSetting::Kind::kSampler:
            device.SetSamplerState(s.unit, static_cast<SamplerStateType>(s.type), s.value);
            break;
    }
}

}  // namespace

ScopedDrawState::ScopedDrawState(Device* device, const DrawState& state) : device_(device) {
    if (!device_) return;
    for (DeviceSetting s : state.Settings()) {
        DeviceSetting old = s;
        old.value = Read(*device_, s);
        saved_ = saved_ + DrawState{old};
        Write(*device_, s);
    }
}

ScopedDrawState::~ScopedDrawState() {
    if (!device_) return;
    const auto saved = saved_.Settings();
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) Write(*device_, *it);
}

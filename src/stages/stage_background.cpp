#include "stages/stage_background.h"

#include "core/registry.h"
#include "platform/gfx/device.h"

std::uint32_t StageBackground::TakeBattleShift(std::uint32_t now) {
    if (IsBossBattleEnded() == 0) {
        shiftTaken_ = 0;
        return 0;
    }
    if (shiftTaken_ != 0) return 0;
    shiftTaken_ = 1;
    return BossTimerElapsed(now);
}

void StageBackground::BlendBySourceAlpha(bool enable) {
    if (!device_) return;
    device_->SetRenderState(platform::D3DRS_ALPHABLENDENABLE, enable ? 1 : 0);
    device_->SetRenderState(platform::D3DRS_SRCBLEND, platform::D3DBLEND_SRCALPHA);
    device_->SetRenderState(platform::D3DRS_DESTBLEND, platform::D3DBLEND_INVSRCALPHA);
}

#include "stages/stage_background.h"

#include "core/registry.h"

std::uint32_t StageBackground::TakeBattleShift(std::uint32_t now) {
    if (IsBossBattleEnded() == 0) {
        shiftTaken_ = 0;
        return 0;
    }
    if (shiftTaken_ != 0) return 0;
    shiftTaken_ = 1;
    return BossTimerElapsed(now);
}

#include "enemies/enemy04.h"

#include "platform/core/clock.h"

void Enemy04::UpdateAndDraw(std::uint32_t now) { MoveCircling(now); }

void Enemy04::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    OrderCircling(index, x, y, z, durationMs);
}

bool Enemy04::Load() { return LoadModel("x\\Enemy04.x", "enemy04Xfileロスト"); }

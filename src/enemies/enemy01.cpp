#include "enemies/enemy01.h"

#include "platform/core/clock.h"

void Enemy01::UpdateAndDraw(std::uint32_t now) { MoveStraight(now); }

void Enemy01::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    OrderStraight(index, x, y, z, durationMs, false);
}

bool Enemy01::Load() { return LoadModel("x\\enemy01.x", "enemy01Xfileロスト"); }

#include "enemies/enemy03.h"

#include "platform/core/clock.h"

void Enemy03::UpdateAndDraw(std::uint32_t now) { MoveStraight(now); }

void Enemy03::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    OrderStraight(index, x, y, z, durationMs, true);
}

bool Enemy03::Load() { return LoadModel("x\\enemy03.x", "enemy03Xfileロスト"); }

#include "enemies/enemy02.h"

#include "platform/core/clock.h"

void Enemy02::UpdateAndDraw(std::uint32_t now) { MoveStraight(now); }

void Enemy02::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    OrderStraight(index, x, y, z, durationMs, true);
}

bool Enemy02::Load() { return LoadModel("x\\enemy02.x", "enemy02Xfileロスト"); }

#include "enemies/enemy05.h"

#include "platform/core/clock.h"

void Enemy05::UpdateAndDraw(std::uint32_t now) { MoveCircling(now); }

void Enemy05::Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
    OrderCircling(index, x, y, z, durationMs);
}

bool Enemy05::Load() { return LoadModel("x\\enemy05.x", "enemy05Xfileロスト"); }

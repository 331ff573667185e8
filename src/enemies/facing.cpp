#include "enemies/facing.h"

#include <cmath>

Facing FacingTowards(double fromX, double fromY, double fromZ, double toX, double toY, double toZ) {
    const double dx = fromX - toX;
    const double dy = fromY - toY;
    const double dz = fromZ - toZ;
    Facing f;
    f.yaw = dx == 0.0 ? 0.0 : std::atan2(dx, dz);
    // Turning round for a target behind uses 3.14, as the game was tuned with.
    if (dz > 0.0) {
        f.pitch = -std::atan2(dy, dz);
    } else if (dz < 0.0) {
        f.pitch = std::atan2(dy, dz) + 3.14;
    }
    return f;
}

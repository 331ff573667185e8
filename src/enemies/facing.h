#pragma once
// The yaw and pitch (radians) that turn an object at one point towards another, as the enemies face
// their end points and aim their shots at the ship.

struct Facing {
    double yaw = 0.0;
    double pitch = 0.0;
};

Facing FacingTowards(double fromX, double fromY, double fromZ, double toX, double toY, double toZ);

#pragma once
// The scenery items of the three stages. They are drawn by the sceneries and are also the obstacles
// the player's hit checks read: the player keeps their addresses, so a scenery builds its items once
// and never moves them (a reset copies the saved placement back element by element).

#include <cstdint>

// Stage 1: a building (kind 0) or a tower (kind 1).
struct BuildingItem {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    // 0 for every placed item: it topples sideways as it comes.
    std::uint8_t standing = 0;
    double halfX = 0.0, halfY = 0.0, halfZ = 0.0;
    std::int32_t kind = 0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // degrees
    // Stage-clock milliseconds before which the item is not drawn.
    std::uint32_t appearance = 0;
};

// Stage 2: a rock or an item of the star field.
struct SpaceItem {
    double x = 0.0, y = 0.0, z = 0.0;
    std::uint8_t active = 0;
    // Star-field items take this many hits from the main gun; rocks cannot be shot.
    std::int32_t hitPoints = 0;
    double rh = 0.0, rv = 0.0;
};

// Stage 3: one petal of a flower.
struct PetalItem {
    double x = 0.0, y = 0.0, z = 0.0;
    std::uint8_t active = 0;
    // Radius in the screen plane that the ship must keep clear of.
    double rv = 0.0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // degrees
};

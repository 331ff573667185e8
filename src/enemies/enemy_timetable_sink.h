#pragma once
// What the stage timetable builds the enemies through: entries that create an enemy (and its shot) in
// a class, then movement orders for each class's enemies by their index in that class. The enemy
// manager takes them; tests can record them.

#include <cstdint>

enum class EnemyClass : std::int32_t { k01 = 1, k02 = 2, k03 = 3, k04 = 4, k05 = 5 };

struct EnemyEntry {
    std::int32_t stage = 1;
    EnemyClass enemyClass = EnemyClass::k01;
    double x = 0.0, y = 0.0, z = 0.0;
    std::int32_t hitPoints = 2;
    std::uint8_t initiallyActive = 0;
    std::int32_t time = 0;      // stage clock, ms
    std::int32_t fireKind = 1;  // 1 straight, 2 aimed at the ship
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // degrees
};

class EnemyTimetableSink {
public:
    virtual ~EnemyTimetableSink() = default;
    virtual void AddEntry(const EnemyEntry& entry) = 0;
    // `index` counts the class's entries in creation order over all stages.
    virtual void Order(EnemyClass enemyClass, std::int32_t index, double x, double y, double z,
                       std::int32_t durationMs) = 0;
};

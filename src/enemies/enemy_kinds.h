#pragma once
// The enemy classes of the timetable, one row each in the order of EnemyClass (k01 first): the model,
// the flight an order gives and whether the enemy turns to face its end point. A new class is a row
// here and a value of EnemyClass.

#include <array>
#include <cstdint>
#include <string_view>

#include "render/asset_ref.h"

enum class EnemyFlight : std::uint8_t {
    kStraight,  // a straight line from the spawn point to the end point
    kCircling,  // a circle around the spawn point while closing in to the end point's depth
};

struct EnemyKind {
    AssetRef mesh;
    std::string_view lostText;  // the message a missing model gives
    EnemyFlight flight = EnemyFlight::kStraight;
    bool facesTarget = false;
};

inline constexpr std::array<EnemyKind, 5> kEnemyKinds{{
    // A dart that flies at the ship's plane keeping the attitude the timetable gave it.
    {MeshAsset("x\\enemy01.x"), "enemy01Xfileロスト", EnemyFlight::kStraight, false},
    // A saucer and a pod.
    {MeshAsset("x\\enemy02.x"), "enemy02Xfileロスト", EnemyFlight::kStraight, true},
    {MeshAsset("x\\enemy03.x"), "enemy03Xfileロスト", EnemyFlight::kStraight, true},
    // A drone and a gunship.
    {MeshAsset("x\\Enemy04.x"), "enemy04Xfileロスト", EnemyFlight::kCircling, true},
    {MeshAsset("x\\enemy05.x"), "enemy05Xfileロスト", EnemyFlight::kCircling, true},
}};

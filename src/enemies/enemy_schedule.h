#pragma once
// The fixed timetable of ordinary enemies for all three stages: every enemy of the game is created
// once, at load, with its stage and spawn time, and then given its movement order. Bosses keep their
// own entry times and are not part of it.

#include "enemies/enemy_timetable_sink.h"

// Adds every entry in table order, then gives the orders, each addressed by the enemy's index among
// its class's entries.
void BuildEnemySchedule(EnemyTimetableSink& sink);

#include "enemies/enemy_schedule.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Where an enemy flies once it has spawned, and how long it takes. An enemy without one shows
// where it stands for a frame and is gone.
struct Goal {
    bool given = false;
    double x = 0.0, y = 0.0, z = 0.0;
    std::int32_t ms = 0;
};

constexpr Goal To(double x, double y, double z, std::int32_t ms) { return {true, x, y, z, ms}; }
constexpr Goal kNoGoal{};

// One enemy: its spawn and, on the same line, its order, so the two cannot drift apart.
struct Row {
    std::int32_t stage;
    EnemyClass enemyClass;
    std::int32_t time;  // stage clock, ms
    double x, y, z;
    double yaw;  // degrees
    std::int32_t fireKind;
    Goal goal;
};

constexpr EnemyClass kE1 = EnemyClass::k01;
constexpr EnemyClass kE2 = EnemyClass::k02;
constexpr EnemyClass kE3 = EnemyClass::k03;
constexpr EnemyClass kE4 = EnemyClass::k04;
constexpr EnemyClass kE5 = EnemyClass::k05;

// Stage 1 fires straight only: class 1's yaw turns its shots across the flight path (10 from the
// right, -10 from the left, -30 for a sweep from far left). Over the city the enemies keep above the
// toppled buildings or to the centre lane; once the base has narrowed the flight area they close on
// the centre. Stages 2 and 3 turn to aimed fire as they go on.
// clang-format off
constexpr Row kTable[] = {
    // ---- Stage 1: the city ----
    // 0 s: the opening four, two close on the right, two high in the middle.
    {1, kE1,      0,  10,  10, 100,  10, 1, To( 10,  10, -10, 16000)},
    {1, kE1,      0,  10,   5, 100,  10, 1, To(  5,   5, -10, 16000)},
    {1, kE1,      0,   3,  10, 200,   0, 1, To(  3,  10, -10, 12000)},
    {1, kE1,      0,  -3,  10, 200,   0, 1, To( -3,  10, -10, 12000)},
    // 1.5 s: a slow column left of centre, drifting up.
    {1, kE1,   1500,  -3,   6, 200,   0, 1, To( -3,   8, -10, 23000)},
    {1, kE1,   1500,  -3,   1, 200,   0, 1, To( -3,   3, -10, 23000)},
    {1, kE1,   1500,  -3,  -4, 200,   0, 1, To( -3,  -2, -10, 23000)},
    {1, kE1,   1500,  -3,  -9, 200,   0, 1, To( -3,  -7, -10, 23000)},
    // 6 s: a circling diamond, high on the right.
    {1, kE5,   6000,  10,  10, 200,  10, 1, To( 10,  10, -10, 16000)},
    {1, kE5,   6000,  10,   4, 200,  10, 1, To( 10,   4, -10, 16000)},
    {1, kE5,   6000,  16,   7, 200,  10, 1, To( 16,   7, -10, 16000)},
    {1, kE5,   6000,   4,   7, 200,  10, 1, To(  4,   7, -10, 16000)},
    // 13 s: a diamond across the centre; its left point's shots sweep over to the right.
    {1, kE1,  13000,  -5,   5, 200, -30, 1, To( -5,   5, -10, 16000)},
    {1, kE1,  13000,   3,  10, 200,   0, 1, To(  3,  10, -10, 16000)},
    {1, kE1,  13000,   3,   0, 200,   0, 1, To(  3,   0, -10, 16000)},
    {1, kE1,  13000,  11,   5, 200,  10, 1, To( 11,   5, -10, 16000)},
    // 17 s: the circling diamond again, high on the left.
    {1, kE5,  17000, -10,  10, 200, -10, 1, To(-10,  10, -10, 16000)},
    {1, kE5,  17000, -10,   4, 200, -10, 1, To(-10,   4, -10, 16000)},
    {1, kE5,  17000, -16,   7, 200, -10, 1, To(-16,   7, -10, 16000)},
    {1, kE5,  17000,  -4,   7, 200, -10, 1, To( -4,   7, -10, 16000)},
    // 22 s: a small circling diamond over the centre; its right point stops just behind the ship.
    {1, kE5,  22000,  -4,   6, 200, -10, 1, To( -4,   6, -10, 16000)},
    {1, kE5,  22000,   0,  10, 200,   0, 1, To(  0,  10, -10, 16000)},
    {1, kE5,  22000,   4,   6, 200,  10, 1, To(  4,   6,  10, 16000)},
    {1, kE5,  22000,   0,   2, 200,   0, 1, To(  0,   2, -10, 16000)},
    // 27 s: a high diamond on the right, closing in.
    {1, kE1,  27000,  10,  10, 200,  10, 1, To(  7,  10, -10, 14000)},
    {1, kE1,  27000,  10,   4, 200,  10, 1, To(  7,   4, -10, 14000)},
    {1, kE1,  27000,  16,   7, 200,  10, 1, To( 12,   7, -10, 14000)},
    {1, kE1,  27000,   4,   7, 200,   0, 1, To(  2,   7, -10, 14000)},
    // 31 s: its mirror on the left.
    {1, kE1,  31000, -10,  10, 200, -10, 1, To( -7,  10, -10, 14000)},
    {1, kE1,  31000, -10,   4, 200, -10, 1, To( -7,   4, -10, 14000)},
    {1, kE1,  31000, -16,   7, 200, -10, 1, To(-12,   7, -10, 14000)},
    {1, kE1,  31000,  -4,   7, 200,   0, 1, To( -2,   7, -10, 14000)},
    // 34 s: three circling in a column on the right.
    {1, kE5,  34000,   8,   8, 200,  10, 1, To(  8,   8, -10, 16000)},
    {1, kE5,  34000,   8,   3, 200,  10, 1, To(  8,   3, -10, 16000)},
    {1, kE5,  34000,   8,  -2, 200,  10, 1, To(  8,  -2, -10, 16000)},
    // 38 s: the first of the wide circlers, a rising diamond on the left.
    {1, kE4,  38000,  -8,   7, 200, -10, 1, To( -8,  10, -10, 16000)},
    {1, kE4,  38000,  -8,  -3, 200, -10, 1, To( -8,   0, -10, 16000)},
    {1, kE4,  38000, -16,   2, 200, -10, 1, To(-16,   5, -10, 16000)},
    {1, kE4,  38000,   0,   2, 200,   0, 1, To(  0,   5, -10, 16000)},
    // 42 s: a column down the centre lane, behind the tower.
    {1, kE1,  42000,   0,  10, 200,   0, 1, To(  0,  10, -10, 14000)},
    {1, kE1,  42000,   0,   5, 200,   0, 1, To(  0,   5, -10, 14000)},
    {1, kE1,  42000,   0,   0, 200,   0, 1, To(  0,   0, -10, 14000)},
    {1, kE1,  42000,   0,  -5, 200,   0, 1, To(  0,  -5, -10, 14000)},
    // 46 s: a high diamond on the right, closing in fast.
    {1, kE1,  46000,  12,  10, 200,  10, 1, To(  6,  10, -10, 14000)},
    {1, kE1,  46000,  12,   4, 200,  10, 1, To(  6,   4, -10, 14000)},
    {1, kE1,  46000,  18,   7, 200,  10, 1, To( 10,   7, -10, 14000)},
    {1, kE1,  46000,   6,   7, 200,  10, 1, To(  3,   7, -10, 14000)},
    // 50 s: its mirror on the left.
    {1, kE1,  50000, -12,  10, 200, -10, 1, To( -6,  10, -10, 14000)},
    {1, kE1,  50000, -12,   4, 200, -10, 1, To( -6,   4, -10, 14000)},
    {1, kE1,  50000, -18,   7, 200, -10, 1, To(-10,   7, -10, 14000)},
    {1, kE1,  50000,  -6,   7, 200, -10, 1, To( -3,   7, -10, 14000)},
    // 54 s: the base is near; a column on the right slides in towards the narrow flight area.
    {1, kE1,  54000,   6,   9, 200,  10, 1, To(  2,   4, -10, 14000)},
    {1, kE1,  54000,   6,   5, 200,  10, 1, To(  2,   2, -10, 14000)},
    {1, kE1,  54000,   6,   1, 200,  10, 1, To(  2,   0, -10, 14000)},
    {1, kE1,  54000,   6,  -3, 200,  10, 1, To(  2,  -2, -10, 14000)},
    // 58 s: inside the base, a quicker diamond onto the ship's box.
    {1, kE1,  58000,   0,   8, 200,   0, 1, To(  0,   4, -10, 12000)},
    {1, kE1,  58000,   0,  -2, 200,   0, 1, To(  0,   0, -10, 12000)},
    {1, kE1,  58000,   6,   3, 200,  10, 1, To(  2,   2, -10, 12000)},
    {1, kE1,  58000,  -6,   3, 200, -10, 1, To( -2,   2, -10, 12000)},
    // 62 s: a wider diamond closing on the same box.
    {1, kE1,  62000,   0,  10, 200,   0, 1, To(  0,   4, -10, 14000)},
    {1, kE1,  62000,   0,  -4, 200,   0, 1, To(  0,   0, -10, 14000)},
    {1, kE1,  62000,   8,   3, 200,  10, 1, To(  2,   2, -10, 14000)},
    {1, kE1,  62000,  -8,   3, 200, -10, 1, To( -2,   2, -10, 14000)},
    // 66 s: the 54 s column again, on the left.
    {1, kE1,  66000,  -6,   9, 200, -10, 1, To( -2,   4, -10, 14000)},
    {1, kE1,  66000,  -6,   5, 200, -10, 1, To( -2,   2, -10, 14000)},
    {1, kE1,  66000,  -6,   1, 200, -10, 1, To( -2,   0, -10, 14000)},
    {1, kE1,  66000,  -6,  -3, 200, -10, 1, To( -2,  -2, -10, 14000)},
    // 88 s: past the first boss, in the open again: a fast diamond.
    {1, kE1,  88000,   0,  10, 200,   0, 1, To(  0,  10, -10, 12000)},
    {1, kE1,  88000,   0,   0, 200,   0, 1, To(  0,   0, -10, 12000)},
    {1, kE1,  88000,   8,   5, 200,  10, 1, To(  8,   5, -10, 12000)},
    {1, kE1,  88000,  -8,   5, 200, -10, 1, To( -8,   5, -10, 12000)},
    // 98 s: two fast diamonds, one either side, pulling in.
    {1, kE1,  98000, -12,   8, 200, -10, 1, To( -6,   8, -10, 12000)},
    {1, kE1,  98000, -12,  -2, 200, -10, 1, To( -6,  -2, -10, 12000)},
    {1, kE1,  98000, -20,   3, 200, -30, 1, To(-10,   3, -10, 12000)},
    {1, kE1,  98000,  -4,   3, 200, -10, 1, To( -2,   3, -10, 12000)},
    {1, kE1,  98000,  12,   8, 200,  10, 1, To(  6,   8, -10, 12000)},
    {1, kE1,  98000,  12,  -2, 200,  10, 1, To(  6,  -2, -10, 12000)},
    {1, kE1,  98000,  20,   3, 200,  10, 1, To( 10,   3, -10, 12000)},
    {1, kE1,  98000,   4,   3, 200,  10, 1, To(  2,   3, -10, 12000)},
    // 110 s: the last column, far left, firing across.
    {1, kE1, 110000, -16,  10, 200, -10, 1, To(-16,  10, -10, 14000)},
    {1, kE1, 110000, -16,   5, 200, -10, 1, To(-16,   5, -10, 14000)},
    {1, kE1, 110000, -16,   0, 200, -10, 1, To(-16,   0, -10, 14000)},
    {1, kE1, 110000, -16,  -5, 200, -30, 1, To(-16,  -5, -10, 14000)},

    // ---- Stage 2: space, among the rocks ----
    // 0 s: a diamond close in; its right point has no order.
    {2, kE1,      0,   0,   0, 150,   0, 1, To(  0,   0, -10, 14000)},
    {2, kE1,      0,   0,  10, 150,   0, 1, To(  0,  10, -10, 14000)},
    {2, kE1,      0,   8,   5, 150,  10, 1, kNoGoal},
    {2, kE1,      0,  -8,   5, 150, -10, 1, To( -8,   5, -10, 14000)},
    // 5 s: a column on the right, drifting in.
    {2, kE1,   5000,  12,   8, 200,  10, 1, To(  8,   8, -10, 14000)},
    {2, kE1,   5000,  12,   3, 200,  10, 1, To(  8,   3, -10, 14000)},
    {2, kE1,   5000,  12,  -2, 200,  10, 1, To(  8,  -2, -10, 14000)},
    {2, kE1,   5000,  12,  -7, 200,  10, 1, To(  8,  -7, -10, 14000)},
    // 10 s: a circling diamond on the left.
    {2, kE4,  10000, -10,   8, 200, -10, 1, To(-10,   8, -10, 16000)},
    {2, kE4,  10000, -10,  -2, 200, -10, 1, To(-10,  -2, -10, 16000)},
    {2, kE4,  10000, -16,   3, 200, -10, 1, To(-16,   3, -10, 16000)},
    {2, kE4,  10000,  -4,   3, 200, -10, 1, To( -4,   3, -10, 16000)},
    // 15 s: a circling diamond straight ahead, rising.
    {2, kE4,  15000,   0,   5, 200,   0, 1, To(  0,   7, -10, 14000)},
    {2, kE4,  15000,   0,  -5, 200,   0, 1, To(  0,  -3, -10, 14000)},
    {2, kE4,  15000,   8,   0, 200,  10, 1, To(  8,   2, -10, 14000)},
    {2, kE4,  15000,  -8,   0, 200, -10, 1, To( -8,   2, -10, 14000)},
    // 20 s: the first turning four, opening outward.
    {2, kE2,  20000,   0,   0, 200,   0, 1, To(  0,   0, -10, 14000)},
    {2, kE2,  20000,  -8,   4, 200, -10, 1, To(-12,   4, -10, 14000)},
    {2, kE2,  20000,   8,   4, 200,  10, 1, To( 12,   4, -10, 14000)},
    {2, kE2,  20000,   0,   8, 200,   0, 1, To(  0,  10, -10, 14000)},
    // 24 s: two pairs crossing over, the low pair aiming.
    {2, kE2,  24000, -10,   0, 200, -10, 2, To( 10,   5, -10, 14000)},
    {2, kE2,  24000,  10,   0, 200,  10, 2, To(-10,   5, -10, 14000)},
    {2, kE2,  24000, -10,   8, 200, -10, 1, To( 10,   0, -10, 14000)},
    {2, kE2,  24000,  10,   8, 200,  10, 1, To(-10,   0, -10, 14000)},
    // 30 s: a column at either side, the ends aiming.
    {2, kE1,  30000, -15,   7, 200, -10, 2, To( -8,   7, -10, 14000)},
    {2, kE1,  30000, -15,   2, 200, -10, 1, To( -8,   2, -10, 14000)},
    {2, kE1,  30000, -15,  -3, 200, -10, 1, To( -8,  -3, -10, 14000)},
    {2, kE1,  30000, -15,  -8, 200, -10, 2, To( -8,  -8, -10, 14000)},
    {2, kE1,  30000,  15,   8, 200,  10, 2, To(  8,   8, -10, 14000)},
    {2, kE1,  30000,  15,   3, 200,  10, 1, To(  8,   3, -10, 14000)},
    {2, kE1,  30000,  15,  -2, 200,  10, 1, To(  8,  -2, -10, 14000)},
    {2, kE1,  30000,  15,  -7, 200,  10, 2, To(  8,  -7, -10, 14000)},
    // 36 s: a ring of eight drawing in; the four on the axes aim.
    {2, kE2,  36000,   0,  10, 200,   0, 2, To(  0,   4, -10, 14000)},
    {2, kE2,  36000,   7,   7, 200,  10, 1, To(  3,   3, -10, 14000)},
    {2, kE2,  36000,  10,   0, 200,  10, 2, To(  4,   0, -10, 14000)},
    {2, kE2,  36000,   7,  -7, 200,  10, 1, To(  3,  -3, -10, 14000)},
    {2, kE2,  36000,   0, -10, 200,   0, 2, To(  0,  -4, -10, 14000)},
    {2, kE2,  36000,  -7,  -7, 200, -10, 1, To( -3,  -3, -10, 14000)},
    {2, kE2,  36000, -10,   0, 200, -10, 2, To( -4,   0, -10, 14000)},
    {2, kE2,  36000,  -7,   7, 200, -10, 1, To( -3,   3, -10, 14000)},
    // 41 s: circlers in a column at the right edge.
    {2, kE4,  41000,  25,  10, 200,  10, 1, To( 25,  10, -10, 14000)},
    {2, kE4,  41000,  25,   5, 200,  10, 2, To( 25,   5, -10, 14000)},
    {2, kE4,  41000,  25,   0, 200,  10, 2, To( 25,   0, -10, 14000)},
    {2, kE4,  41000,  25,  -5, 200,  10, 1, To( 25,  -5, -10, 14000)},
    // 48 s: a column from the far left, swinging across.
    {2, kE2,  48000, -20,   8, 200, -10, 2, To(  5,   8, -10, 14000)},
    {2, kE2,  48000, -20,   3, 200, -10, 1, To(  5,   3, -10, 14000)},
    {2, kE2,  48000, -20,  -2, 200, -10, 2, To(  5,  -2, -10, 14000)},
    {2, kE2,  48000, -20,  -7, 200, -10, 1, To(  5,  -7, -10, 14000)},
    // 55 s: three from the right swinging across...
    {2, kE2,  55000,  20,   8, 200,  10, 2, To( -5,   8, -10, 14000)},
    {2, kE2,  55000,  20,   0, 200,  10, 2, To( -5,   0, -10, 14000)},
    {2, kE2,  55000,  20,  -8, 200,  10, 1, To( -5,  -8, -10, 14000)},
    // ... and two circling diamonds, one either side.
    {2, kE4,  55000, -12,   5, 200, -10, 1, To(-12,   5, -10, 16000)},
    {2, kE4,  55000, -12,  -5, 200, -10, 1, To(-12,  -5, -10, 16000)},
    {2, kE4,  55000, -18,   0, 200, -10, 2, To(-18,   0, -10, 16000)},
    {2, kE4,  55000,  -6,   0, 200, -10, 1, To( -6,   0, -10, 16000)},
    {2, kE4,  55000,  12,   5, 200,  10, 2, To( 12,   5, -10, 16000)},
    {2, kE4,  55000,  12,  -5, 200,  10, 2, To( 12,  -5, -10, 16000)},
    {2, kE4,  55000,  18,   0, 200,  10, 2, To( 18,   0, -10, 16000)},
    {2, kE4,  55000,   6,   0, 200,  10, 1, To(  6,   0, -10, 16000)},
    // 62 s: a quick aiming column down the middle...
    {2, kE1,  62000,   0,   8, 200,   0, 2, To(  0,   8, -10, 12000)},
    {2, kE1,  62000,   0,   0, 200,   0, 2, To(  0,   0, -10, 12000)},
    {2, kE1,  62000,   0,  -8, 200,   0, 2, To(  0,  -8, -10, 12000)},
    // ... and a far ring of eight with no orders: each shows for a frame where it stands.
    {2, kE2,  62000,   0,  10, 200,   0, 1, kNoGoal},
    {2, kE2,  62000,   7,   7, 200,  10, 1, kNoGoal},
    {2, kE2,  62000,  10,   0, 200,  10, 1, kNoGoal},
    {2, kE2,  62000,   7,  -7, 200,  10, 1, kNoGoal},
    {2, kE2,  62000,   0, -10, 200,   0, 1, kNoGoal},
    {2, kE2,  62000,  -7,  -7, 200, -10, 1, kNoGoal},
    {2, kE2,  62000, -10,   0, 200, -10, 1, kNoGoal},
    {2, kE2,  62000,  -7,   7, 200, -10, 1, kNoGoal},
    // 80 s: past the first boss, a leader in a wide diamond, all closing fast.
    {2, kE2,  80000,   0,   0, 200,   0, 2, To(  0,   0, -10, 12000)},
    {2, kE2,  80000,   0,  10, 200,   0, 1, To(  0,   5, -10, 12000)},
    {2, kE2,  80000,   0, -10, 200,   0, 1, To(  0,  -5, -10, 12000)},
    {2, kE2,  80000,  10,   0, 200,  10, 2, To(  5,   0, -10, 12000)},
    {2, kE2,  80000, -10,   0, 200, -10, 2, To( -5,   0, -10, 12000)},
    // 92 s: two pairs crossing on the diagonals...
    {2, kE2,  92000, -15,   8, 200, -10, 2, To( 10,  -5, -10, 12000)},
    {2, kE2,  92000,  15,   8, 200,  10, 2, To(-10,  -5, -10, 12000)},
    {2, kE2,  92000, -15,  -8, 200, -10, 2, To( 10,   5, -10, 12000)},
    {2, kE2,  92000,  15,  -8, 200,  10, 1, To(-10,   5, -10, 12000)},
    // ... over a circling diamond in the middle.
    {2, kE4,  92000,   0,   8, 200,   0, 2, To(  0,   8, -10, 14000)},
    {2, kE4,  92000,   0,  -2, 200,   0, 1, To(  0,  -2, -10, 14000)},
    {2, kE4,  92000,   8,   3, 200,  10, 2, To(  8,   3, -10, 14000)},
    {2, kE4,  92000,  -8,   3, 200, -10, 2, To( -8,   3, -10, 14000)},
    // 105 s: the last push: a column at each edge sliding in and down...
    {2, kE1, 105000, -25,  10, 200, -10, 2, To(-15,   5, -10, 14000)},
    {2, kE1, 105000, -25,   5, 200, -10, 2, To(-15,   0, -10, 14000)},
    {2, kE1, 105000, -25,   0, 200, -10, 1, To(-15,  -5, -10, 14000)},
    {2, kE1, 105000, -25,  -5, 200, -30, 2, To(-15, -10, -10, 14000)},
    {2, kE1, 105000,  25,  10, 200,  10, 2, To( 15,   5, -10, 14000)},
    {2, kE1, 105000,  25,   5, 200,  10, 2, To( 15,   0, -10, 14000)},
    {2, kE1, 105000,  25,   0, 200,  10, 1, To( 15,  -5, -10, 14000)},
    {2, kE1, 105000,  25,  -5, 200,  10, 2, To( 15, -10, -10, 14000)},
    // ... and two circling columns either side of the ship.
    {2, kE4, 105000,  -6,   9, 200, -10, 2, To( -6,   9, -10, 14000)},
    {2, kE4, 105000,  -6,   3, 200, -10, 2, To( -6,   3, -10, 14000)},
    {2, kE4, 105000,  -6,  -3, 200, -10, 1, To( -6,  -3, -10, 14000)},
    {2, kE4, 105000,  -6,  -9, 200, -10, 2, To( -6,  -9, -10, 14000)},
    {2, kE4, 105000,   6,   9, 200,  10, 2, To(  6,   9, -10, 14000)},
    {2, kE4, 105000,   6,   3, 200,  10, 1, To(  6,   3, -10, 14000)},
    {2, kE4, 105000,   6,  -3, 200,  10, 2, To(  6,  -3, -10, 14000)},
    {2, kE4, 105000,   6,  -9, 200,  10, 2, To(  6,  -9, -10, 14000)},

    // ---- Stage 3: the flower field ----
    // 2 s: a diamond of the stage's own fighters, its point aiming.
    {3, kE3,   2000,   0,   0, 200,   0, 2, To(  0,   0, -10, 14000)},
    {3, kE3,   2000,   0,  10, 200,   0, 1, To(  0,  10, -10, 14000)},
    {3, kE3,   2000,   8,   5, 200,  10, 1, To(  8,   5, -10, 14000)},
    {3, kE3,   2000,  -8,   5, 200, -10, 1, To( -8,   5, -10, 14000)},
    // 7 s: a column on the left, drifting in.
    {3, kE1,   7000, -12,   8, 200, -10, 2, To( -8,   8, -10, 14000)},
    {3, kE1,   7000, -12,   3, 200, -10, 1, To( -8,   3, -10, 14000)},
    {3, kE1,   7000, -12,  -2, 200, -10, 1, To( -8,  -2, -10, 14000)},
    {3, kE1,   7000, -12,  -7, 200, -10, 2, To( -8,  -7, -10, 14000)},
    // 13 s: circlers in a column on the right.
    {3, kE4,  13000,  15,   6, 200,  10, 1, To( 15,   6, -10, 16000)},
    {3, kE4,  13000,  15,   1, 200,  10, 2, To( 15,   1, -10, 16000)},
    {3, kE4,  13000,  15,  -4, 200,  10, 1, To( 15,  -4, -10, 16000)},
    {3, kE4,  13000,  15,  -9, 200,  10, 2, To( 15,  -9, -10, 16000)},
    // 19 s: a low diamond on the left, closing on the centre.
    {3, kE3,  19000, -10,   3, 200, -10, 2, To( -4,   3, -10, 14000)},
    {3, kE3,  19000, -10,  -7, 200, -10, 2, To( -4,  -7, -10, 14000)},
    {3, kE3,  19000,  -2,  -2, 200,   0, 1, To(  2,  -2, -10, 14000)},
    {3, kE3,  19000, -18,  -2, 200, -10, 2, To(-10,  -2, -10, 14000)},
    // 25 s: circlers high on the right...
    {3, kE4,  25000,  10,  10, 200,  10, 2, To( 10,  10, -10, 16000)},
    {3, kE4,  25000,  10,   0, 200,  10, 1, To( 10,   0, -10, 16000)},
    {3, kE4,  25000,  18,   5, 200,  10, 2, To( 18,   5, -10, 16000)},
    {3, kE4,  25000,   2,   5, 200,   0, 2, To(  2,   5, -10, 16000)},
    // ... while a column swings in from the far left.
    {3, kE2,  25000, -18,   8, 200, -10, 2, To(  0,   8, -10, 14000)},
    {3, kE2,  25000, -18,   2, 200, -10, 1, To(  0,   2, -10, 14000)},
    {3, kE2,  25000, -18,  -4, 200, -10, 2, To(  0,  -4, -10, 14000)},
    {3, kE2,  25000, -18, -10, 200, -10, 1, To(  0, -10, -10, 14000)},
    // 30 s: a diamond on the left, all but its inner point aiming...
    {3, kE3,  30000, -15,   8, 200,  10, 2, To(-15,   8, -10, 16000)},
    {3, kE3,  30000, -15,  -2, 200, -10, 2, To(-15,  -2, -10, 16000)},
    {3, kE3,  30000,  -7,   3, 200, -10, 1, To( -7,   3, -10, 16000)},
    {3, kE3,  30000, -23,   3, 200, -10, 2, To(-23,   3, -10, 16000)},
    // ... and a quick column on the right, whose lower two have no orders.
    {3, kE1,  30000,  12,   8, 200,  10, 2, To(  6,   8, -10, 12000)},
    {3, kE1,  30000,  12,   2, 200,  10, 2, To(  6,   2, -10, 12000)},
    {3, kE1,  30000,  12,  -4, 200,  10, 2, kNoGoal},
    {3, kE1,  30000,  12, -10, 200,  10, 2, kNoGoal},
    // 38 s: two circling diamonds, one either side, nearly all aiming.
    {3, kE4,  38000, -12,   5, 200, -10, 2, To(-12,   5, -10, 14000)},
    {3, kE4,  38000, -12,  -5, 200, -10, 2, To(-12,  -5, -10, 14000)},
    {3, kE4,  38000, -18,   0, 200, -10, 1, To(-18,   0, -10, 14000)},
    {3, kE4,  38000,  -6,   0, 200, -10, 2, To( -6,   0, -10, 14000)},
    {3, kE4,  38000,  12,   5, 200,  10, 2, To( 12,   5, -10, 14000)},
    {3, kE4,  38000,  12,  -5, 200,  10, 2, To( 12,  -5, -10, 14000)},
    {3, kE4,  38000,  18,   0, 200,  10, 2, To( 18,   0, -10, 14000)},
    {3, kE4,  38000,   6,   0, 200,  10, 1, To(  6,   0, -10, 14000)},
    // 45 s: the last: a column on the right diving under the ship...
    {3, kE3,  45000,  15,   0, 200,   0, 2, To( 15, -10, -10, 14000)},
    {3, kE3,  45000,  15,  -5, 200,   0, 2, To( 15, -15, -10, 14000)},
    {3, kE3,  45000,  15, -10, 200,   0, 2, To( 15, -20, -10, 14000)},
    // ... and a fast aiming diamond on the left, drawing in to the middle.
    {3, kE2,  45000,  -8,   8, 200, -10, 2, To( -3,   4, -10, 12000)},
    {3, kE2,  45000,  -8,  -2, 200, -10, 2, To( -3,   0, -10, 12000)},
    {3, kE2,  45000,   0,   3, 200,   0, 2, To(  0,   2, -10, 12000)},
    {3, kE2,  45000, -16,   3, 200, -10, 2, To( -6,   2, -10, 12000)},
};
// clang-format on

static_assert(std::size(kTable) == 229, "the timetable holds 229 enemies");

std::size_t ClassSlot(EnemyClass enemyClass) { return static_cast<std::size_t>(enemyClass) - 1; }

}  // namespace

void BuildEnemySchedule(EnemyTimetableSink& sink) {
    for (const Row& row : kTable) {
        EnemyEntry entry;
        entry.stage = row.stage;
        entry.enemyClass = row.enemyClass;
        entry.x = row.x;
        entry.y = row.y;
        entry.z = row.z;
        entry.hitPoints = 2;
        entry.initiallyActive = 0;
        entry.time = row.time;
        entry.fireKind = row.fireKind;
        entry.yaw = row.yaw;
        entry.pitch = 0.0;
        entry.roll = 0.0;
        sink.AddEntry(entry);
    }
    // Every row counts towards its class's index, with an order or without.
    std::array<std::int32_t, 5> nextIndex{};
    for (const Row& row : kTable) {
        const std::int32_t index = nextIndex[ClassSlot(row.enemyClass)]++;
        if (row.goal.given) {
            sink.Order(row.enemyClass, index, row.goal.x, row.goal.y, row.goal.z, row.goal.ms);
        }
    }
}

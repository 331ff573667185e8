#include "enemies/enemy_schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

struct RecordedOrder {
    EnemyClass enemyClass;
    std::int32_t index;
    double x, y, z;
    std::int32_t durationMs;
};

// Keeps every call, and each entry's index within its class as the manager would count it.
class RecordingSink : public EnemyTimetableSink {
public:
    void AddEntry(const EnemyEntry& entry) override {
        entries.push_back(entry);
        classIndex.push_back(classCount[entry.enemyClass]++);
        if (!orders.empty()) entryAfterOrder = true;
    }
    void Order(EnemyClass enemyClass, std::int32_t index, double x, double y, double z,
               std::int32_t durationMs) override {
        orders.push_back({enemyClass, index, x, y, z, durationMs});
    }

    std::vector<EnemyEntry> entries;
    std::vector<std::int32_t> classIndex;
    std::map<EnemyClass, std::int32_t> classCount;
    std::vector<RecordedOrder> orders;
    bool entryAfterOrder = false;
};

class EnemySchedule : public ::testing::Test {
protected:
    void SetUp() override { BuildEnemySchedule(sink); }

    const RecordedOrder* FindOrder(EnemyClass enemyClass, std::int32_t index) const {
        for (const RecordedOrder& o : sink.orders) {
            if (o.enemyClass == enemyClass && o.index == index) return &o;
        }
        return nullptr;
    }

    RecordingSink sink;
};

EnemyClass Class(int n) { return static_cast<EnemyClass>(n); }

TEST_F(EnemySchedule, EntriesPerStageAndClass) {
    struct Expected {
        int stage, enemyClass, count;
    };
    const Expected table[] = {{1, 1, 64}, {1, 4, 4}, {1, 5, 15}, {2, 1, 27}, {2, 2, 40},
                              {2, 4, 32}, {3, 1, 8}, {3, 2, 8},  {3, 3, 15}, {3, 4, 16}};
    std::map<std::pair<int, int>, int> counted;
    for (const EnemyEntry& e : sink.entries) ++counted[{e.stage, static_cast<int>(e.enemyClass)}];
    EXPECT_EQ(sink.entries.size(), 229u);
    EXPECT_EQ(counted.size(), std::size(table)) << "a stage holds a class it should not";
    for (const Expected& x : table) {
        EXPECT_EQ((counted[{x.stage, x.enemyClass}]), x.count) << "stage " << x.stage << " class " << x.enemyClass;
    }
}

TEST_F(EnemySchedule, SpawnTimesPerStage) {
    struct Expected {
        int stage;
        std::int32_t first, last;
        std::size_t distinct;
    };
    const Expected table[] = {{1, 0, 110000, 20}, {2, 0, 105000, 15}, {3, 2000, 45000, 8}};
    for (const Expected& x : table) {
        std::set<std::int32_t> times;
        for (const EnemyEntry& e : sink.entries) {
            if (e.stage == x.stage) times.insert(e.time);
        }
        ASSERT_FALSE(times.empty());
        EXPECT_EQ(*times.begin(), x.first) << "stage " << x.stage;
        EXPECT_EQ(*times.rbegin(), x.last) << "stage " << x.stage;
        EXPECT_EQ(times.size(), x.distinct) << "stage " << x.stage;
    }
}

TEST_F(EnemySchedule, OrdersPerClassLeaveExactlyTheGivenEnemiesWithout) {
    EXPECT_FALSE(sink.entryAfterOrder) << "every entry must exist before the orders address them";
    EXPECT_EQ(sink.orders.size(), 218u);
    struct Expected {
        int enemyClass, enemies, orders;
        std::set<std::int32_t> without;
    };
    const Expected table[] = {{1, 99, 96, {66, 97, 98}},
                              {2, 48, 40, {23, 24, 25, 26, 27, 28, 29, 30}},
                              {3, 15, 15, {}},
                              {4, 52, 52, {}},
                              {5, 15, 15, {}}};
    for (const Expected& x : table) {
        const EnemyClass c = Class(x.enemyClass);
        EXPECT_EQ(sink.classCount[c], x.enemies) << "class " << x.enemyClass;
        std::set<std::int32_t> ordered;
        for (const RecordedOrder& o : sink.orders) {
            if (o.enemyClass != c) continue;
            EXPECT_GE(o.index, 0);
            EXPECT_LT(o.index, x.enemies) << "class " << x.enemyClass;
            EXPECT_TRUE(ordered.insert(o.index).second) << "class " << x.enemyClass << " index " << o.index << " twice";
        }
        EXPECT_EQ(ordered.size(), static_cast<std::size_t>(x.orders)) << "class " << x.enemyClass;
        std::set<std::int32_t> without;
        for (std::int32_t i = 0; i < x.enemies; ++i) {
            if (!ordered.contains(i)) without.insert(i);
        }
        EXPECT_EQ(without, x.without) << "class " << x.enemyClass;
    }
}

TEST_F(EnemySchedule, FixedRowsWithTheirOrders) {
    struct Row {
        int stage;
        std::int32_t time;
        int enemyClass;
        double x, y, z, yaw;
        std::int32_t fire;
        double tx, ty, tz;
        std::int32_t ms;
    };
    // stage, time, class, spawn (x, y, z), yaw, fire -> order (x, y, z), ms
    // clang-format off
    const Row table[] = {
        {1,      0, 1,   10,  10, 100,  10, 1,   10,  10, -10, 16000},
        {1,      0, 1,   10,   5, 100,  10, 1,    5,   5, -10, 16000},
        {1,      0, 1,    3,  10, 200,   0, 1,    3,  10, -10, 12000},
        {1,   1500, 1,   -3,   6, 200,   0, 1,   -3,   8, -10, 23000},
        {1,  13000, 1,   -5,   5, 200, -30, 1,   -5,   5, -10, 16000},
        {1,  22000, 5,    4,   6, 200,  10, 1,    4,   6,  10, 16000},
        {1,  34000, 5,    8,   8, 200,  10, 1,    8,   8, -10, 16000},
        {1,  38000, 4,   -8,   7, 200, -10, 1,   -8,  10, -10, 16000},
        {1, 110000, 1,  -16,   5, 200, -10, 1,  -16,   5, -10, 14000},
        {2,      0, 1,    0,   0, 150,   0, 1,    0,   0, -10, 14000},
        {2,  15000, 4,    0,   5, 200,   0, 1,    0,   7, -10, 14000},
        {2,  20000, 2,    0,   0, 200,   0, 1,    0,   0, -10, 14000},
        {2,  24000, 2,  -10,   0, 200, -10, 2,   10,   5, -10, 14000},
        {2,  41000, 4,   25,   5, 200,  10, 2,   25,   5, -10, 14000},
        {2, 105000, 1,  -25,   5, 200, -10, 2,  -15,   0, -10, 14000},
        {3,   2000, 3,    0,   0, 200,   0, 2,    0,   0, -10, 14000},
        {3,  13000, 4,   15,   1, 200,  10, 2,   15,   1, -10, 16000},
        {3,  30000, 3,  -15,   8, 200,  10, 2,  -15,   8, -10, 16000},
        {3,  45000, 3,   15, -10, 200,   0, 2,   15, -20, -10, 14000},
    };
    // clang-format on
    for (const Row& r : table) {
        SCOPED_TRACE(testing::Message() << "stage " << r.stage << " at " << r.time << " class " << r.enemyClass << " ("
                                        << r.x << ", " << r.y << ", " << r.z << ")");
        std::vector<std::int32_t> indices;
        for (std::size_t i = 0; i < sink.entries.size(); ++i) {
            const EnemyEntry& e = sink.entries[i];
            if (e.stage == r.stage && e.time == r.time && e.enemyClass == Class(r.enemyClass) && e.x == r.x &&
                e.y == r.y && e.z == r.z && e.yaw == r.yaw && e.fireKind == r.fire) {
                indices.push_back(sink.classIndex[i]);
            }
        }
        ASSERT_EQ(indices.size(), 1u);
        const RecordedOrder* order = FindOrder(Class(r.enemyClass), indices[0]);
        ASSERT_NE(order, nullptr);
        EXPECT_EQ(order->x, r.tx);
        EXPECT_EQ(order->y, r.ty);
        EXPECT_EQ(order->z, r.tz);
        EXPECT_EQ(order->durationMs, r.ms);
    }
    // The one order that ends short of the far plane belongs to class 5's eleventh enemy.
    const RecordedOrder* near = FindOrder(EnemyClass::k05, 10);
    ASSERT_NE(near, nullptr);
    EXPECT_EQ(near->z, 10.0);
}

TEST_F(EnemySchedule, EntriesStayWithinTheShape) {
    const std::set<double> spawnDepths{100, 150, 200};
    const std::set<double> yaws{-30, -10, 0, 10};
    std::map<int, std::set<std::int32_t>> fireKinds;
    for (const EnemyEntry& e : sink.entries) {
        SCOPED_TRACE(testing::Message() << "stage " << e.stage << " at " << e.time << " (" << e.x << ", " << e.y << ", "
                                        << e.z << ")");
        EXPECT_TRUE(e.x >= -25 && e.x <= 25);
        EXPECT_TRUE(e.y >= -10 && e.y <= 10);
        EXPECT_TRUE(spawnDepths.contains(e.z));
        EXPECT_TRUE(yaws.contains(e.yaw));
        EXPECT_EQ(e.pitch, 0.0);
        EXPECT_EQ(e.roll, 0.0);
        EXPECT_EQ(e.hitPoints, 2);
        EXPECT_EQ(e.initiallyActive, 0);
        fireKinds[e.stage].insert(e.fireKind);
    }
    EXPECT_EQ(fireKinds[1], (std::set<std::int32_t>{1}));
    EXPECT_EQ(fireKinds[2], (std::set<std::int32_t>{1, 2}));
    EXPECT_EQ(fireKinds[3], (std::set<std::int32_t>{1, 2}));
}

TEST_F(EnemySchedule, OrdersStayWithinTheShape) {
    const std::set<std::int32_t> durations{12000, 14000, 16000, 23000};
    for (const RecordedOrder& o : sink.orders) {
        SCOPED_TRACE(testing::Message() << "class " << static_cast<int>(o.enemyClass) << " index " << o.index);
        EXPECT_TRUE(durations.contains(o.durationMs));
        EXPECT_TRUE(o.x >= -25 && o.x <= 25);
        EXPECT_TRUE(o.y >= -20 && o.y <= 10);
        const bool stopsShort = o.enemyClass == EnemyClass::k05 && o.index == 10;
        EXPECT_EQ(o.z, stopsShort ? 10.0 : -10.0);
    }
}

TEST_F(EnemySchedule, WavesOfOneToEightMostOftenFourThenEight) {
    std::map<std::tuple<int, std::int32_t, EnemyClass>, int> waves;
    for (const EnemyEntry& e : sink.entries) ++waves[{e.stage, e.time, e.enemyClass}];
    std::map<int, int> bySize;
    for (const auto& [key, size] : waves) {
        EXPECT_TRUE(size >= 1 && size <= 8) << "a wave of " << size;
        ++bySize[size];
    }
    std::vector<std::pair<int, int>> ranked;  // (how often, size)
    for (const auto& [size, often] : bySize) ranked.emplace_back(often, size);
    std::sort(ranked.rbegin(), ranked.rend());
    ASSERT_GE(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].second, 4);
    EXPECT_EQ(ranked[1].second, 8);
    EXPECT_GT(ranked[1].first, ranked.size() > 2 ? ranked[2].first : 0) << "8 must be clearly second";
}

}  // namespace

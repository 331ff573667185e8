// The game-state digest a replay ends on: it must see every field a replay could get wrong.

#include "scenes/game_digest.h"

#include <cmath>

#include "core/registry.h"
#include "scenes/game_flow_support.h"

namespace {

TEST(StateDigestTest, FoldsValuesByTheirBits) {
    auto of = [](double v) {
        StateDigest d;
        d.Add(v);
        return d.Value();
    };
    EXPECT_NE(of(0.0), of(-0.0));
    EXPECT_NE(of(1.0), of(std::nextafter(1.0, 2.0)));
    StateDigest ab;
    ab.Add(std::int32_t{1});
    ab.Add(std::int32_t{2});
    StateDigest ba;
    ba.Add(std::int32_t{2});
    ba.Add(std::int32_t{1});
    EXPECT_NE(ab.Value(), ba.Value());
    // FNV-1a's offset basis for no bytes, and its value for one zero byte.
    EXPECT_EQ(0xCBF29CE484222325ull, StateDigest{}.Value());
    StateDigest zero;
    zero.Add(std::uint8_t{0});
    EXPECT_EQ(0xAF63BD4C8601B7DFull, zero.Value());
}

class GameDigestTest : public GameFlowTest {
protected:
    // The digest changes while the field holds another value and comes back with the old one.
    template <typename T>
    void ExpectSeen(T* field, T other, const char* what) {
        const std::uint64_t before = GameStateDigest(*game_);
        const T kept = *field;
        *field = other;
        EXPECT_NE(before, GameStateDigest(*game_)) << what;
        *field = kept;
        EXPECT_EQ(before, GameStateDigest(*game_)) << what;
    }
};

TEST_F(GameDigestTest, EveryKindOfRecordIsFolded) {
    Idle(500);
    PlayerState* ship = game_->Ship().StateRecord();
    ExpectSeen(&ship->x, std::nextafter(ship->x, 1e9), "ship x by one bit");
    ExpectSeen(&ship->life, ship->life - 1, "ship life");
    auto& enemies = game_->Enemies().Records(EnemyClass::k03);
    ASSERT_FALSE(enemies.empty());
    ExpectSeen(&enemies.back().roll, 0.125, "enemy roll");
    auto& shots = game_->Enemies().ShotRecords();
    ASSERT_FALSE(shots.empty());
    ExpectSeen(&shots.back().unused[4], 3.0, "enemy shot");
    auto& ring = game_->Ship().Items().Rings()[9];
    ExpectSeen(&ring.alpha, 0.5, "ring");
    Boss& boss = game_->Bosses().GetBoss(7);
    ExpectSeen(&boss.Body().reserved[2], 9.0, "boss body");
    int list = 0;
    while (list < Boss::kListCount && boss.List(list).Empty()) ++list;
    ASSERT_LT(list, Boss::kListCount);
    ExpectSeen(&boss.List(list)[0].timers[1], 77u, "boss bullet");

    const std::uint64_t before = GameStateDigest(*game_);
    AddScore(100);
    EXPECT_NE(before, GameStateDigest(*game_)) << "score";
    AddScore(-100);
    SetSceneFlag(SceneFlag::kStaff, 1);
    EXPECT_NE(before, GameStateDigest(*game_)) << "scene flag";
    SetSceneFlag(SceneFlag::kStaff, 0);
    EXPECT_EQ(before, GameStateDigest(*game_));
    clock_.Advance(1);
    UpdateStageClock(clock_.Ticks());
    EXPECT_NE(before, GameStateDigest(*game_)) << "stage clock";
}

}  // namespace

#include "soak/soak_pilot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/input/dik_codes.h"

namespace {

using namespace platform;

bool Holds(const std::vector<int>& keys, int code) { return std::find(keys.begin(), keys.end(), code) != keys.end(); }

TEST(SoakPilot, TheSameSeedPlaysTheSameKeysAndEveryGameKeyComesUp) {
    SoakPilot a(42), b(42), c(43);
    SoakPilot::View view;
    std::set<int> seen;
    bool differs = false;
    for (int i = 0; i < 3000; ++i) {
        const std::vector<int> keys = a.Keys(view);
        ASSERT_EQ(keys, b.Keys(view)) << "frame " << i;
        differs = differs || keys != c.Keys(view);
        seen.insert(keys.begin(), keys.end());
    }
    EXPECT_TRUE(differs) << "another seed played the same keys";
    EXPECT_EQ(seen, (std::set<int>{DIK_LEFT, DIK_RIGHT, DIK_UP, DIK_DOWN, DIK_Z, DIK_X, DIK_C}));
}

TEST(SoakPilot, OnTheTitleThePressNeverChoosesTheWayOut) {
    SoakPilot pilot(7);
    SoakPilot::View onStart{SoakPilot::Scene::kTitle, 0};
    SoakPilot::View onExit{SoakPilot::Scene::kTitle, 1};
    int presses = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::vector<int> start = pilot.Keys(onStart);
        if (Holds(start, DIK_Z)) {
            ++presses;
            EXPECT_FALSE(Holds(start, DIK_DOWN)) << "a move down beside the press would choose the way out";
        }
        EXPECT_FALSE(Holds(pilot.Keys(onExit), DIK_Z));
    }
    EXPECT_GT(presses, 100) << "the pilot never starts a game";
}

TEST(SoakPilot, InPlayItSteersForTheAimPartOfTheTime) {
    SoakPilot pilot(9);
    SoakPilot::View view{SoakPilot::Scene::kGame, 0, true, 0.0, 0.0, 20.0, -20.0};
    int towards = 0, away = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::vector<int> keys = pilot.Keys(view);
        towards += Holds(keys, DIK_RIGHT) && Holds(keys, DIK_DOWN) && !Holds(keys, DIK_LEFT) && !Holds(keys, DIK_UP);
        away += Holds(keys, DIK_LEFT) || Holds(keys, DIK_UP);
    }
    EXPECT_GT(towards, 1000);
    EXPECT_GT(away, 100) << "the random spells are gone";
}

}  // namespace

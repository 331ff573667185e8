#include "bosses/battle_rules.h"

#include <array>

namespace {

using T = BulletTest;

const std::array<BattleRules, 8>& AllRules() {
    static const std::array<BattleRules, 8> rules = {{
        {{{0, T::kFlat, true, false}, {1, T::kShot, false, false}}, T::kShot, DeathKind::kStageOneMid, 0, -1},
        {{{0, T::kShot, false, false}, {1, T::kSlab, false, false}}, T::kShot, DeathKind::kStageOneFinal, 0, 6},
        {{{0, T::kOrbit25, false, false}, {1, T::kRing, false, false}, {2, T::kShot, false, false}},
         T::kShot,
         DeathKind::kMid,
         0,
         -1},
        {{{1, T::kShot, false, false}, {2, T::kFlat, false, false, 1}}, T::kBig, DeathKind::kStageTwoFinal, 0, 7},
        {{{0, T::kShot, false, false}, {1, T::kBar, false, false}}, T::kShot, DeathKind::kMoon, 2, 8},
        {{{1, T::kFlat, false, true}, {2, T::kFlat, true, false}}, T::kShot, DeathKind::kMoon, 3, -1},
        {{{0, T::kBar, false, false},
          {1, T::kShot, false, false},
          {2, T::kShot, false, false},
          {3, T::kOffset5, false, false}},
         T::kShot,
         DeathKind::kMoonLast,
         4,
         -1},
        {{{0, T::kShot, false, false},
          {1, T::kBeam, false, false},
          {2, T::kSlab, false, false},
          {3, T::kSlab, false, false},
          {4, T::kFlat, false, false},
          {5, T::kShot, false, false}},
         T::kShot,
         DeathKind::kLast,
         0,
         9},
    }};
    return rules;
}

}  // namespace

const BattleRules& RulesFor(int index) {
    const auto& rules = AllRules();
    if (index < 0 || index >= static_cast<int>(rules.size())) return rules[2];
    return rules[static_cast<std::size_t>(index)];
}

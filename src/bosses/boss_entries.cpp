#include "bosses/boss_entries.h"

#include <array>

#include "bosses/bboss01.h"
#include "bosses/bboss02.h"
#include "bosses/bboss03.h"
#include "bosses/boss05.h"
#include "bosses/lboss04.h"
#include "bosses/smoon01.h"
#include "bosses/smoon02.h"
#include "bosses/smoon03.h"

namespace {

using T = BulletTest;

template <typename Class>
std::unique_ptr<Boss> Make() {
    return std::make_unique<Class>();
}

}  // namespace

std::span<const BossEntry> BossEntries() {
    // Built at first use: a roster may be made during static initialisation.
    // clang-format off
    static const std::array<BossEntry, 8> entries = {{
        {.make = &Make<Bboss01>, .assets = &Bboss01::Assets, .stage = 1, .life = 200, .appearAt = 80000,
         .rh = 2.0, .rv = 2.0, .rz = 2.0, .introKind = 1,
         .rules = {{{0, T::kFlat, true, false}, {1, T::kShot, false, false}}, T::kShot, DeathKind::kStageOneMid, 0, -1}},
        {.make = &Make<Bboss02>, .assets = &Bboss02::Assets, .stage = 1, .life = 300, .appearAt = 160000,
         .rh = 2.0, .rv = 2.0, .rz = 2.0, .introKind = 2, .shielded = 1,
         .rules = {{{0, T::kShot, false, false}, {1, T::kSlab, false, false}}, T::kShot, DeathKind::kStageOneFinal, 0, 6},
         .opensFlightArea = true},
        {.make = &Make<Bboss03>, .assets = &Bboss03::Assets, .stage = 2, .life = 300, .appearAt = 70000,
         .rh = 2.0, .rv = 2.0, .rz = 2.0, .introKind = 3,
         .rules = {{{0, T::kOrbit25, false, false}, {1, T::kRing, false, false}, {2, T::kShot, false, false}},
                   T::kShot, DeathKind::kMid, 0, -1}},
        {.make = &Make<Boss05>, .assets = &Boss05::Assets, .stage = 2, .life = 400, .appearAt = 120000,
         .rh = 2.0, .rv = 2.0, .rz = 2.0, .introKind = 4,
         .rules = {{{1, T::kShot, false, false}, {2, T::kFlat, false, false, 1}}, T::kBig, DeathKind::kStageTwoFinal, 0, 7},
         .captures = true},
        {.make = &Make<Smoon01>, .assets = &Smoon01::Assets, .stage = 3, .life = 200, .appearAt = 61000,
         .rh = 1.0, .rv = 1.0, .rz = 2.0, .introKind = 5,
         .rules = {{{0, T::kShot, false, false}, {1, T::kBar, false, false}}, T::kShot, DeathKind::kMoon, 2, 8}},
        {.make = &Make<Smoon02>, .assets = &Smoon02::Assets, .stage = 3, .life = 200, .appearAt = 62000,
         .rh = 1.0, .rv = 1.0, .rz = 2.0, .introKind = 7,
         .rules = {{{1, T::kFlat, false, true}, {2, T::kFlat, true, false}}, T::kShot, DeathKind::kMoon, 3, -1}},
        {.make = &Make<Smoon03>, .assets = &Smoon03::Assets, .stage = 3, .life = 200, .appearAt = 63000,
         .rh = 1.0, .rv = 1.0, .rz = 2.0, .introKind = 7,
         .rules = {{{0, T::kBar, false, false}, {1, T::kShot, false, false}, {2, T::kShot, false, false},
                    {3, T::kOffset5, false, false}},
                   T::kShot, DeathKind::kMoonLast, 4, -1}},
        {.make = &Make<Lboss04>, .assets = &Lboss04::Assets, .stage = 3, .life = 600, .appearAt = 93000,
         .rh = 2.0, .rv = 2.0, .rz = 2.0, .introKind = 6,
         .rules = {{{0, T::kShot, false, false}, {1, T::kBeam, false, false}, {2, T::kSlab, false, false},
                    {3, T::kSlab, false, false}, {4, T::kFlat, false, false}, {5, T::kShot, false, false}},
                   T::kShot, DeathKind::kLast, 0, 9}},
    }};
    // clang-format on
    return entries;
}

// The stage-2 final boss drawn through a real device with the game's meshes and pictures, under the
// game's camera at rest: its body, its fans and black holes, and its capture holes once they open.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bosses/boss05.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

class Boss05PixelTest : public GameDataDeviceTest {
protected:
    void SetUp() override {
        GameDataDeviceTest::SetUp();
        boss_.DrawContext().Bind(device_.get(), sprite_.get(), window_);
        ASSERT_TRUE(boss_.Load());
        ASSERT_TRUE(messages_.empty()) << messages_.front();
        boss_.Reset();
        BodyRecord& body = boss_.Body();
        body.active = 1;
        body.life = body.lifeMax = 400;
        body.z = 40.0;
        boss_.Start(clock_.Ticks(), 0);
    }
    // One frame of the boss: its draw, and with `update` its steps, which list its parts.
    Image Frame(bool update) {
        BeginFrame();
        if (update) {
            boss_.Step(clock_.Ticks());
        } else {
            boss_.StepBodyOnly(clock_.Ticks());
        }
        boss_.Draw();
        return EndFrame();
    }
    struct Spot {
        int x, y, r;
    };
    template <typename Record>
    Spot At(const Record& b, double radius) {
        const Vector3 c = Project(static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z));
        const Vector3 edge =
            Project(static_cast<float>(b.x + radius), static_cast<float>(b.y), static_cast<float>(b.z));
        return {static_cast<int>(c.x), static_cast<int>(c.y), static_cast<int>(std::abs(edge.x - c.x))};
    }
    // Pixels between the radii `inner` and `outer` of a spot whose brightness differs between two frames.
    static int Changed(const Image& a, const Image& b, Spot s, int inner, int outer) {
        int n = 0;
        for (int y = std::max(0, s.y - outer); y <= std::min(a.height - 1, s.y + outer); ++y) {
            for (int x = std::max(0, s.x - outer); x <= std::min(a.width - 1, s.x + outer); ++x) {
                const int d2 = (x - s.x) * (x - s.x) + (y - s.y) * (y - s.y);
                if (d2 < inner * inner || d2 > outer * outer) continue;
                n += std::abs(Brightness(a.At(x, y)) - Brightness(b.At(x, y))) > 20 ? 1 : 0;
            }
        }
        return n;
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    Boss05 boss_;
};

TEST_F(Boss05PixelTest, BodyFansBlackHolesAndOpenCaptureHolesDraw) {
    const Image bodyOnly = Frame(false);
    const Spot body = At(boss_.Body(), 2.0);
    int lit = 0;
    for (int y = body.y - 10; y <= body.y + 10; ++y) {
        for (int x = body.x - 10; x <= body.x + 10; ++x) lit += Brightness(bodyOnly.At(x, y)) > 30 ? 1 : 0;
    }
    EXPECT_GT(lit, 300) << "the body at " << body.x << "," << body.y;
    EXPECT_EQ(0, Brightness(bodyOnly.At(2, 2)));
    EXPECT_EQ(0, Brightness(bodyOnly.At(797, 597)));

    // The same tick with the boss's own steps: the fans on their rack and the four black holes appear.
    const Image withParts = Frame(true);
    for (int i = 0; i < Boss05::kFanCount; ++i) {
        const BossBullet& fan = boss_.List(Boss05::kFanList)[static_cast<std::size_t>(i)];
        const Spot s = At(fan, 0.9);
        EXPECT_GT(Changed(bodyOnly, withParts, s, 0, s.r), s.r * s.r / 2) << "fan " << i;
    }
    for (int k = 0; k < 4; ++k) {
        const Spot s = At(boss_.BlackHole(k), 1.5);
        EXPECT_GT(Changed(bodyOnly, withParts, s, 0, s.r), s.r * s.r) << "black hole " << k;
    }

    // The capture holes open after 3 s and are full size 2 s later, wider than their black holes.
    clock_.Advance(3001);
    Frame(true);
    ASSERT_TRUE(boss_.Running());
    clock_.Advance(2000);
    const Image open = Frame(true);
    BulletPool& holes = boss_.List(Boss05::kHoleList);
    for (BossBullet& hole : holes) hole.alive = 0;
    const Image closed = Frame(true);
    for (int j = 1; j < Boss05::kHoleEntries; ++j) {
        const Spot s = At(boss_.BlackHole(j), 2.8);
        const int sprite = s.r * 15 / 28;  // the black hole's own picture, 1.5 across
        EXPECT_GT(Changed(open, closed, s, sprite + 2, s.r), s.r * s.r) << "hole " << j;
    }
    std::uint32_t blend = 1;
    device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    EXPECT_EQ(0u, blend);
}

}  // namespace

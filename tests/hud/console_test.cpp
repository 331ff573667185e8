// The console on a real device: bar widths in pixels, the bomb stock's steps and animations, the radar
// marks and the boss gauge.

#include <array>
#include <deque>

#include "hud/hud_test_support.h"
#include "platform/core/events.h"

namespace {

int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

constexpr int kBarRow = 552;  // through the middle of the life bar and the boss gauge

PlayerState Ship() {
    PlayerState s = PlayerState::NewGame();
    s.bombs = 3;  // as many icons as the console shows at first: no stock change in these frames
    return s;
}

PlayerState WithLife(std::int32_t life) {
    PlayerState s = Ship();
    s.life = life;
    return s;
}

PlayerState WithDash(std::int32_t dash) {
    PlayerState s = Ship();
    s.dashCounter = dash;
    return s;
}

using ConsoleTest = HudTest;

TEST_F(ConsoleTest, LifeBarIsLifePixelsWideAndNeverLeavesItsArt) {
    const platform::Image empty = ConsoleFrame(WithLife(0));
    struct Case {
        std::int32_t life;
        int width;
    };
    for (const Case& c : {Case{223, 223}, Case{100, 100}, Case{-5, 0}, Case{500, 223}}) {
        const platform::Image f = ConsoleFrame(WithLife(c.life));
        EXPECT_EQ(c.width, DifferingColumns(f, empty, kBarRow, 0, 800)) << "life " << c.life;
        if (c.width > 0) {
            EXPECT_EQ(8, FirstDifferingColumn(f, empty, kBarRow, 0, 800)) << "life " << c.life;
            EXPECT_EQ(8 + c.width - 1, LastDifferingColumn(f, empty, kBarRow, 0, 800)) << "life " << c.life;
        }
        // Nothing but the bar's rows changes.
        EXPECT_EQ(0, DifferingColumns(f, empty, 540, 0, 800)) << "life " << c.life;
        EXPECT_EQ(0, DifferingColumns(f, empty, 564, 0, 800)) << "life " << c.life;
    }
}

// The dash bar shrinks from the top: 158 rows at 0, one row at the full meter of 157. A meter past 157
// is drawn as full instead of as an inverted rectangle.
TEST_F(ConsoleTest, DashBarShrinksFromTheTopAndClampsAtTheFullMeter) {
    const platform::Image full = ConsoleFrame(WithDash(157));
    auto barRows = [&](const platform::Image& f) {
        int rows = 0, top = -1;
        for (int y = 340; y < 540; ++y) {
            if (PixelDifference(f.At(36, y), full.At(36, y)) > 12) {
                ++rows;
                if (top < 0) top = y;
            }
        }
        return std::pair{rows, top};
    };
    // Against the full meter the bar's rows above the last one differ.
    EXPECT_EQ(std::pair(157, 361), barRows(ConsoleFrame(WithDash(0))));
    EXPECT_EQ(std::pair(57, 461), barRows(ConsoleFrame(WithDash(100))));
    EXPECT_EQ(std::pair(0, -1), barRows(ConsoleFrame(WithDash(200))));
    EXPECT_EQ(std::pair(0, -1), barRows(ConsoleFrame(WithDash(157))));
}

bool IconShown(const platform::Image& f, int i) { return PixelDifference(f.At(78, 508 - 35 * i), 0xFF000000u) > 60; }

TEST_F(ConsoleTest, NewGameWithOneBombDropsFromThreeIconsToOneInTwoFrames) {
    PlayerState s = PlayerState::NewGame();
    ASSERT_EQ(1, s.bombs);
    EXPECT_EQ(3, console_.ShownBombs());
    platform::Image f = ConsoleFrame(s);
    EXPECT_EQ(2, console_.ShownBombs());
    EXPECT_TRUE(IconShown(f, 0));
    EXPECT_TRUE(IconShown(f, 1));
    EXPECT_FALSE(IconShown(f, 2));
    f = ConsoleFrame(s);
    EXPECT_EQ(1, console_.ShownBombs());
    EXPECT_TRUE(IconShown(f, 0));
    EXPECT_FALSE(IconShown(f, 1));
    f = ConsoleFrame(s);
    EXPECT_EQ(1, console_.ShownBombs());
    EXPECT_FALSE(console_.PickupRunning());
}

// Each animation steps one cell per 33 ms frame through fifteen cells and adds its icon at the end;
// the second starts on the frame after the first ends.
TEST_F(ConsoleTest, TwoPickUpsPlayTwoAnimationsOneAfterTheOther) {
    PlayerState s = PlayerState::NewGame();
    ConsoleFrame(s);
    ConsoleFrame(s);
    ASSERT_EQ(1, console_.ShownBombs());
    s.bombs = 3;
    std::vector<int> shown;
    std::deque<bool> running;
    int animatedFrames = 0;
    for (int frame = 0; frame < 40; ++frame) {
        const platform::Image f = ConsoleFrame(s);
        shown.push_back(console_.ShownBombs());
        running.push_back(console_.PickupRunning());
        // The animation is drawn where the next icon will appear, above the icons already shown.
        if (running.back()) animatedFrames += PixelDifference(f.At(81, 506 - 35 * shown.back()), 0xFF000000u) > 30;
    }
    // Frame 0 starts the first animation; it ends on frame 15 with the second icon.
    for (int i = 0; i < 15; ++i) EXPECT_EQ(1, shown[i]) << i;
    EXPECT_EQ(2, shown[15]);
    EXPECT_FALSE(running[15]);
    EXPECT_TRUE(running[16]);
    for (int i = 16; i < 31; ++i) EXPECT_EQ(2, shown[i]) << i;
    EXPECT_EQ(3, shown[31]);
    for (int i = 31; i < 40; ++i) {
        EXPECT_EQ(3, shown[i]) << i;
        EXPECT_FALSE(running[i]) << i;
    }
    EXPECT_GT(animatedFrames, 10);
}

TEST_F(ConsoleTest, BombIconsStopAtFive) {
    PlayerState s = Ship();
    s.bombs = 40;
    platform::Image f;
    for (int frame = 0; frame < 80; ++frame) f = ConsoleFrame(s);
    EXPECT_EQ(5, console_.ShownBombs());
    EXPECT_FALSE(console_.PickupRunning());
    EXPECT_TRUE(IconShown(f, 4));
    EXPECT_FALSE(IconShown(f, 5));
}

// The ship at (0, 0, 15): an enemy 50 ahead is marked at (385, 540); one 150 ahead, one 20 to the side
// and one that is not active are not.
TEST_F(ConsoleTest, RadarMarksActiveEnemiesInRangeOnly) {
    std::array<EnemyRecord, 4> enemies{};
    for (EnemyRecord& e : enemies) {
        e.active = 1;
        console_.AddRadarTarget(&e);
    }
    EXPECT_EQ(4u, console_.RadarTargetCount());
    const PlayerState s = Ship();
    auto place = [&](int i, double x, double z, std::uint8_t active) {
        enemies[static_cast<std::size_t>(i)].x = x;
        enemies[static_cast<std::size_t>(i)].z = z;
        enemies[static_cast<std::size_t>(i)].active = active;
    };
    for (int i = 0; i < 4; ++i) place(i, 0, 0, 0);
    const platform::Image none = ConsoleFrame(s);

    place(0, 0, 165, 1);   // 150 ahead
    place(1, 20, 65, 1);   // 20 to the side
    place(2, 0, 65, 0);    // in range but gone
    place(3, 0, 65, 1);    // 50 ahead
    const platform::Image marked = ConsoleFrame(s);
    int inside = 0, outside = 0;
    for (int y = 480; y < 600; ++y) {
        for (int x = 300; x < 505; ++x) {
            const bool changed = PixelDifference(marked.At(x, y), none.At(x, y)) > 12;
            const bool inMark = x >= 385 && x < 400 && y >= 540 && y < 555;
            (inMark ? inside : outside) += changed;
        }
    }
    EXPECT_GT(inside, 40);
    EXPECT_EQ(0, outside);

    place(3, 0, 65, 0);
    const platform::Image gone = ConsoleFrame(s);
    EXPECT_EQ(0, DifferingColumns(gone, none, 547, 300, 505));
}

// The boss gauge is the life bar's mirror in the right frame: (223 - value) pixels ending 8 pixels
// inside the frame's right edge, so it grows leftwards as a boss enters and is empty between battles.
TEST_F(ConsoleTest, BossGaugeFillsLeftwardsFromTheRightFrameEdge) {
    EXPECT_EQ(Console::kBossGaugeEmpty, *console_.BossGaugeValue());
    const platform::Image empty = ConsoleFrame(Ship());
    std::int32_t* gauge = console_.BossGaugeValue();
    struct Case {
        std::int32_t value;
        int width;
    };
    for (const Case& c : {Case{0, 223}, Case{111, 112}, Case{223, 0}, Case{-40, 223}, Case{400, 0}}) {
        *gauge = c.value;
        const platform::Image f = ConsoleFrame(Ship());
        EXPECT_EQ(c.width, DifferingColumns(f, empty, kBarRow, 0, 800)) << "value " << c.value;
        if (c.width > 0) {
            EXPECT_EQ(790, LastDifferingColumn(f, empty, kBarRow, 0, 800)) << "value " << c.value;
            EXPECT_EQ(791 - c.width, FirstDifferingColumn(f, empty, kBarRow, 0, 800)) << "value " << c.value;
        }
        EXPECT_EQ(0, DifferingColumns(f, empty, 564, 0, 800)) << "value " << c.value;
    }
    // Drawn flipped: the bar's warm end lies at the outer edge and its cool end inwards, as the life bar's.
    *gauge = 0;
    const platform::Image f = ConsoleFrame(WithLife(223));
    auto warmth = [&](int x) { return Red(f.At(x, kBarRow)) - Blue(f.At(x, kBarRow)); };
    EXPECT_GT(warmth(9), 0);
    EXPECT_LT(warmth(229), 0);
    EXPECT_GT(warmth(789), 0);
    EXPECT_LT(warmth(569), 0);
}

// The battle writes the gauge after the console's step: the frame shows the gauge the step found, and
// the next frame the new one.
TEST_F(ConsoleTest, BossGaugeIsShownAsTheStepFoundIt) {
    const platform::Image empty = ConsoleFrame(Ship());
    std::int32_t* gauge = console_.BossGaugeValue();
    const platform::Image full = ConsoleFrame(Ship(), [&] { *gauge = 0; });
    EXPECT_EQ(0, DifferingColumns(full, empty, kBarRow, 0, 800));
    EXPECT_EQ(223, DifferingColumns(ConsoleFrame(Ship()), empty, kBarRow, 0, 800));
}

TEST_F(ConsoleTest, MissingPictureShowsItsLostText) {
    const std::filesystem::path dataDir = std::filesystem::current_path();
    std::filesystem::current_path(dataDir.parent_path());
    Console console;
    console.Bind(device_.get(), sprite_.get(), window_);
    EXPECT_FALSE(console.Load());
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ("consoleロスト", messages_[0]);
    std::filesystem::current_path(dataDir);
    int code = 0;
    platform::PumpMessages(&code);  // takes the quit the failure posted
}

}  // namespace

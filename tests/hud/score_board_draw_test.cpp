// The board drawn with the game's own pictures on a device, read back from the screen.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/registry.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/device_states.h"
#include "platform/gfx/image.h"
#include "platform/gfx/sprite.h"
#include "score_board_support.h"
#include "support/test_device.h"

namespace fs = std::filesystem;

namespace {

class ScoreBoardDrawTest : public ScoreBoardTest {
protected:
    void SetUp() override {
        ScoreBoardTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(test_.Open("KorvexSample"));
        dir_.WriteFile("score.txt", "10000");
    }
    void TearDown() override {
        test_.Close();
        ScoreBoardTest::TearDown();
    }

    void LinkPicture(const std::string& name) {
        fs::create_directories("t");
        fs::create_symlink(fs::path(KORVEX_DATA_DIR) / "t" / name, fs::path("t") / name);
    }

    platform::Image DrawFrame(ScoreBoard& board) {
        device_->Clear(0, nullptr, platform::D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        device_->BeginScene();
        sprite_->Begin(platform::D3DXSPRITE_ALPHABLEND);
        board.Step(clock_.Ticks());
        board.Draw();
        sprite_->End();
        device_->EndScene();
        platform::Image image;
        EXPECT_EQ(platform::S_OK, device_->GetBackBufferImage(&image));
        return image;
    }

    TestDevice test_;
    platform::WindowHandle& window_ = test_.window;
    std::unique_ptr<platform::Device>& device_ = test_.device;
    std::unique_ptr<platform::Sprite>& sprite_ = test_.sprite;
};

// Sum of the red, green and blue of every pixel in the rectangle.
long Brightness(const platform::Image& image, int left, int top, int right, int bottom) {
    long sum = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t c = image.At(x, y);
            sum += static_cast<long>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF));
        }
    }
    return sum;
}

long BannerBrightness(const platform::Image& image) { return Brightness(image, 50, 200, 178, 232); }

}  // namespace

TEST_F(ScoreBoardDrawTest, NumbersLabelsAndTheFadingBannerReachTheScreen) {
    for (const char* name : {"console.png", "console4.png", "score2.png", "update.png"}) LinkPicture(name);
    ScoreBoard board;
    board.Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(board.Load());
    ASSERT_TRUE(messages_.empty());
    board.Update(30, PlayerState::NewGame());

    clock_.Advance(1500);
    SetScore(9000);
    platform::Image frame = DrawFrame(board);
    EXPECT_EQ(BannerBrightness(frame), 0) << "no banner below the record";
    EXPECT_GT(Brightness(frame, 10, 10, 266, 42), 0) << "label";
    EXPECT_GT(Brightness(frame, 40, 50, 310, 80), 0) << "high score";
    EXPECT_GT(Brightness(frame, 40, 150, 310, 180), 0) << "score";
    EXPECT_GT(Brightness(frame, 245, 549, 275, 563), 0) << "life";
    EXPECT_GT(Brightness(frame, 530, 549, 550, 563), 0) << "frame rate";

    // A record: the banner fades in, starting over every two seconds.
    SetScore(12000);
    const long late = BannerBrightness(DrawFrame(board));  // 75 % through its loop
    clock_.Advance(750);
    const long early = BannerBrightness(DrawFrame(board));  // 12.5 % through the next
    EXPECT_GT(early, 0);
    EXPECT_GT(late, 2 * early);
    EXPECT_EQ(board.HighScore(), 12000);
}

TEST_F(ScoreBoardDrawTest, MissingPictureEndsTheProgramBeforeTheRecordIsRead) {
    for (const char* name : {"console.png", "console4.png", "score2.png"}) LinkPicture(name);
    {
        ScoreBoard board;
        board.Bind(device_.get(), sprite_.get(), window_);
        EXPECT_FALSE(board.Load());
        EXPECT_FALSE(board.HighScoreRead());
        SetScore(99999);
        board.Step(clock_.Ticks());
        board.Draw();
    }
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first, "updateロスト");
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000") << "a record never read is never written";
}

#include "hud/score_board.h"

#include <cstdio>

#include "core/registry.h"
#include "core/track_value.h"
#include "hud/high_score_file.h"
#include "platform/core/clock.h"
#include "platform/core/message_box.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr float kLargeDigitStep = 30.0f;
constexpr float kSmallDigitStep = 10.0f;
// The 2 of the large digits is the widest; it is moved left so the numbers look evenly spaced.
constexpr float kLargeTwoShift = 7.0f;
constexpr int kLargeDigitsShown = 9;
constexpr platform::Rect kHighScoreLabel{0, 0, 256, 32};
constexpr platform::Rect kScoreLabel{0, 32, 256, 64};
constexpr platform::Rect kBannerSource{0, 0, 128, 32};

constexpr AssetRef kSmallDigitsPicture = PictureAsset("t\\console.png");
constexpr AssetRef kLargeDigitsPicture = PictureAsset("t\\console4.png");
constexpr AssetRef kLabelsPicture = PictureAsset("t\\score2.png");
constexpr AssetRef kBannerPicture = PictureAsset("t\\update.png");
constexpr AssetRef kAssets[] = {kSmallDigitsPicture, kLargeDigitsPicture, kLabelsPicture, kBannerPicture};

// The number as "%d" puts it into a zero-filled 20-character buffer: places past its end hold zeros,
// which draw nothing but keep their places.
struct NumberText {
    explicit NumberText(std::int32_t value) { std::snprintf(chars, sizeof chars, "%d", value); }
    char chars[20] = {};
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AddSmallNumber(std::vector<ScoreBoard::Piece>* pieces, int count, std::int32_t value, float x, float y) {
    const NumberText text(value);
    for (int i = 0; i < count; ++i) {
        const char c = text.chars[i];
        if (!IsDigit(c)) continue;
        pieces->push_back({ScoreBoard::Picture::kSmallDigits, ScoreBoard::kSmallDigits[c - '0'],
                           x + kSmallDigitStep * static_cast<float>(i), y, kOpaqueWhite});
    }
}

void AddLargeNumber(std::vector<ScoreBoard::Piece>* pieces, std::int32_t value, float x, float y) {
    const NumberText text(value);
    for (int i = 0; i < kLargeDigitsShown; ++i) {
        const char c = text.chars[i];
        if (!IsDigit(c)) continue;
        const float shift = c == '2' ? kLargeTwoShift : 0.0f;
        pieces->push_back({ScoreBoard::Picture::kLargeDigits, ScoreBoard::kLargeDigits[c - '0'],
                           x - shift + kLargeDigitStep * static_cast<float>(i), y, kOpaqueWhite});
    }
}

}  // namespace

ScoreBoard::ScoreBoard(std::uint32_t bannerStart) {
    static const float kKeys[2][2] = {{0.0f, 0.0f}, {1.0f, 1.0f}};
    bannerTrack_.SetKeyCount(2);
    SetKeys(bannerTrack_, kKeys);
    bannerTrack_.SetDuration(kBannerLoopMs);
    bannerTrack_.SetLooping(1);
    bannerTrack_.SetStart(bannerStart);
}

ScoreBoard::~ScoreBoard() {
    smallDigits_.reset();
    largeDigits_.reset();
    labels_.reset();
    banner_.reset();
    SaveHighScore();
}

std::span<const AssetRef> ScoreBoard::Assets() { return kAssets; }

bool ScoreBoard::Load() {
    if (!TextureLoadDefault(kSmallDigitsPicture.path, &smallDigits_, *this)) return LoadFailed(*this, "文字ファイルロスト");
    if (!TextureLoadDefault(kLargeDigitsPicture.path, &largeDigits_, *this)) return LoadFailed(*this, "console4ロスト");
    if (!TextureLoadDefault(kLabelsPicture.path, &labels_, *this)) return LoadFailed(*this, "score2ロスト");
    if (!TextureLoadDefault(kBannerPicture.path, &banner_, *this)) return LoadFailed(*this, "updateロスト");
    return ReadHighScore();
}

bool ScoreBoard::ReadHighScore() {
    if (savesRecord_) RemoveHighScoreLeftovers();
    std::int32_t score = 0;
    if (!ReadHighScoreFile(&score)) return LoadFailed(*this, "score.txtロスト");
    highScore_ = score;
    highScoreOnDisk_ = score;
    highScoreRead_ = true;
    return true;
}

void ScoreBoard::Update(std::int32_t fps, PlayerState player) {
    frameRate_ = fps;
    lifePercent_ = player.life * 100 / PlayerState::kFullLife;
}

std::vector<ScoreBoard::Piece> ScoreBoard::Pieces(std::uint32_t now) const {
    std::vector<Piece> pieces;
    const std::int32_t score = GetScore();
    AddSmallNumber(&pieces, 2, frameRate_, 530.0f, 549.0f);
    AddSmallNumber(&pieces, 3, lifePercent_, lifePercent_ == 100 ? 245.0f : 250.0f, 549.0f);
    AddLargeNumber(&pieces, highScore_, 40.0f, 50.0f);
    AddLargeNumber(&pieces, score, 40.0f, 150.0f);
    pieces.push_back({Picture::kLabels, kHighScoreLabel, 10.0f, 10.0f, kOpaqueWhite});
    pieces.push_back({Picture::kLabels, kScoreLabel, 10.0f, 100.0f, kOpaqueWhite});
    if (score >= highScore_) {
        pieces.push_back({Picture::kBanner, kBannerSource, 50.0f, 200.0f, FadeColour(TrackValue(bannerTrack_, now))});
    }
    return pieces;
}

void ScoreBoard::Step(std::uint32_t now) {
    // Kept before the frame's hits add to the score: the frame shows the score as it stood.
    shown_ = Pieces(now);
    const std::int32_t score = GetScore();
    if (score >= highScore_) highScore_ = score;
}

void ScoreBoard::Draw() {
    ScopedDrawState ownAlpha(device_, draw_state::kAlphaBlend);
    for (const Piece& piece : shown_) {
        // The labels and the banner take their alpha through the texture factor: that is how the banner fades.
        const bool factor = piece.picture == Picture::kLabels || piece.picture == Picture::kBanner;
        ScopedDrawState fade(device_, factor ? draw_state::TextureFactor(piece.colour) : DrawState{});
        DrawPicture(*this, PictureTexture(piece.picture), &piece.source, piece.x, piece.y, 1.0f, 1.0f, piece.colour);
    }
}

bool ScoreBoard::SaveHighScore() {
    if (!savesRecord_ || !highScoreRead_ || highScore_ == highScoreOnDisk_) return true;
    // A game beside this one may have saved a better record since this one read it: never lower it. The
    // lock keeps another's save out from this read to the rename.
    const platform::ReplacementLock lock = LockHighScoreFile();
    std::int32_t onDisk = 0;
    if (ReadHighScoreFile(&onDisk) && onDisk >= highScore_) {
        highScoreOnDisk_ = highScore_;
        return true;
    }
    if (WriteHighScoreFile(highScore_)) {
        highScoreOnDisk_ = highScore_;
        return true;
    }
    if (failureShownFor_ != highScore_) {
        failureShownFor_ = highScore_;
        platform::MessageBox(GetWindow(), "エラー", "書き込めません");
    }
    return false;
}

platform::Texture* ScoreBoard::PictureTexture(Picture picture) const {
    switch (picture) {
        case Picture::kSmallDigits:
            return smallDigits_.get();
        case Picture::kLargeDigits:
            return largeDigits_.get();
        case Picture::kLabels:
            return labels_.get();
        case Picture::kBanner:
            return banner_.get();
    }
    return nullptr;
}

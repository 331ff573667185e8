#pragma once
// The score display of the game scene: the high score and the score in large digits under their
// labels, the frame rate and the player's life in percent in small digits, and a new-record banner that
// fades in again and again while the score has reached the high score. It also keeps the high score in
// its file: read at load, written back whenever a game ends and when the board is destroyed.

#include <cstdint>
#include <span>
#include <vector>

#include "core/keyframe_track.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/texture.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class ScoreBoard : public Drawable {
public:
    enum class Picture : std::uint8_t { kSmallDigits, kLargeDigits, kLabels, kBanner };
    // One picture drawn by the board: part `source` of `picture` with its top-left corner at (x, y).
    struct Piece {
        Picture picture;
        platform::Rect source;
        float x;
        float y;
        std::uint32_t colour;
    };

    // Digits 0 to 9 in t\console.png and t\console4.png.
    static constexpr platform::Rect kSmallDigits[10] = {
        {160, 289, 167, 303}, {168, 289, 175, 303}, {176, 289, 182, 303}, {185, 289, 191, 303}, {192, 289, 199, 303},
        {200, 289, 207, 303}, {208, 289, 215, 303}, {216, 289, 223, 303}, {224, 289, 231, 303}, {232, 289, 239, 303}};
    static constexpr platform::Rect kLargeDigits[10] = {
        {1, 0, 22, 30},    {27, 0, 41, 30},   {45, 0, 74, 30},   {78, 0, 99, 30},   {104, 0, 128, 30},
        {130, 0, 151, 30}, {155, 0, 176, 30}, {181, 0, 202, 30}, {207, 0, 227, 30}, {232, 0, 253, 30}};
    static constexpr std::uint32_t kBannerLoopMs = 2000;

    // Starts the banner's loop.
    // The new-record banner fades in a loop that starts at bannerStart.
    explicit ScoreBoard(std::uint32_t bannerStart = 0);
    // Releases the pictures, then saves the high score as SaveHighScore does.
    ~ScoreBoard() override;
    ScoreBoard(const ScoreBoard&) = delete;
    ScoreBoard& operator=(const ScoreBoard&) = delete;

    // The four pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    // The four pictures, then the high score (ReadHighScore). The first file that fails ends the
    // program through the loaders' convention, and nothing after it is tried.
    bool Load();
    // Reads the high-score file; a missing or unreadable file ends the program the same way. A board that
    // saves also clears away what cut-off saves left beside the file.
    bool ReadHighScore();
    // A replay plays someone else's game: its board shows the record from the file but never writes it.
    // Before Load.
    void SetSavesRecord(bool saves) { savesRecord_ = saves; }

    void Update(std::int32_t fps, PlayerState player);
    // Keeps what the frame shows at tick now (Pieces), then raises the high score to the score when the
    // score has reached it.
    void Step(std::uint32_t now);
    // Inside the caller's sprite bracket: the pieces the last Step kept.
    void Draw();
    // What the board shows at tick now, in drawing order (the high score not yet raised).
    std::vector<Piece> Pieces(std::uint32_t now) const;

    // Writes the high score to its file when it was read at load and has changed since it was last
    // written, unless the file holds as much by now (another game beside this one saved it). A failed
    // write keeps the old file and shows "エラー" / "書き込めません", once for each record that could not
    // be kept; a later call tries again. True when the file holds the record.
    bool SaveHighScore();

    std::int32_t HighScore() const { return highScore_; }
    bool HighScoreRead() const { return highScoreRead_; }
    std::int32_t FrameRate() const { return frameRate_; }
    std::int32_t LifePercent() const { return lifePercent_; }

private:
    platform::Texture* PictureTexture(Picture picture) const;

    platform::TexturePtr smallDigits_;
    platform::TexturePtr largeDigits_;
    platform::TexturePtr labels_;
    platform::TexturePtr banner_;
    std::int32_t frameRate_ = 0;
    std::int32_t lifePercent_ = 0;
    std::int32_t highScore_ = 0;
    KeyframeTrack bannerTrack_;
    // The record is written back only when it came from the file: a board that could not read it
    // would otherwise put 0 over a good record.
    bool highScoreRead_ = false;
    std::int32_t highScoreOnDisk_ = 0;
    std::int64_t failureShownFor_ = -1;
    bool savesRecord_ = true;
    std::vector<Piece> shown_;
};

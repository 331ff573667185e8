#include "hud/console.h"

#include <algorithm>

#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/device_types.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr std::uint32_t kHalfWhite = 0x80FFFFFFu;

// Pieces of t\console.png.
constexpr platform::Rect kLifeFrame{0, 0, 296, 31};
constexpr platform::Rect kRightFrame{7, 32, 303, 63};
constexpr platform::Rect kDashFrame{0, 64, 31, 223};
constexpr platform::Rect kCentrePiece{48, 76, 247, 191};
constexpr platform::Rect kRadarMark{304, 64, 319, 79};
constexpr platform::Rect kBombIcon{48, 208, 65, 225};
constexpr std::int32_t kLifeBarLeft = 40, kLifeBarTop = 260, kLifeBarBottom = 283;
constexpr std::int32_t kDashBarLeft = 3, kDashBarTop = 228, kDashBarRight = 29, kDashBarBottom = 386;

// The boss gauge mirrors the life bar in the right frame: the life bar starts 8 pixels inside the left
// frame's left edge, the boss gauge ends 8 pixels inside the right frame's right edge and is drawn
// flipped, so it grows leftwards from there.
constexpr float kRightFrameX = 503.0f;
constexpr float kBossGaugeRightEdge = kRightFrameX + (kRightFrame.right - kRightFrame.left) - 8.0f;

constexpr float kRadarX = 385.0f, kRadarY = 565.0f;
constexpr float kPickupCell = 64.0f;
constexpr float kPickupSheet = 256.0f;
constexpr float kPickupLastCell = 192.0f;

constexpr AssetRef kConsolePicture = PictureAsset("t\\console.png", platform::kColourKeyWhite);
constexpr AssetRef kPickupPicture = PictureAsset("t\\getbom.png");
constexpr AssetRef kAssets[] = {kConsolePicture, kPickupPicture};

}  // namespace

std::span<const AssetRef> Console::Assets() { return kAssets; }

bool Console::Load() {
    if (!TextureLoadKeyed(kConsolePicture.path, &console_, *this, kConsolePicture.colourKey)) {
        return LoadFailed(*this, "consoleロスト");
    }
    if (!TextureLoadKeyed(kPickupPicture.path, &pickup_, *this, kPickupPicture.colourKey)) {
        return LoadFailed(*this, "getbomロスト");
    }
    return true;
}

void Console::AddRadarTarget(const EnemyRecord* enemy) {
    if (enemy) radar_.push_back(enemy);
}

void Console::Step(std::uint32_t now, PlayerState state) {
    // Kept now, before the frame's hit tests: the gauges show the life and the boss's gauge as they
    // stood, and the radar the enemies the ship's shots are about to put out.
    // Values beyond the art would cut into the neighbouring pieces of the picture.
    shown_.life = std::clamp(state.life, 0, kLifeBarWidth);
    shown_.dash = std::clamp(state.dashCounter, 0, kDashMax);
    shown_.bossGauge = bossGauge_;
    shown_.radarMarks.clear();
    for (const EnemyRecord* enemy : radar_) {
        if (enemy->active != 1) continue;
        float x = 0.0f, y = 0.0f;
        if (tests_.RadarProjection(kRadarX, kRadarY, state, *enemy, &x, &y)) shown_.radarMarks.push_back({x, y});
    }
    StepBombStock(now, state.bombs);
}

void Console::StepBombStock(std::uint32_t now, std::int32_t bombs) {
    // The stock never exceeds five; more icons would climb over the dash gauge.
    const std::int32_t wanted = std::clamp(bombs, 0, kMaxBombIcons);
    shownBombs_ = std::clamp(shownBombs_, 0, kMaxBombIcons);
    if (shownBombs_ < wanted && !pickupRunning_) {
        pickupLastStep_ = now;
        pickupInterval_ = static_cast<std::int32_t>(kPickupStepMs);
        pickupRunning_ = 1;
    } else if (wanted < shownBombs_) {
        --shownBombs_;
    }

    shown_.pickupShown = pickupRunning_ != 0;
    if (pickupRunning_) {
        // Shown where the next icon will appear, in the cell before this frame's step.
        shown_.pickupCell = platform::Rect{static_cast<std::int32_t>(pickupU_), static_cast<std::int32_t>(pickupV_),
                                           static_cast<std::int32_t>(pickupU_ + kPickupCell),
                                           static_cast<std::int32_t>(pickupV_ + kPickupCell)};
        shown_.pickupY = 490.0f - 35.0f * static_cast<float>(shownBombs_);
        if (now - pickupLastStep_ > static_cast<std::uint32_t>(pickupInterval_)) {
            pickupLastStep_ = now;
            pickupU_ += kPickupCell;
            if (pickupU_ >= kPickupSheet) {
                pickupU_ = 0.0f;
                pickupV_ += kPickupCell;
            }
            if (pickupU_ == kPickupLastCell && pickupV_ == kPickupLastCell) {
                pickupRunning_ = 0;
                pickupU_ = pickupV_ = 0.0f;
                shownBombs_ = std::min(shownBombs_ + 1, kMaxBombIcons);
            }
        }
    }
    shown_.bombIcons = shownBombs_;
}

void Console::Draw() {
    if (!console_ || !pickup_) return;
    {
        // The frames are half transparent by their colour, whatever an earlier drawing of the same
        // bracket left: the colour tints and fades the pictures.
        ScopedDrawState tinted(device_, draw_state::kTranslucent + draw_state::kTextureTimesLight);
        DrawGauges();
    }
    ScopedDrawState ownAlpha(device_, draw_state::kAlphaBlend);
    DrawRadar();
    DrawBombStock();
}

void Console::DrawGauges() {
    const std::int32_t life = shown_.life;
    const std::int32_t dash = shown_.dash;
    DrawPicture(*this, console_.get(), &kLifeFrame, 0.0f, 537.0f, 1.0f, 1.0f, kHalfWhite);
    if (life > 0) {
        const platform::Rect bar{kLifeBarLeft, kLifeBarTop, kLifeBarLeft + life, kLifeBarBottom};
        DrawPicture(*this, console_.get(), &bar, 8.0f, 541.0f, 1.0f, 1.0f, kHalfWhite);
    }
    DrawPicture(*this, console_.get(), &kRightFrame, kRightFrameX, 537.0f, 1.0f, 1.0f, kHalfWhite);
    DrawBossGauge();

    DrawPicture(*this, console_.get(), &kDashFrame, 20.0f, 357.0f, 1.0f, 1.0f, kOpaqueWhite);
    const platform::Rect dashBar{kDashBarLeft, kDashBarTop + dash, kDashBarRight, kDashBarBottom};
    DrawPicture(*this, console_.get(), &dashBar, 23.0f, 361.0f + static_cast<float>(dash), 1.0f, 1.0f,
                kOpaqueWhite);
    DrawPicture(*this, console_.get(), &kCentrePiece, 302.0f, 485.0f, 1.0f, 1.0f, kOpaqueWhite);
}

void Console::DrawBossGauge() {
    const std::int32_t filled = kBossGaugeEmpty - std::clamp(shown_.bossGauge, 0, kBossGaugeEmpty);
    if (filled <= 0) return;
    const platform::Rect bar{kLifeBarLeft, kLifeBarTop, kLifeBarLeft + filled, kLifeBarBottom};
    DrawPicture(*this, console_.get(), &bar, kBossGaugeRightEdge, 541.0f, -1.0f, 1.0f, kHalfWhite);
}

void Console::DrawRadar() {
    for (const platform::Vector2& mark : shown_.radarMarks) {
        DrawPicture(*this, console_.get(), &kRadarMark, mark.x, mark.y, 1.0f, 1.0f, kOpaqueWhite);
    }
}

void Console::DrawBombStock() {
    if (shown_.pickupShown) {
        DrawPicture(*this, pickup_.get(), &shown_.pickupCell, 65.0f, shown_.pickupY, 0.5f, 0.5f, kOpaqueWhite);
    }
    for (std::int32_t i = 0; i < shown_.bombIcons; ++i) {
        DrawPicture(*this, console_.get(), &kBombIcon, 70.0f, 500.0f - 35.0f * static_cast<float>(i), 1.0f, 1.0f,
                    kOpaqueWhite);
    }
}

#include "hud/console.h"

#include <algorithm>

#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/device_types.h"
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

}  // namespace

bool Console::Load() {
    if (device_) {
        device_->SetRenderState(platform::D3DRS_DITHERENABLE, 1);
        device_->SetSamplerState(0, platform::D3DSAMP_MAGFILTER, platform::D3DTEXF_LINEAR);
        device_->SetSamplerState(0, platform::D3DSAMP_MINFILTER, platform::D3DTEXF_LINEAR);
    }
    if (!TextureLoadKeyed("t\\console.png", &console_, *this, platform::kColourKeyWhite)) {
        return LoadFailed(*this, "consoleロスト");
    }
    if (!TextureLoadKeyed("t\\getbom.png", &pickup_, *this, platform::kColourKeyBlack)) {
        return LoadFailed(*this, "getbomロスト");
    }
    return true;
}

void Console::AddRadarTarget(const EnemyRecord* enemy) {
    if (enemy) radar_.push_back(enemy);
}

void Console::Draw(std::uint32_t now, PlayerState state) {
    if (!console_ || !pickup_) return;
    DrawGauges(state);
    DrawRadar(state);
    DrawBombStock(now, state.bombs);
}

void Console::DrawGauges(const PlayerState& state) {
    // The frames are half transparent by their colour. Whatever an earlier drawing of the same bracket
    // left (the sight switches blending off), the colour must tint and fade the pictures here.
    device_->SetRenderState(platform::D3DRS_ALPHABLENDENABLE, 1);
    device_->SetRenderState(platform::D3DRS_SRCBLEND, platform::D3DBLEND_SRCALPHA);
    device_->SetRenderState(platform::D3DRS_DESTBLEND, platform::D3DBLEND_INVSRCALPHA);
    device_->SetTextureStageState(0, platform::D3DTSS_COLOROP, platform::D3DTOP_MODULATE);
    device_->SetTextureStageState(0, platform::D3DTSS_COLORARG1, platform::D3DTA_TEXTURE);
    device_->SetTextureStageState(0, platform::D3DTSS_COLORARG2, platform::D3DTA_DIFFUSE);
    device_->SetTextureStageState(0, platform::D3DTSS_ALPHAOP, platform::D3DTOP_MODULATE);
    device_->SetTextureStageState(0, platform::D3DTSS_ALPHAARG1, platform::D3DTA_TEXTURE);
    device_->SetTextureStageState(0, platform::D3DTSS_ALPHAARG2, platform::D3DTA_DIFFUSE);

    // Values beyond the art would cut into the neighbouring pieces of the picture.
    const std::int32_t life = std::clamp(state.life, 0, kLifeBarWidth);
    const std::int32_t dash = std::clamp(state.dashCounter, 0, kDashMax);

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
    const std::int32_t filled = kBossGaugeEmpty - std::clamp(bossGauge_, 0, kBossGaugeEmpty);
    if (filled <= 0) return;
    const platform::Rect bar{kLifeBarLeft, kLifeBarTop, kLifeBarLeft + filled, kLifeBarBottom};
    DrawPicture(*this, console_.get(), &bar, kBossGaugeRightEdge, 541.0f, -1.0f, 1.0f, kHalfWhite);
}

void Console::DrawRadar(const PlayerState& state) {
    SetAlphaBlend(*this, true);
    for (const EnemyRecord* enemy : radar_) {
        if (enemy->active != 1) continue;
        float x = 0.0f, y = 0.0f;
        if (tests_.RadarProjection(kRadarX, kRadarY, state, *enemy, &x, &y)) {
            DrawPicture(*this, console_.get(), &kRadarMark, x, y, 1.0f, 1.0f, kOpaqueWhite);
        }
    }
}

void Console::DrawBombStock(std::uint32_t now, std::int32_t bombs) {
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

    if (pickupRunning_) {
        // Drawn where the next icon will appear.
        const platform::Rect cell{static_cast<std::int32_t>(pickupU_), static_cast<std::int32_t>(pickupV_),
                                  static_cast<std::int32_t>(pickupU_ + kPickupCell),
                                  static_cast<std::int32_t>(pickupV_ + kPickupCell)};
        DrawPicture(*this, pickup_.get(), &cell, 65.0f, 490.0f - 35.0f * static_cast<float>(shownBombs_), 0.5f, 0.5f,
                    kOpaqueWhite);
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

    for (std::int32_t i = 0; i < shownBombs_; ++i) {
        DrawPicture(*this, console_.get(), &kBombIcon, 70.0f, 500.0f - 35.0f * static_cast<float>(i), 1.0f, 1.0f,
                    kOpaqueWhite);
    }
}

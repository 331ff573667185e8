#include "effects/explosion.h"

#include <cmath>
#include <utility>

#include "platform/core/clock.h"
#include "render/loaders.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
#include "render/render_presets.h"

namespace {

// The sheet has five columns and two rows.
constexpr double kCellWidth = 0.2;
constexpr double kSecondRow = 0.5;
constexpr double kCull = 8.0;
constexpr std::uint32_t kHalfOpaque = 0x80FFFFFFu;

constexpr QuadVertex kSheetCorners[4] = {
    {-2.0f, 2.0f, 0.0f, 0x00FFFFFFu, 0.0f, 0.0f},
    {2.0f, 2.0f, 0.0f, 0x00FFFFFFu, 0.2f, 0.0f},
    {-2.2f, -2.0f, 0.0f, 0x00FFFFFFu, 0.0f, 0.5f},
    {2.0f, -2.0f, 0.0f, 0x00FFFFFFu, 0.2f, 0.5f},
};

}  // namespace

EffectRecord Explosion::FreeRecord() {
    EffectRecord r;
    r.scaleX = 1.0;
    r.scaleY = 1.0;
    r.stepInterval = 50;
    return r;
}

Explosion::Explosion() { records_.fill(FreeRecord()); }

bool Explosion::Load() {
    if (!TextureLoadDefault(kAssets[0].path, &sheet_, *this)) return LoadFailed(*this, "explosion01ロスト");
    CreateQuad(*this, kSheetCorners, &sheetQuad_);
    if (!TextureLoadDefault(kAssets[1].path, &ruin_, *this)) return LoadFailed(*this, "explosionRuinロスト");
    CreateSquareQuad(*this, 4.0f, 0.25f, 0.25f, 0x00FFFFFFu, &ruinQuad_);
    return true;
}

void Explosion::Spawn(std::uint32_t now, double x, double y, double z) {
    for (EffectRecord& r : records_) {
        if (r.active) continue;
        // The whole record is written: one freed by the cull still holds the cell it was showing.
        r = FreeRecord();
        r.active = 1;
        r.x = x;
        r.y = y;
        r.z = z;
        r.lastStep = now;
        return;
    }
}

void Explosion::Reset() {
    for (EffectRecord& r : records_) r = FreeRecord();
    shownCount_ = 0;
}

int Explosion::ActiveCount() const {
    int n = 0;
    for (const EffectRecord& r : records_) n += r.active ? 1 : 0;
    return n;
}

void Explosion::SortAndCull() {
    for (EffectRecord& b : records_) {
        for (EffectRecord& j : records_) {
            if (!b.active || !j.active) continue;
            if (b.z > j.z) {
                std::swap(b, j);
            } else if (&j != &b && b.z == j.z && std::abs(b.x - j.x) < kCull && std::abs(b.y - j.y) < kCull) {
                b.active = 0;
            }
        }
    }
}

void Explosion::Advance(EffectRecord& r) {
    if (r.now - r.lastStep > static_cast<std::uint32_t>(r.stepInterval)) {
        r.lastStep = r.now;
        r.u += kCellWidth;
        r.scaleX += 0.1;
        r.scaleY += 0.1;
    }
    if (r.u >= 0.9 && r.v == 0.0) {
        r.u = 0.0;
        r.v = kSecondRow;
    }
    if (r.u >= 0.9 && r.v >= 0.4) r = FreeRecord();
}

void Explosion::Step(std::uint32_t now) {
    SortAndCull();
    shownCount_ = 0;
    for (EffectRecord& r : records_) {
        if (!r.active) continue;
        r.now = now;
        r.z -= kDriftPerFrame;
        QuadPlacement& placement = shown_[static_cast<std::size_t>(shownCount_++)];
        placement = QuadPlacement{};
        placement.x = r.x;
        placement.y = r.y;
        placement.z = r.z;
        placement.scaleX = r.scaleX;
        placement.scaleY = r.scaleY;
        placement.u = r.u;
        placement.v = r.v;
        placement.factor = kHalfOpaque;
        Advance(r);
    }
}

void Explosion::Draw() const {
    if (shownCount_ == 0) return;
    platform::Device* device = GetDevice();
    ScopedDrawState mark(device, draw_state::kStencilMark);
    ScopedDrawState quad(device, draw_state::Flipbook(kHalfOpaque));
    for (int i = 0; i < shownCount_; ++i) {
        DrawPlacedQuad(device, sheetQuad_.get(), sheet_.get(), shown_[static_cast<std::size_t>(i)]);
    }
}

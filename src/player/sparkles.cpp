#include "player/sparkles.h"

#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/textured_quad.h"

namespace {

constexpr double kCell = 0.25;
constexpr double kLastRow = 0.75;
constexpr double kShrinkPerStep = 0.05;
// Drawn one unit nearer the camera than the ship, so it lies over it.
constexpr double kInFront = 1.0;
constexpr std::uint32_t kFactor = 0x99FFFFFFu;

}  // namespace

bool Sparkles::Load() {
    if (!TextureLoad(kAssets[0].path, &sheet_, *this)) return LoadFailed(*this, "kiraロスト");
    CreateSquareQuad(*this, 2.0f, 0.25f, 0.25f, 0x00FFFFFFu, &quad_);
    return true;
}

void Sparkles::Reset() {
    records_.fill(SparkleRecord{});
    shownCount_ = 0;
}

void Sparkles::Start(std::uint32_t now, const PlayerState& ship) {
    for (SparkleRecord& r : records_) {
        if (r.active) continue;
        r = SparkleRecord{};
        r.active = 1;
        r.x = ship.x;
        r.y = ship.y;
        r.z = ship.z;
        r.lastStep = now;
        return;
    }
}

void Sparkles::Step(std::uint32_t now, const PlayerState& ship) {
    shownCount_ = 0;
    for (SparkleRecord& r : records_) {
        if (!r.active) continue;
        r.x = ship.x;
        r.y = ship.y;
        r.z = ship.z;
        QuadPlacement& placement = shown_[static_cast<std::size_t>(shownCount_++)];
        placement = QuadPlacement{};
        placement.x = r.x;
        placement.y = r.y;
        placement.z = r.z - kInFront;
        placement.scaleX = r.scale;
        placement.scaleY = r.scale;
        placement.u = r.u;
        placement.v = r.v;
        placement.factor = kFactor;
        if (now - r.lastStep <= kStepMs) continue;
        r.lastStep = now;
        r.u += kCell;
        r.scale -= kShrinkPerStep;
        if (r.u < 1.0) continue;
        if (r.v >= kLastRow) {
            r = SparkleRecord{};
        } else {
            r.u = 0.0;
            r.v += kCell;
        }
    }
}

void Sparkles::Draw() const {
    if (shownCount_ == 0) return;
    ScopedDrawState state(GetDevice(), draw_state::Flipbook(kFactor));
    for (int i = 0; i < shownCount_; ++i) {
        DrawPlacedQuad(GetDevice(), quad_.get(), sheet_.get(), shown_[static_cast<std::size_t>(i)]);
    }
}

int Sparkles::ActiveCount() const {
    int n = 0;
    for (const SparkleRecord& r : records_) n += r.active ? 1 : 0;
    return n;
}

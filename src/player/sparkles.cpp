#include "player/sparkles.h"

#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/textured_quad.h"

namespace {

constexpr double kCell = 0.25;
constexpr double kLastRow = 0.75;
constexpr double kShrinkPerStep = 0.05;
// Drawn one unit nearer the camera than the ship, so it lies over it.
constexpr double kInFront = 1.0;
constexpr std::uint32_t kFactor = 0x99FFFFFFu;

// One cell of the sheet over a square of side 4.

}  // namespace

bool Sparkles::Load() {
    if (!TextureLoad("t\\kira.png", &sheet_, *this)) return LoadFailed(*this, "kiraロスト");
    CreateSquareQuad(*this, 2.0f, 0.25f, 0.25f, 0x00FFFFFFu, &quad_);
    return true;
}

void Sparkles::Reset() { records_.fill(SparkleRecord{}); }

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

void Sparkles::Draw(std::uint32_t now, const PlayerState& ship) {
    for (SparkleRecord& r : records_) {
        if (!r.active) continue;
        r.x = ship.x;
        r.y = ship.y;
        r.z = ship.z;
        if (device_) {
            QuadPlacement placement;
            placement.x = r.x;
            placement.y = r.y;
            placement.z = r.z - kInFront;
            placement.scaleX = r.scale;
            placement.scaleY = r.scale;
            placement.u = r.u;
            placement.v = r.v;
            placement.factor = kFactor;
            DrawFlipbookQuad(*this, quad_.get(), sheet_.get(), placement);
        }
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

int Sparkles::ActiveCount() const {
    int n = 0;
    for (const SparkleRecord& r : records_) n += r.active ? 1 : 0;
    return n;
}

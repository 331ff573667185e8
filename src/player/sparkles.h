#pragma once
// The sparkles a ring leaves on the ship when it is taken: up to ten at once, each playing the 16 cells
// of a 4 x 4 sheet (one cell per step, a step at most every 25 ms) as it follows the ship and shrinks.

#include <array>
#include <cstdint>

#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/textured_quad.h"

struct SparkleRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    double u = 0.0, v = 0.0;  // the cell of the sheet
    double scale = 1.0;
    std::uint32_t lastStep = 0;
    std::uint8_t active = 0;
};

class Sparkles : public Drawable {
public:
    static constexpr int kCount = 10;
    static constexpr std::uint32_t kStepMs = 25;
    static constexpr std::array<AssetRef, 1> kAssets{PictureAsset("t\\kira.png")};

    bool Load();
    void Reset();
    // Takes the first free slot; nothing happens when all ten run.
    void Start(std::uint32_t now, const PlayerState& ship);
    // Every running sparkle is moved onto the ship, kept as this frame shows it and, when its step time
    // has come, moved on by one cell.
    void Step(std::uint32_t now, const PlayerState& ship);
    // What the last step kept, just in front of the ship.
    void Draw() const;

    int ActiveCount() const;
    const SparkleRecord& Record(int i) const { return records_[static_cast<std::size_t>(i)]; }

private:
    std::array<SparkleRecord, kCount> records_;
    platform::TexturePtr sheet_;
    platform::VertexBufferPtr quad_;
    std::array<QuadPlacement, kCount> shown_;
    int shownCount_ = 0;
};

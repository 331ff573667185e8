#pragma once
// A pool of flip-book fireballs: each plays the ten cells of a 5 x 2 sheet, one every 50 ms, growing
// to twice its size and drifting towards the viewer by 1.5 a frame, drawn at half opacity.

#include <array>
#include <cstdint>

#include "collision/effect_record.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/textured_quad.h"

class Explosion : public Drawable {
public:
    static constexpr int kPoolSize = 60;
    static constexpr double kDriftPerFrame = 1.5;

    // The sheet, then the ruin's picture.
    static constexpr std::array<AssetRef, 2> kAssets{PictureAsset("t\\explosion01.png"),
                                                     PictureAsset("t\\explosionRuin.png")};

    Explosion();
    bool Load();
    // Takes the first free record; a full pool ignores the request.
    void Spawn(std::uint32_t now, double x, double y, double z);
    void Reset();
    // Once a frame: drops the doubles, drifts and animates every record and keeps, for the draw, each
    // one as this frame shows it. One spawned after the step first shows at the next.
    void Step(std::uint32_t now);
    // What the last step kept, inside the 3D pass (view and projection already set).
    void Draw() const;

    const EffectRecord& Record(int i) const { return records_[static_cast<std::size_t>(i)]; }
    int ActiveCount() const;

    static EffectRecord FreeRecord();

private:
    // Back-to-front by depth, and of two explosions that landed on one spot only one survives.
    void SortAndCull();
    void Advance(EffectRecord& r);

    std::array<EffectRecord, kPoolSize> records_;
    // Back to front, as the step found them before animating them.
    std::array<QuadPlacement, kPoolSize> shown_;
    int shownCount_ = 0;
    platform::TexturePtr sheet_;
    platform::VertexBufferPtr sheetQuad_;
    // Loaded with the effect so a missing file is reported, but never drawn.
    platform::TexturePtr ruin_;
    platform::VertexBufferPtr ruinQuad_;
};

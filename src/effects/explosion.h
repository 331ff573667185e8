#pragma once
// A pool of flip-book fireballs: each plays the ten cells of a 5 x 2 sheet, one every 50 ms, growing
// to twice its size and drifting towards the viewer by 1.5 a frame, drawn at half opacity.

#include <array>
#include <cstdint>

#include "collision/effect_record.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "render/drawable.h"

class Explosion : public Drawable {
public:
    static constexpr int kPoolSize = 60;
    static constexpr double kDriftPerFrame = 1.5;

    Explosion();
    bool Load();
    // Takes the first free record; a full pool ignores the request.
    void Spawn(std::uint32_t now, double x, double y, double z);
    void Reset();
    // Once a frame, inside the 3D pass (view and projection already set).
    void Draw(std::uint32_t now);

    const EffectRecord& Record(int i) const { return records_[static_cast<std::size_t>(i)]; }
    int ActiveCount() const;

    static EffectRecord FreeRecord();

private:
    // Back-to-front by depth, and of two explosions that landed on one spot only one survives.
    void SortAndCull();
    void Step(EffectRecord& r);

    std::array<EffectRecord, kPoolSize> records_;
    platform::TexturePtr sheet_;
    platform::VertexBufferPtr sheetQuad_;
    // Loaded with the effect so a missing file is reported, but never drawn.
    platform::TexturePtr ruin_;
    platform::VertexBufferPtr ruinQuad_;
};

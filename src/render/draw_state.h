#pragma once
// Named draw states. A game object names the state it draws in and holds it for a scope; the scope sets
// the state's device settings and, when it ends, puts every one of them back as it found it, so nothing
// one object draws in leaks into the next. States combine with +; a later setting of the same slot wins.
//
//   {
//       ScopedDrawState state(device, draw_state::kAlphaBlend + draw_state::kTwoSided);
//       ... draw ...
//   }

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "platform/gfx/device_states.h"

namespace platform {
class Device;
}

// One device setting: a render state, a texture stage state or a sampler state.
struct DeviceSetting {
    enum class Kind : std::uint8_t { kRender, kStage, kSampler };
    Kind kind = Kind::kRender;
    std::uint32_t unit = 0;  // the stage or sampler; 0 for render states
    std::uint32_t type = 0;
    std::uint32_t value = 0;

    constexpr bool SameSlot(const DeviceSetting& other) const {
        return kind == other.kind && unit == other.unit && type == other.type;
    }
};

class DrawState {
public:
    static constexpr std::size_t kMaxSettings = 16;

    constexpr DrawState() = default;
    constexpr DrawState(std::initializer_list<DeviceSetting> settings) {
        for (const DeviceSetting& s : settings) Put(s);
    }

    constexpr std::span<const DeviceSetting> Settings() const { return {settings_.data(), count_}; }

    // This state, then `other` over it.
    constexpr DrawState operator+(const DrawState& other) const {
        DrawState sum = *this;
        for (const DeviceSetting& s : other.Settings()) sum.Put(s);
        return sum;
    }

private:
    constexpr void Put(const DeviceSetting& setting) {
        for (std::size_t i = 0; i < count_; ++i) {
            if (settings_[i].SameSlot(setting)) {
                settings_[i] = setting;
                return;
            }
        }
        // A state past the bound is a programming error caught by the compiler in constant
        // initialisation (the index is out of range) and ignored at run time.
        if (count_ < kMaxSettings) settings_[count_++] = setting;
    }

    std::array<DeviceSetting, kMaxSettings> settings_{};
    std::size_t count_ = 0;
};

// Sets a state for its lifetime and then restores every slot it touched. A null device draws nothing.
class ScopedDrawState {
public:
    ScopedDrawState(platform::Device* device, const DrawState& state);
    ~ScopedDrawState();
    ScopedDrawState(const ScopedDrawState&) = delete;
    ScopedDrawState& operator=(const ScopedDrawState&) = delete;

private:
    platform::Device* device_;
    DrawState saved_;
};

namespace draw_state {

constexpr DeviceSetting Render(platform::RenderStateType type, std::uint32_t value) {
    return {DeviceSetting::Kind::kRender, 0, static_cast<std::uint32_t>(type), value};
}
constexpr DeviceSetting Stage(std::uint32_t stage, platform::TextureStageStateType type, std::uint32_t value) {
    return {DeviceSetting::Kind::kStage, stage, static_cast<std::uint32_t>(type), value};
}
constexpr DeviceSetting Sampler(std::uint32_t sampler, platform::SamplerStateType type, std::uint32_t value) {
    return {DeviceSetting::Kind::kSampler, sampler, static_cast<std::uint32_t>(type), value};
}

// No blending.
inline constexpr DrawState kOpaque{Render(platform::D3DRS_ALPHABLENDENABLE, 0)};

// Blending by source alpha, with stage 0 as it stands: a lit material's diffuse alpha or a texture
// stage set beside it decides the alpha.
inline constexpr DrawState kTranslucent{
    Render(platform::D3DRS_ALPHABLENDENABLE, 1),
    Render(platform::D3DRS_SRCBLEND, platform::D3DBLEND_SRCALPHA),
    Render(platform::D3DRS_DESTBLEND, platform::D3DBLEND_INVSRCALPHA),
};

// Stage 0 passes the texture's colour and alpha alone.
inline constexpr DrawState kTextureOnly{
    Stage(0, platform::D3DTSS_COLOROP, platform::D3DTOP_SELECTARG1),
    Stage(0, platform::D3DTSS_COLORARG1, platform::D3DTA_TEXTURE),
    Stage(0, platform::D3DTSS_ALPHAOP, platform::D3DTOP_SELECTARG1),
    Stage(0, platform::D3DTSS_ALPHAARG1, platform::D3DTA_TEXTURE),
};

// Pictures drawn by their own alpha: blending by source alpha over stage 0 passing the texture alone.
inline constexpr DrawState kAlphaBlend = kTranslucent + kTextureOnly;

// Stage 0 shows the texture times the lit colour, colour and alpha alike, so a material's diffuse alpha
// makes a textured or untextured mesh translucent.
inline constexpr DrawState kTextureTimesLight{
    Stage(0, platform::D3DTSS_COLOROP, platform::D3DTOP_MODULATE),
    Stage(0, platform::D3DTSS_COLORARG1, platform::D3DTA_TEXTURE),
    Stage(0, platform::D3DTSS_COLORARG2, platform::D3DTA_DIFFUSE),
    Stage(0, platform::D3DTSS_ALPHAOP, platform::D3DTOP_MODULATE),
    Stage(0, platform::D3DTSS_ALPHAARG1, platform::D3DTA_TEXTURE),
    Stage(0, platform::D3DTSS_ALPHAARG2, platform::D3DTA_DIFFUSE),
};

// Both faces of every triangle.
inline constexpr DrawState kTwoSided{Render(platform::D3DRS_CULLMODE, platform::D3DCULL_NONE)};

// Depth tested but not written: a translucent layer that must not hide what is drawn after it.
inline constexpr DrawState kNoDepthWrite{Render(platform::D3DRS_ZWRITEENABLE, 0)};

// Stage 0's coordinates pass through the texture transform (two components).
inline constexpr DrawState kTextureScroll{
    Stage(0, platform::D3DTSS_TEXTURETRANSFORMFLAGS, platform::D3DTTFF_COUNT2)};

// The texture factor `argb`, and stage 0's alpha the texture's times the factor's.
constexpr DrawState TextureFactor(std::uint32_t argb) {
    return DrawState{
        Render(platform::D3DRS_TEXTUREFACTOR, argb),
        Stage(0, platform::D3DTSS_ALPHAOP, platform::D3DTOP_MODULATE),
        Stage(0, platform::D3DTSS_ALPHAARG1, platform::D3DTA_TEXTURE),
        Stage(0, platform::D3DTSS_ALPHAARG2, platform::D3DTA_TFACTOR),
    };
}

// ---- States the player, the enemies and the effects named ----

// Every pixel drawn writes 2 into the stencil buffer (the explosions mark where they lie).
inline constexpr DrawState kStencilMark{
    Render(platform::D3DRS_STENCILENABLE, 1),
    Render(platform::D3DRS_STENCILREF, 2),
    Render(platform::D3DRS_STENCILMASK, 0xFFFFFFFFu),
    Render(platform::D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu),
    Render(platform::D3DRS_STENCILFUNC, platform::D3DCMP_ALWAYS),
    Render(platform::D3DRS_STENCILFAIL, platform::D3DSTENCILOP_KEEP),
    Render(platform::D3DRS_STENCILZFAIL, platform::D3DSTENCILOP_KEEP),
    Render(platform::D3DRS_STENCILPASS, platform::D3DSTENCILOP_REPLACE),
};

// A sheet's cell or a scrolled picture on a quad, faded by the factor's alpha: what every flip-book
// quad (explosions, sparks, sparkles) is drawn in.
constexpr DrawState Flipbook(std::uint32_t factor) { return kAlphaBlend + TextureFactor(factor) + kTextureScroll; }

}  // namespace draw_state

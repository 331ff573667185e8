#pragma once
// The sprite object: pictures drawn in screen pixels (y down) inside a Begin/End bracket.
// Each Draw is drawn at once with the device's states of that moment, so states changed between two
// draws of one bracket apply to the second as written. Begin keeps the states it changes and End puts
// them back; the texture factor, depth, stencil settings, fog values, material and lights are not
// among them. The device's world, view and projection are never changed: the pictures are drawn in
// screen pixels with matrices of the sprite's own, so inside a bracket the device still answers the
// camera the game set, and 3D drawing after End uses it unchanged.

#include <cstdint>
#include <memory>

#include "platform/gfx/device_resource.h"
#include "platform/gfx/device_states.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/math.h"

namespace platform {

class Device;
class Texture;

class Sprite final : public DeviceResource {
public:
    ~Sprite() override;

    // D3DXSPRITE_ALPHABLEND turns on blending by the picture's alpha and drops fully transparent pixels.
    // Sorting flags are accepted and ignored: pictures keep the order they were drawn in.
    HRESULT Begin(std::uint32_t flags);
    // Applies to the draws that follow: picture pixels through this matrix to screen pixels.
    HRESULT SetTransform(const Matrix* transform);
    HRESULT GetTransform(Matrix* transform) const;
    // Draws the part `source` of the picture (all of it when null) with its top-left corner at the origin
    // of the transform, less `centre`, plus `position` (both may be null). The colour tints and fades.
    HRESULT Draw(Texture* texture, const Rect* source, const Vector3* centre, const Vector3* position,
                 std::uint32_t colour);
    // Nothing waits to be drawn; present for code written against a batching sprite object.
    HRESULT Flush();
    HRESULT End();

    bool InBracket() const { return begun_; }

private:
    friend HRESULT CreateSprite(Device* device, std::unique_ptr<Sprite>* out);
    explicit Sprite(Device* device);
    void ReleaseFromDevice() override {}
    void SaveStates();
    void SetOwnStates();
    void RestoreStates();

    struct Saved;
    std::unique_ptr<Saved> saved_;
    Matrix transform_;
    Matrix screen_;  // screen pixels to clip space over the viewport taken at Begin
    std::uint32_t flags_ = 0;
    bool begun_ = false;
};

using SpritePtr = std::unique_ptr<Sprite>;

HRESULT CreateSprite(Device* device, std::unique_ptr<Sprite>* out);

}  // namespace platform

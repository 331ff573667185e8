#pragma once
// The drawing device: a fixed-function state machine with the operations, states and defaults the game
// was written against, drawn with OpenGL. States persist until they are changed and every draw uses the
// states of that moment. Drawing goes to an off-screen back buffer of the presentation size; Present
// shows it in the window, scaled to fit with black bars. While the window is exactly the presentation
// size (and its buffers have the same formats), the window's own back buffer is drawn into instead,
// which gives the same pixels without the copy.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/core/window.h"
#include "platform/gfx/device_states.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/mesh_data.h"

namespace platform {

class DeviceResource;
class Mesh;
class Texture;
class VertexBuffer;
struct DeviceGl;
struct VertexLayout;

// Options for tests and benchmarks.
struct DeviceOptions {
    // Computes the range fog distance on the processor even when the driver offers a radial fog distance.
    bool forceProcessorFog = false;
    // Always draws into the off-screen buffer and copies it to the window, even when the window is exactly
    // the presentation size and could be drawn into directly.
    bool offScreenOnly = false;
};

class Device {
public:
    // Makes the OpenGL context on the window and the back buffer. Null when either cannot be had.
    static std::unique_ptr<Device> Create(WindowHandle window, const PresentParameters& parameters,
                                          const DeviceOptions& options = {});
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    HRESULT SetRenderState(RenderStateType state, std::uint32_t value);
    HRESULT GetRenderState(RenderStateType state, std::uint32_t* value) const;
    HRESULT SetTextureStageState(std::uint32_t stage, TextureStageStateType type, std::uint32_t value);
    HRESULT GetTextureStageState(std::uint32_t stage, TextureStageStateType type, std::uint32_t* value) const;
    HRESULT SetSamplerState(std::uint32_t sampler, SamplerStateType type, std::uint32_t value);
    HRESULT GetSamplerState(std::uint32_t sampler, SamplerStateType type, std::uint32_t* value) const;
    HRESULT SetTransform(TransformStateType state, const Matrix* matrix);
    HRESULT GetTransform(TransformStateType state, Matrix* matrix) const;
    HRESULT SetViewport(const Viewport* viewport);
    HRESULT GetViewport(Viewport* viewport) const;
    HRESULT SetMaterial(const Material* material);
    HRESULT GetMaterial(Material* material) const;
    HRESULT SetLight(std::uint32_t index, const Light* light);
    HRESULT GetLight(std::uint32_t index, Light* light) const;
    // Enabling a light that was never set gives it the default: white, directional, along +z.
    HRESULT LightEnable(std::uint32_t index, bool enable);
    HRESULT GetLightEnable(std::uint32_t index, bool* enable) const;
    // The device does not own the texture; a texture that is destroyed unbinds itself.
    HRESULT SetTexture(std::uint32_t stage, Texture* texture);
    Texture* GetTexture(std::uint32_t stage) const;

    HRESULT CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, Pool pool,
                               std::unique_ptr<VertexBuffer>* out);
    // A texture from a picture and its smaller levels (level 0 first, each half the previous).
    HRESULT CreateTexture(const std::vector<Image>& levels, std::unique_ptr<Texture>* out);
    HRESULT CreateMesh(const MeshData& data, std::unique_ptr<Mesh>* out);

    HRESULT SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offsetBytes,
                            std::uint32_t stride);
    HRESULT GetStreamSource(std::uint32_t stream, VertexBuffer** buffer, std::uint32_t* offsetBytes,
                            std::uint32_t* stride) const;
    HRESULT SetFVF(std::uint32_t fvf);
    HRESULT GetFVF(std::uint32_t* fvf) const;
    HRESULT DrawPrimitive(PrimitiveType type, std::uint32_t startVertex, std::uint32_t primitiveCount);
    // Draws from the caller's memory in the current vertex format. Leaves stream 0 unset afterwards,
    // as Direct3D's own draw-from-memory call does.
    HRESULT DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                            std::uint32_t stride);

    // No rectangles clears the whole viewport.
    HRESULT Clear(std::uint32_t rectCount, const Rect* rects, std::uint32_t flags, std::uint32_t colour, float z,
                  std::uint32_t stencil);
    HRESULT BeginScene();
    HRESULT EndScene();
    HRESULT Present();
    // Makes the back buffer anew and puts every state back to its default, as a reset does.
    HRESULT Reset(const PresentParameters& parameters);

    unsigned BackBufferWidth() const { return backBufferWidth_; }
    unsigned BackBufferHeight() const { return backBufferHeight_; }
    // The back buffer as drawn so far, top row first, alpha forced opaque.
    HRESULT GetBackBufferImage(Image* out);
    // The same with the alpha channel as drawn.
    HRESULT GetBackBufferPixels(Image* out);
    // Waits until everything given to the driver so far is drawn (benchmarks).
    void Finish();
    // Whether range fog takes its distance from the driver (radial eye distance) or from the processor.
    bool UsesDriverRangeFog() const;
    // Whether frames are drawn straight into the window (chosen again at each Present and Reset).
    bool DrawsToWindow() const;
    // Tests: the next Present fails, as one whose device was lost.
    void FailNextPresent() { failNextPresent_ = true; }

private:
    friend class Mesh;
    friend class Texture;
    friend class VertexBuffer;
    friend class DeviceResource;
    friend class Sprite;
    friend struct FixedFunction;

    Device() = default;
    bool Init(WindowHandle window, const PresentParameters& parameters, const DeviceOptions& options);
    void ResetStates();
    HRESULT ReadBackBuffer(Image* out, bool keepAlpha);
    void Register(DeviceResource* resource);
    void Unregister(DeviceResource* resource);
    void ForgetTexture(Texture* texture);
    void ForgetVertexBuffer(VertexBuffer* buffer);

    // Brings OpenGL up to date with the states for a draw in the given vertex layout.
    // positions/positionStride/vertexCount describe the vertices for processor-side fog.
    struct FogSource {
        const unsigned char* positions = nullptr;
        std::uint32_t stride = 0;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    void PrepareDraw(const VertexLayout& layout, const FogSource& fog);
    HRESULT DrawFromMemory(PrimitiveType type, std::uint32_t primitiveCount, const unsigned char* base,
                           std::uint32_t firstVertex, std::uint32_t stride);
    HRESULT DrawMeshSubset(Mesh* mesh, std::uint32_t subset);
    // The sprite object's draws: vertices in screen pixels through the given projection, with identity
    // world and view, as Direct3D draws pre-transformed vertices. The matrices the game set are neither
    // changed nor used: GetTransform still answers them and the next draw is made with them again.
    HRESULT DrawScreenSpaceUP(const Matrix& screenProjection, PrimitiveType type, std::uint32_t primitiveCount,
                              const void* vertices, std::uint32_t stride);
    // The matrices a draw is made with: the game's, or the sprite's during DrawScreenSpaceUP.
    const Matrix& DrawWorld() const { return screenProjection_ ? kIdentity : world_; }
    const Matrix& DrawView() const { return screenProjection_ ? kIdentity : view_; }
    const Matrix& DrawProjection() const { return screenProjection_ ? *screenProjection_ : projection_; }

    struct LightSlot {
        Light light;
        bool enabled = false;
    };

    WindowHandle window_ = nullptr;
    std::unique_ptr<DeviceGl> gl_;
    unsigned backBufferWidth_ = 800;
    unsigned backBufferHeight_ = 600;
    bool inScene_ = false;

    std::uint32_t renderStates_[kRenderStateCount] = {};
    std::uint32_t stageStates_[kTextureStageCount][kTextureStageStateCount] = {};
    std::uint32_t samplerStates_[kSamplerCount][kSamplerStateCount] = {};
    Matrix world_, view_, projection_;
    static constexpr Matrix kIdentity{};
    const Matrix* screenProjection_ = nullptr;  // set only while the sprite object draws
    Matrix textureTransforms_[kTextureStageCount];
    Viewport viewport_;
    Material material_;
    std::map<std::uint32_t, LightSlot> lights_;
    Texture* textures_[kTextureStageCount] = {};
    VertexBuffer* streamBuffer_ = nullptr;
    std::uint32_t streamOffset_ = 0;
    std::uint32_t streamStride_ = 0;
    std::uint32_t fvf_ = 0;

    std::vector<DeviceResource*> resources_;
    bool failNextPresent_ = false;
};

}  // namespace platform

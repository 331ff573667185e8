#include "render/textured_quad.h"

#include <cstring>

#include "platform/core/message_box.h"
#include "platform/gfx/device.h"
#include "render/render_presets.h"

using namespace platform;

bool CreateQuad(const Drawable& drawable, const QuadVertex (&corners)[4], VertexBufferPtr* out) {
    out->reset();
    Device* device = drawable.GetDevice();
    VertexBufferPtr buffer;
    void* data = nullptr;
    if (!device || FAILED(device->CreateVertexBuffer(sizeof(corners), 0, kQuadFvf, D3DPOOL_MANAGED, &buffer)) ||
        !buffer || FAILED(buffer->Lock(0, 0, &data, 0))) {
        MessageBox(drawable.GetWindow(), "", "");
        return false;
    }
    std::memcpy(data, corners, sizeof(corners));
    buffer->Unlock();
    *out = std::move(buffer);
    return true;
}

bool CreateSquareQuad(const Drawable& drawable, float half, float u, float v, std::uint32_t diffuse,
                      VertexBufferPtr* out) {
    const QuadVertex corners[4] = {{-half, half, 0.0f, diffuse, 0.0f, 0.0f},
                                   {half, half, 0.0f, diffuse, u, 0.0f},
                                   {-half, -half, 0.0f, diffuse, 0.0f, v},
                                   {half, -half, 0.0f, diffuse, u, v}};
    return CreateQuad(drawable, corners, out);
}

void DrawQuad(Device* device, VertexBuffer* quad) {
    if (!device || !quad) return;
    device->SetStreamSource(0, quad, 0, sizeof(QuadVertex));
    device->SetFVF(kQuadFvf);
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void DrawPlacedQuad(Device* device, VertexBuffer* quad, Texture* texture, const QuadPlacement& p) {
    Matrix scroll;
    MakeTextureScroll(&scroll, static_cast<float>(p.u), static_cast<float>(p.v));
    device->SetTransform(D3DTS_TEXTURE0, &scroll);
    Matrix world;
    MatrixScaling(&world, static_cast<float>(p.scaleX), static_cast<float>(p.scaleY), 1.0f);
    SetMatrixTranslation(&world, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, texture);
    DrawQuad(device, quad);
    device->SetTexture(0, nullptr);
}

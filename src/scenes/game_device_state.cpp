#include "scenes/game_device_state.h"

#include <numbers>

#include "platform/gfx/device.h"

using namespace platform;

void ApplyGameDeviceState(Device* device) {
    if (!device) return;
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_ZENABLE, 1);
    device->SetRenderState(D3DRS_DITHERENABLE, 1);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_AMBIENT, 0x00808080u);

    // One white light, travelling down, left and away from the viewer.
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = ColorValue{1.0f, 1.0f, 1.0f, 0.0f};
    const Vector3 direction{-0.5f, -0.5f, 1.0f};
    Vec3Normalize(&light.direction, &direction);
    device->SetLight(0, &light);
    device->LightEnable(0, true);
    device->SetRenderState(D3DRS_LIGHTING, 1);
}

bool SetGameCamera(Device* device, Vector3 eye, Vector3 lookAt) {
    if (!device) return false;
    Matrix view;
    const Vector3 up{0.0f, 1.0f, 0.0f};
    MatrixLookAtLH(&view, &eye, &lookAt, &up);
    device->SetTransform(D3DTS_VIEW, &view);
    const Viewport wanted{0, 0, 800, 600, 0.0f, 1.0f};
    device->SetViewport(&wanted);
    Viewport viewport;
    if (FAILED(device->GetViewport(&viewport))) return false;
    Matrix projection;
    MatrixPerspectiveFovLH(&projection, static_cast<float>(std::numbers::pi / 4.0),
                           static_cast<float>(viewport.width) / static_cast<float>(viewport.height), 1.0f, 1000.0f);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    return true;
}

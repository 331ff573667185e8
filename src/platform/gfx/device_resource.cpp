#include "platform/gfx/device_resource.h"

#include "platform/gfx/device.h"

namespace platform {

DeviceResource::DeviceResource(Device* device) : device_(device) {
    if (device_) device_->Register(this);
}

DeviceResource::~DeviceResource() {
    // Derived destructors call Detach; this is the safety net for a resource that never did.
    if (device_) device_->Unregister(this);
}

void DeviceResource::Detach() {
    if (!device_) return;
    ReleaseFromDevice();
    device_->Unregister(this);
    device_ = nullptr;
}

}  // namespace platform

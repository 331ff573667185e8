#pragma once
// Objects whose storage lives in the device (textures, vertex buffers, meshes, the sprite object).
// The device knows them all, so that when it goes first they let go of what they hold in it, and
// their later destruction touches nothing.

namespace platform {

class Device;

class DeviceResource {
public:
    virtual ~DeviceResource();
    DeviceResource(const DeviceResource&) = delete;
    DeviceResource& operator=(const DeviceResource&) = delete;

    Device* GetDevice() const { return device_; }

protected:
    explicit DeviceResource(Device* device);
    // Frees what the resource holds in the device; called once, by the resource or by the device.
    virtual void ReleaseFromDevice() = 0;
    // For destructors of derived classes: release while the derived part still exists.
    void Detach();

private:
    friend class Device;
    Device* device_;
};

}  // namespace platform

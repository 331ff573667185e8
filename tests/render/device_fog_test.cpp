// Linear range fog by the straight distance from the eye, from the driver or from the processor.

#include <cmath>

#include "render/render_presets.h"
#include "render_test_support.h"

using namespace platform;

namespace {

class DeviceFog : public DeviceTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        if (GetParam()) {
            sprite_.reset();
            device_.reset();
            PresentParameters pp;
            pp.backBufferWidth = 800;
            pp.backBufferHeight = 600;
            pp.windowed = false;
            DeviceOptions options;
            options.forceProcessorFog = true;
            device_ = Device::Create(TestWindow(), pp, options);
            ASSERT_NE(nullptr, device_);
            drawable_.Bind(device_.get(), nullptr, TestWindow());
        }
    }

    // A small white square at (x, y, z), unlit, fogged towards black; the colour at its centre.
    int FoggedGrey(float x, float y, float z) {
        SetCamera();
        MeshPtr square = MakeSquare(x, y, z, 0.25f);
        BeginFrame();
        device_->SetRenderState(D3DRS_LIGHTING, 0);
        square->DrawSubset(0);
        EndFrame();
        const Vector3 p = Project(x, y, z);
        return Red(Pixel(static_cast<int>(p.x), static_cast<int>(p.y)));
    }
};

TEST_P(DeviceFog, RangeFogBlendsByTheDistanceFromTheEye) {
    if (GetParam()) {
        EXPECT_FALSE(device_->UsesDriverRangeFog());
    }
    SetFog(drawable_, 100.0f, 125.0f, 0xFF000000, true);
    // Off the view axis the straight distance (111.8) is larger than the depth (100).
    const double distance = std::sqrt(40.0 * 40.0 + 30.0 * 30.0 + 100.0 * 100.0);
    const double f = (125.0 - distance) / 25.0;
    EXPECT_NEAR(255.0 * f, FoggedGrey(40, 30, 100), 3.0);
    // On the axis distance and depth agree.
    EXPECT_NEAR(255.0 * (125.0 - 110.0) / 25.0, FoggedGrey(0, 0, 110), 3.0);
    // Beyond the end only fog is left; before the start none.
    EXPECT_EQ(0, FoggedGrey(0, 0, 130));
    EXPECT_EQ(255, FoggedGrey(0, 0, 90));
}

TEST_P(DeviceFog, FogColourAndSwitchingOff) {
    SetFog(drawable_, 100.0f, 200.0f, 0xFF808080, true);
    // Half way: half white, half the fog's grey.
    EXPECT_NEAR(0.5 * 255 + 0.5 * 128, FoggedGrey(0, 0, 150), 3.0);
    SetFog(drawable_, 100.0f, 200.0f, 0xFF808080, false);
    EXPECT_EQ(255, FoggedGrey(0, 0, 150));
}

INSTANTIATE_TEST_SUITE_P(DistanceSource, DeviceFog, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Processor") : std::string("Driver");
                         });

}  // namespace

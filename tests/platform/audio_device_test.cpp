#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/audio/sound_device.h"
#include "support/temp_dir.h"

namespace {

// Restores SDL_AUDIODRIVER after a test picks a driver of its own.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(const char* driver) {
        if (const char* old = std::getenv("SDL_AUDIODRIVER")) previous_ = old;
        setenv("SDL_AUDIODRIVER", driver, 1);
    }
    ~ScopedAudioDriver() {
        if (previous_.empty()) {
            unsetenv("SDL_AUDIODRIVER");
        } else {
            setenv("SDL_AUDIODRIVER", previous_.c_str(), 1);
        }
    }

private:
    std::string previous_;
};

TEST(SoundDevice, TheDummyDriverRunsTheMixer) {
    ScopedAudioDriver driver("dummy");
    auto device = platform::SoundDevice::Open();
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->IsOffline());
    EXPECT_EQ(device->DriverName(), "dummy");
    EXPECT_EQ(device->SampleRate(), 48000);
    EXPECT_LE(device->BlockFrames(), 512);
    const auto start = std::chrono::steady_clock::now();
    while (device->Mixer().FramesRendered() < 4096 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(device->Mixer().FramesRendered(), 4096u);
}

TEST(SoundDevice, NoUsableDriverMeansNoDeviceAndNoWait) {
    ScopedAudioDriver driver("no-such-driver");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::SoundDevice::Open(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(SoundDevice, TheDiskDriverWritesWhatTheVoicesPlay) {
    TempWorkDir dir;
    const std::string file = (dir.Path() / "out.raw").string();
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    {
        ScopedAudioDriver driver("disk");
        auto device = platform::SoundDevice::Open();
        ASSERT_NE(device, nullptr);
        std::vector<std::uint8_t> tone;
        for (int i = 0; i < 4800; ++i) {
            const int s = static_cast<int>(10000 * std::sin(i * 0.05));
            tone.push_back(static_cast<std::uint8_t>(s & 0xFF));
            tone.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
        }
        auto buffer = device->CreateBuffer({1, 48000, 16, 2}, tone.data(), tone.size());
        ASSERT_NE(buffer, nullptr);
        buffer->Play();
        const auto start = std::chrono::steady_clock::now();
        while (device->Mixer().FramesRendered() < 9600 &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    unsetenv("SDL_DISKAUDIOFILE");
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 9600u * 8);
    float peak = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        float s;
        std::memcpy(&s, &bytes[i], 4);
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_NEAR(peak, 10000.0f / 32768.0f, 0.01f);
}

}  // namespace

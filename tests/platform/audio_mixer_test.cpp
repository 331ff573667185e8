#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/audio/pcm_convert.h"
#include "platform/audio/peak_limiter.h"
#include "platform/audio/sound_device.h"

namespace {

using platform::PcmFormat;

std::vector<std::uint8_t> Pcm16(std::initializer_list<int> samples) {
    std::vector<std::uint8_t> out;
    for (int s : samples) {
        out.push_back(static_cast<std::uint8_t>(s & 0xFF));
        out.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    return out;
}

TEST(PcmConvert, EightAndSixteenBitMonoAndStereoBecomeFloatStereo) {
    const auto mono16 = Pcm16({16384, -16384, 0});
    auto out = platform::ConvertPcmToStereoFloat({1, 48000, 16, 2}, mono16.data(), mono16.size(), 48000);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
    EXPECT_FLOAT_EQ(out[2], -0.5f);
    EXPECT_FLOAT_EQ(out[5], 0.0f);

    const auto stereo16 = Pcm16({8192, -8192});
    out = platform::ConvertPcmToStereoFloat({2, 48000, 16, 4}, stereo16.data(), stereo16.size(), 48000);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out[1], -0.25f);

    const std::vector<std::uint8_t> mono8 = {128, 192, 64};  // unsigned: 128 is silence
    out = platform::ConvertPcmToStereoFloat({1, 48000, 8, 1}, mono8.data(), mono8.size(), 48000);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 0.5f);
    EXPECT_FLOAT_EQ(out[4], -0.5f);

    const std::vector<std::uint8_t> stereo8 = {255, 0, 128, 128, 7};  // a trailing part frame is dropped
    out = platform::ConvertPcmToStereoFloat({2, 48000, 8, 2}, stereo8.data(), stereo8.size(), 48000);
    EXPECT_EQ(out.size(), 4u);
}

TEST(PcmConvert, OtherRatesAreResampledToTheDeviceRate) {
    std::vector<std::uint8_t> tone;
    constexpr int kFrames = 22050;  // one second of a 441 Hz tone at 22050 Hz
    for (int i = 0; i < kFrames; ++i) {
        const int s = static_cast<int>(std::lround(12000 * std::sin(2 * M_PI * 441.0 * i / 22050.0)));
        tone.push_back(static_cast<std::uint8_t>(s & 0xFF));
        tone.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    const auto out = platform::ConvertPcmToStereoFloat({1, 22050, 16, 2}, tone.data(), tone.size(), 48000);
    EXPECT_NEAR(static_cast<double>(out.size() / 2), 48000.0, 100.0);
    // Same pitch: count the rising zero crossings in the middle of the output.
    int crossings = 0;
    for (std::size_t i = 2 * 4800; i + 2 < 2 * 43200; i += 2) crossings += (out[i] < 0 && out[i + 2] >= 0) ? 1 : 0;
    EXPECT_NEAR(crossings, 441 * 0.8, 2);
}

TEST(PcmConvert, UnplayableFormatsAndOverlongSoundsGiveNothing) {
    const std::vector<std::uint8_t> data(4800, 0);
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({1, 48000, 24, 3}, data.data(), data.size(), 48000).empty());
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({3, 48000, 16, 6}, data.data(), data.size(), 48000).empty());
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({1, 48000, 16, 4}, data.data(), data.size(), 48000).empty());
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({1, 0, 16, 2}, data.data(), data.size(), 48000).empty());
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({1, 48000, 16, 2}, data.data(), 1, 48000).empty());
    // 4800 bytes at 100 samples a second is 48 s; 60 s of 8-bit at 100 Hz fits, 61 s does not.
    const std::vector<std::uint8_t> slow(6100, 128);
    EXPECT_TRUE(platform::ConvertPcmToStereoFloat({1, 100, 8, 1}, slow.data(), slow.size(), 48000).empty());
    EXPECT_FALSE(platform::ConvertPcmToStereoFloat({1, 100, 8, 1}, slow.data(), 6000, 48000).empty());
}

class CountingSource final : public platform::AudioSource {
public:
    void MixInto(float* stereo, int frames, std::uint64_t firstFrame, std::uint64_t nowMicros) override {
        firsts.push_back(firstFrame);
        times.push_back(nowMicros);
        for (int i = 0; i < 2 * frames; ++i) stereo[i] += 0.75f;
    }
    std::vector<std::uint64_t> firsts;
    std::vector<std::uint64_t> times;
};

TEST(AudioMixer, SourcesGetContiguousFramesAndTheSumIsLimited) {
    auto device = platform::SoundDevice::CreateOffline(48000, 256);
    ASSERT_TRUE(device);
    EXPECT_TRUE(device->IsOffline());
    CountingSource source;
    device->Mixer().AddSource(&source);
    const auto pcm = Pcm16({32767, 32767, 32767, 32767});
    auto buffer = device->CreateBuffer({1, 48000, 16, 2}, pcm.data(), pcm.size());
    ASSERT_TRUE(buffer);
    buffer->Play();
    std::vector<float> out(512);
    device->RenderOffline(out.data(), 256, 1000);
    EXPECT_LT(out[0], 1.0f);  // 0.75 + 1.0, limited under full scale
    EXPECT_GT(out[0], 0.95f);
    device->RenderOffline(out.data(), 100, 2000);
    EXPECT_EQ(source.firsts, (std::vector<std::uint64_t>{0, 256}));
    EXPECT_EQ(source.times, (std::vector<std::uint64_t>{1000, 2000}));
    EXPECT_EQ(device->Mixer().FramesRendered(), 356u);
    device->Mixer().RemoveSource(&source);
    buffer.reset();
    device->RenderOffline(out.data(), 100, 3000);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
}

TEST(AudioMixer, TheEffectsGainScalesTheVoicesAndLeavesTheSourcesAlone) {
    auto device = platform::SoundDevice::CreateOffline(48000, 64);
    CountingSource source;
    device->Mixer().AddSource(&source);
    const auto pcm = Pcm16({8192, 8192, 8192, 8192});
    auto buffer = device->CreateBuffer({1, 48000, 16, 2}, pcm.data(), pcm.size());
    std::vector<float> out(128);
    for (float gain : {0.5f, 0.0f}) {
        device->Mixer().SetEffectsGain(gain);
        buffer->Play();
        device->RenderOffline(out.data(), 64, 0);
        EXPECT_FLOAT_EQ(out[0], 0.75f + 0.25f * gain);
        EXPECT_FLOAT_EQ(out[10], 0.75f);
    }
    device->Mixer().RemoveSource(&source);
}

// Two tones a fifth apart, as music sums: peaks of `amplitude`, 48 kHz stereo.
std::vector<float> Chord(double amplitude, int frames, int from = 0) {
    std::vector<float> out(2 * static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const double t = (from + i) / 48000.0;
        const double v =
            amplitude * 0.5 * (std::sin(2 * std::numbers::pi * 220 * t) + std::sin(2 * std::numbers::pi * 330 * t));
        out[2 * static_cast<std::size_t>(i)] = static_cast<float>(v);
        out[2 * static_cast<std::size_t>(i) + 1] = static_cast<float>(-v);
    }
    return out;
}

float Peak(const float* s, std::size_t n) {
    float p = 0.0f;
    for (std::size_t i = 0; i < n; ++i) p = std::max(p, std::fabs(s[i]));
    return p;
}

// As the device's callback hands them over.
void ProcessInBlocks(platform::PeakLimiter& limiter, std::vector<float>& stereo) {
    const int frames = static_cast<int>(stereo.size() / 2);
    for (int at = 0; at < frames; at += 512) limiter.Process(stereo.data() + 2 * at, std::min(512, frames - at));
}

TEST(PeakLimiter, QuietSoundPassesUntouched) {
    platform::PeakLimiter limiter(48000);
    const std::vector<float> in = Chord(0.85, 48000);
    std::vector<float> out = in;
    ProcessInBlocks(limiter, out);
    EXPECT_EQ(out, in);
}

TEST(PeakLimiter, LoudSoundStaysUnderFullScaleAsTheSameWaveTurnedDown) {
    platform::PeakLimiter limiter(48000);
    for (double amplitude : {1.2, 2.0, 8.0}) {
        SCOPED_TRACE(amplitude);
        const std::vector<float> in = Chord(amplitude, 24000);
        std::vector<float> out = in;
        ProcessInBlocks(limiter, out);
        EXPECT_LE(Peak(out.data(), out.size()), platform::PeakLimiter::kCeiling);
        // Once the gain has come down (a few milliseconds) it holds: the output is the input scaled, not
        // clipped, and its peaks sit at the threshold.
        const std::size_t settled = 2 * 480;
        double dot = 0.0, power = 0.0;
        for (std::size_t i = settled; i < out.size(); ++i) {
            dot += static_cast<double>(out[i]) * in[i];
            power += static_cast<double>(in[i]) * in[i];
        }
        const auto gain = static_cast<float>(dot / power);
        float worst = 0.0f;
        for (std::size_t i = settled; i < out.size(); ++i) worst = std::max(worst, std::fabs(out[i] - gain * in[i]));
        EXPECT_LT(worst, 0.01f);
        EXPECT_NEAR(Peak(out.data() + settled, out.size() - settled), platform::PeakLimiter::kThreshold, 0.01);
    }
}

TEST(PeakLimiter, AQuietPassageAfterALoudOneComesBackUntouched) {
    platform::PeakLimiter limiter(48000);
    std::vector<float> loud = Chord(1.6, 9600);
    limiter.Process(loud.data(), 9600);
    const std::vector<float> in = Chord(0.3, 48000, 9600);
    std::vector<float> out = in;
    limiter.Process(out.data(), 48000);
    // Within 150 ms the gain is back, and it never went more than a few dB down.
    const std::size_t back = 2 * 7200;
    EXPECT_TRUE(std::equal(out.begin() + back, out.end(), in.begin() + back));
    float lowest = 1.0f;
    for (std::size_t i = 0; i < back; ++i) {
        if (std::fabs(in[i]) > 0.01f) lowest = std::min(lowest, out[i] / in[i]);
    }
    EXPECT_GT(lowest, 0.5f);
}

}  // namespace

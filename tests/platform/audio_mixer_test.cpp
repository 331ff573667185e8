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
    EXPECT_TRUE(out[0] > 0.95f && out[0] < 1.0f) << out[0];  // 0.75 + 1.0, limited under full scale
    device->RenderOffline(out.data(), 100, 2000);
    EXPECT_EQ(source.firsts, (std::vector<std::uint64_t>{0, 256}));
    EXPECT_EQ(source.times, (std::vector<std::uint64_t>{1000, 2000}));
    EXPECT_EQ(device->Mixer().FramesRendered(), 356u);
    device->Mixer().RemoveSource(&source);
    buffer.reset();
    device->RenderOffline(out.data(), 100, 3000);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
}

// Two tones a fifth apart, as music sums, with peaks of `amplitude`; the same on both channels.
std::vector<float> Chord(double amplitude, int frames, int from = 0) {
    std::vector<float> out;
    for (int i = from; i < from + frames; ++i) {
        const double t = 2 * std::numbers::pi * i / 48000.0;
        out.insert(out.end(), 2, static_cast<float>(amplitude * 0.5 * (std::sin(220 * t) + std::sin(330 * t))));
    }
    return out;
}

// Through the limiter in the device's blocks.
std::vector<float> Limited(platform::PeakLimiter& limiter, std::vector<float> stereo) {
    const int frames = static_cast<int>(stereo.size() / 2);
    for (int at = 0; at < frames; at += 512) limiter.Process(stereo.data() + 2 * at, std::min(512, frames - at));
    return stereo;
}

TEST(PeakLimiter, QuietSoundIsUntouchedBeforeAndSoonAfterALoudPassage) {
    platform::PeakLimiter limiter(48000);
    const std::vector<float> quiet = Chord(0.85, 48000);
    EXPECT_EQ(Limited(limiter, quiet), quiet);
    Limited(limiter, Chord(1.6, 9600));
    const std::vector<float> in = Chord(0.3, 48000, 9600);
    const std::vector<float> out = Limited(limiter, in);
    // Within 150 ms the gain is back, and meanwhile it never went more than 6 dB down.
    const auto back = static_cast<std::ptrdiff_t>(2 * 7200);
    EXPECT_TRUE(std::equal(out.begin() + back, out.end(), in.begin() + back));
    for (std::ptrdiff_t i = 0; i < back; ++i) ASSERT_GE(std::fabs(out[i]), 0.5f * std::fabs(in[i])) << i;
}

TEST(PeakLimiter, LoudSoundStaysUnderFullScaleAsTheSameWaveTurnedDown) {
    platform::PeakLimiter limiter(48000);
    for (double amplitude : {1.2, 2.0, 8.0}) {
        SCOPED_TRACE(amplitude);
        const std::vector<float> in = Chord(amplitude, 24000);
        const std::vector<float> out = Limited(limiter, in);
        for (float v : out) ASSERT_LE(std::fabs(v), platform::PeakLimiter::kCeiling);
        // Once down (in 10 ms) the gain holds: the input scaled, not clipped, its peaks at the threshold.
        const std::size_t settled = 2 * 480;
        const auto top = static_cast<std::size_t>(std::max_element(in.begin() + settled, in.end()) - in.begin());
        EXPECT_NEAR(out[top], platform::PeakLimiter::kThreshold, 0.01);
        const float gain = out[top] / in[top];
        for (std::size_t i = settled; i < out.size(); ++i) ASSERT_NEAR(out[i], gain * in[i], 0.01f) << i;
    }
}

}  // namespace

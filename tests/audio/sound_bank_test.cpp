#include "audio/sound_bank.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio/volume.h"
#include "audio/wave_builder.h"
#include "audio/wave_file.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRate = 48000;

// 16-bit mono at the device's rate, so the mixer's output is the file's samples as floats.
std::vector<std::uint8_t> Ramp16(int frames, int start = 1000, int step = 7) {
    std::vector<std::uint8_t> data;
    for (int i = 0; i < frames; ++i)
        PutLe(&data, static_cast<std::uint16_t>(static_cast<std::int16_t>(start + step * i)), 2);
    return data;
}

WaveSpec MonoSpec(std::vector<std::uint8_t> data) {
    WaveSpec desc;
    desc.rate = kRate;
    desc.data = std::move(data);
    return desc;
}

class SoundBankTest : public ::testing::Test {
protected:
    void Write(int slot, const WaveSpec& desc) { Write(slot, BuildWaveFile(desc)); }
    void Write(int slot, const std::vector<std::uint8_t>& bytes) {
        std::string name = SoundBank::EffectFile(slot);
        std::replace(name.begin(), name.end(), '\\', '/');
        dir_.WriteFile(name, AsString(bytes));
    }
    bool Init() {
        device_ = platform::SoundDevice::CreateOffline(kRate, 512);
        return bank_.InitWithDevice(device_);
    }
    std::vector<float> Render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(2 * frames));
        now_ += static_cast<std::uint64_t>(frames) * 1000000 / kRate;
        device_->RenderOffline(out.data(), frames, now_);
        return out;
    }

    TempWorkDir dir_;
    std::shared_ptr<platform::SoundDevice> device_;
    SoundBank bank_;
    std::uint64_t now_ = 0;
};

TEST_F(SoundBankTest, PcmFilesOfEveryPlayableShapeLoad) {
    struct Shape {
        std::uint16_t channels, bits;
        std::uint32_t rate, fmtSize;
    };
    const Shape shapes[] = {
        {1, 8, 11025, 16}, {2, 8, 22050, 18}, {1, 16, 44100, 16}, {2, 16, 8000, 18}, {2, 16, 96000, 16}};
    int slot = 0;
    for (const Shape& s : shapes) {
        WaveSpec desc;
        desc.channels = s.channels;
        desc.bits = s.bits;
        desc.rate = s.rate;
        desc.fmtSize = s.fmtSize;
        desc.data.assign(static_cast<std::size_t>(s.rate / 10) * s.channels * (s.bits / 8), 0x40);
        Write(slot++, desc);
    }
    ASSERT_TRUE(Init());
    for (int i = 0; i < slot; ++i) {
        EXPECT_TRUE(bank_.HasSound(i)) << i;
    }
    for (int i = slot; i < SoundBank::kSlotCount; ++i) EXPECT_FALSE(bank_.HasSound(i)) << i;
}

TEST_F(SoundBankTest, FloatAdpcmAndOtherFormatsAreRefused) {
    WaveSpec ieeeFloat = MonoSpec(std::vector<std::uint8_t>(4000, 0));
    ieeeFloat.formatTag = 3;
    ieeeFloat.bits = 32;
    WaveSpec adpcm = MonoSpec(std::vector<std::uint8_t>(4000, 0));
    adpcm.formatTag = 2;
    adpcm.bits = 4;
    adpcm.blockAlign = 256;
    adpcm.fmtSize = 18;
    WaveSpec extensible = MonoSpec(std::vector<std::uint8_t>(4000, 0));
    extensible.formatTag = 0xFFFE;
    extensible.fmtSize = 18;
    WaveSpec pcm24 = MonoSpec(std::vector<std::uint8_t>(3000, 0));
    pcm24.bits = 24;
    WaveSpec fourChannels = MonoSpec(std::vector<std::uint8_t>(4000, 0));
    fourChannels.channels = 4;
    Write(0, ieeeFloat);
    Write(1, adpcm);
    Write(2, extensible);
    Write(3, pcm24);
    Write(4, fourChannels);
    Write(5, MonoSpec(Ramp16(100)));
    ASSERT_TRUE(Init());
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(bank_.HasSound(i)) << i;
    EXPECT_TRUE(bank_.HasSound(5));
}

TEST_F(SoundBankTest, ThreePlaysInOneFrameGiveOneSoundFromTheThird) {
    Write(3, MonoSpec(Ramp16(2000)));
    ASSERT_TRUE(Init());
    EXPECT_TRUE(bank_.Play(3));
    EXPECT_TRUE(bank_.Play(3));
    EXPECT_TRUE(PlaySound(-1));  // the program-wide bank has no device here: nothing happens
    EXPECT_TRUE(bank_.Play(3));
    const std::vector<float> out = Render(512);
    for (int i = 0; i < 512; ++i) {
        const float expected = static_cast<float>(1000 + 7 * i) / 32768.0f;
        ASSERT_NEAR(out[2 * static_cast<std::size_t>(i)], expected, 1e-6f) << i;  // once, not three times over
        ASSERT_EQ(out[2 * static_cast<std::size_t>(i)], out[2 * static_cast<std::size_t>(i) + 1]);
    }
}

TEST_F(SoundBankTest, ARestartFadesTheOldSoundOutInsteadOfClicking) {
    // A loud square-ish tone: cutting it dead would jump by its full height.
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 4800; ++i)
        PutLe(&data, static_cast<std::uint16_t>(static_cast<std::int16_t>(i % 100 < 50 ? 12000 : 9000)), 2);
    Write(7, MonoSpec(data));
    ASSERT_TRUE(Init());
    bank_.Play(7);
    Render(1000);
    bank_.Play(7);
    const std::vector<float> out = Render(512);
    const int fade = device_->Mixer().FadeFrames();
    EXPECT_GE(fade, kRate / 1000);  // at least a millisecond
    EXPECT_LE(fade, kRate / 500);   // at most two
    // The output is the new sound from its start plus the old one fading: the old part shrinks smoothly
    // from full height to nothing over the fade, never overlapping the new sound after it.
    float previous = 2.0f;
    for (int i = 0; i < 512; ++i) {
        const float fresh = (i % 100 < 50 ? 12000.0f : 9000.0f) / 32768.0f;
        const float old = out[2 * static_cast<std::size_t>(i)] - fresh;
        if (i >= fade) {
            ASSERT_NEAR(old, 0.0f, 1e-6f) << i;
            continue;
        }
        const float oldFull = ((1000 + i) % 100 < 50 ? 12000.0f : 9000.0f) / 32768.0f;
        const float gain = old / oldFull;
        ASSERT_LT(gain, previous) << i;
        ASSERT_GT(gain, 0.0f - 1e-6f) << i;
        previous = gain;
    }
    EXPECT_GT(out[0] - 12000.0f / 32768.0f,
              0.95f * 12000.0f / 32768.0f);  // the old sound starts its fade at full height
}

TEST_F(SoundBankTest, ASoundPlaysToItsEndOnceAndFreeSlotSilencesIt) {
    Write(0, MonoSpec(Ramp16(700)));
    ASSERT_TRUE(Init());
    bank_.Play(0);
    const auto first = Render(512);
    const auto second = Render(512);
    EXPECT_NE(second[2 * 187], 0.0f);
    for (std::size_t i = 2 * 188; i < second.size(); ++i) ASSERT_EQ(second[i], 0.0f);
    EXPECT_EQ(Render(512), std::vector<float>(1024, 0.0f));
    bank_.FreeSlot(0);
    EXPECT_FALSE(bank_.HasSound(0));
    bank_.Play(0);
    EXPECT_EQ(Render(512), std::vector<float>(1024, 0.0f));
    bank_.FreeSlot(-5);
    bank_.FreeSlot(40);
    EXPECT_TRUE(bank_.Play(40));
}

TEST_F(SoundBankTest, StopAllCutsEverySoundAtOnceAndAPlayAfterItSoundsAgain) {
    for (int slot : {3, 4}) Write(slot, MonoSpec(Ramp16(4800)));
    ASSERT_TRUE(Init());
    for (int slot : {3, 4}) bank_.Play(slot);
    Render(512);
    bank_.StopAll();
    const std::vector<float> out = Render(512);
    EXPECT_TRUE(std::all_of(out.begin() + 2 * device_->Mixer().FadeFrames(), out.end(), [](float x) { return !x; }));
    bank_.Play(3);
    EXPECT_NEAR(Render(512)[0], 1000.0f / 32768.0f, 1e-6f);  // from its start
}

TEST_F(SoundBankTest, TheDeviceIsLentWithAReference) {
    std::shared_ptr<platform::SoundDevice> lent;
    EXPECT_FALSE(bank_.GetDevice(&lent));
    EXPECT_EQ(lent, nullptr);
    ASSERT_TRUE(Init());
    EXPECT_TRUE(bank_.GetDevice(&lent));
    EXPECT_EQ(lent, device_);
    EXPECT_EQ(lent.use_count(), 3);  // the bank, the test and the one lent
}

TEST(Volume, TenIsAsMadeFiveIsSixToTenDecibelsUnderZeroIsSilence) {
    EXPECT_EQ(VolumeGain(kVolumeFull), 1.0f);
    EXPECT_EQ(VolumeGain(0), 0.0f);
    EXPECT_NEAR(20 * std::log10(VolumeGain(5)), -8.0, 2.0);
    for (int level = 1; level <= kVolumeFull; ++level) EXPECT_GT(VolumeGain(level), VolumeGain(level - 1)) << level;
    EXPECT_EQ(VolumeGain(-3) + VolumeGain(99), 1.0f) << "out of range is the nearest end";
}

TEST_F(SoundBankTest, TheEffectsVolumeIsHeardAtOnceAndALevelSetEarlyIsKept) {
    Write(2, MonoSpec(Ramp16(4000, 2000, 1)));
    bank_.SetEffectsVolume(5);  // before there is a device
    ASSERT_TRUE(Init());
    auto level = [&] {
        bank_.Play(2);
        return Render(512)[2 * 200];  // past the fade of the sound restarted
    };
    const float half = level();
    bank_.SetEffectsVolume(kVolumeFull);
    EXPECT_NEAR(20 * std::log10(half / level()), 20 * std::log10(VolumeGain(5)), 0.01);
    bank_.SetEffectsVolume(0);
    EXPECT_EQ(level(), 0.0f);
}

TEST_F(SoundBankTest, WithoutADeviceInitFailsAndEverySlotStaysEmpty) {
    Write(0, MonoSpec(Ramp16(100)));
    EXPECT_FALSE(bank_.InitWithDevice(nullptr));
    EXPECT_FALSE(bank_.HasSound(0));
    EXPECT_TRUE(bank_.Play(0));
}

// Wave files that claim more than they hold, or are otherwise broken, leave their slot silent.
TEST(WaveFile, HostileFilesAreRefused) {
    const std::vector<std::uint8_t> good = BuildWaveFile(MonoSpec(Ramp16(100)));
    WaveData wave;
    ASSERT_TRUE(ParseWaveFile(good.data(), good.size(), &wave));
    EXPECT_EQ(wave.pcm.size(), 200u);
    EXPECT_EQ(wave.format.samplesPerSecond, 48000u);

    auto patched = [&](std::size_t at, std::uint32_t value) {
        auto b = good;
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return b;
    };
    const std::size_t dataSizeAt = 12 + 8 + 16 + 4;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"RIFF size past the end", patched(4, static_cast<std::uint32_t>(good.size()))},
        {"RIFF size 4 GB", patched(4, 0xFFFFFFFFu)},
        {"fmt size past the end", patched(16, 0x7FFFFFFFu)},
        {"fmt shorter than 16 bytes", patched(16, 14)},
        {"data size past the end", patched(dataSizeAt, 201)},
        {"data size 4 GB", patched(dataSizeAt, 0xFFFFFFF0u)},
        {"cut inside the data", std::vector<std::uint8_t>(good.begin(), good.end() - 3)},
        {"cut inside a header", std::vector<std::uint8_t>(good.begin(), good.begin() + 22)},
        {"not WAVE", patched(8, 0x20495641)},
        {"empty", {}},
    };
    WaveSpec dataFirst = MonoSpec(Ramp16(10));
    dataFirst.dataBeforeFmt = true;
    cases.push_back({"data before fmt", BuildWaveFile(dataFirst)});
    for (const Case& c : cases) {
        std::vector<std::uint8_t> exact(c.bytes.begin(), c.bytes.end());
        EXPECT_FALSE(ParseWaveFile(exact.empty() ? nullptr : exact.data(), exact.size(), &wave)) << c.name;
    }
}

TEST(WaveFile, OddChunksArePaddedAndOtherChunksSkipped) {
    // A "LIST" chunk of odd size between fmt and data, and a RIFF of another form before the WAVE one.
    std::vector<std::uint8_t> wave = BuildWaveFile(MonoSpec(Ramp16(3)));
    std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    wave.insert(wave.begin() + 12 + 24, list.begin(), list.end());
    const std::uint32_t riffSize = static_cast<std::uint32_t>(wave.size() - 8);
    for (int i = 0; i < 4; ++i) wave[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    std::vector<std::uint8_t> other = {'R', 'I', 'F', 'F', 5, 0, 0, 0, 'A', 'V', 'I', ' ', 'x', 0};
    other.insert(other.end(), wave.begin(), wave.end());
    WaveData out;
    ASSERT_TRUE(ParseWaveFile(other.data(), other.size(), &out));
    EXPECT_EQ(out.pcm, Ramp16(3));
}

}  // namespace

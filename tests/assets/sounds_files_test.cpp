// The fifteen effects as the game loads them: each file under its exact name, a PCM wave the sound bank
// takes, shaped for its trigger (the main gun short enough to fire every fifth frame, the beams that
// are restarted every frame beginning at zero), at levels that sit with the music.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/sound_bank.h"
#include "audio/wave_file.h"
#include "platform/audio/sound_device.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const char* const kFiles[15] = {"pishun", "bokan", "bokaan", "don20", "warp1",  "get1",    "sinpi5", "bse9",
                                "bse10",  "bse8",  "don14",  "se8",   "pikabu", "don09_a", "se6"};

fs::path WavePath(int slot) { return fs::path(KORVEX_DATA_DIR) / "w" / (std::string(kFiles[slot]) + ".wav"); }

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<double> Samples(int slot) {
    std::vector<std::uint8_t> bytes = ReadBytes(WavePath(slot));
    WaveData wave;
    EXPECT_TRUE(ParseWaveFile(bytes.data(), bytes.size(), &wave)) << kFiles[slot];
    std::vector<double> out;
    for (std::size_t i = 0; i + 1 < wave.pcm.size(); i += 2) {
        out.push_back(static_cast<std::int16_t>(wave.pcm[i] | (wave.pcm[i + 1] << 8)) / 32768.0);
    }
    return out;
}

double Peak(const std::vector<double>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    double p = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i) p = std::max(p, std::fabs(s[i]));
    return p;
}

double Rms(const std::vector<double>& s, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

double Db(double v) { return 20.0 * std::log10(std::max(v, 1e-9)); }

TEST(SoundFiles, EveryEffectIsA16BitMonoPcmWaveWithAnEighteenByteFormat) {
    // The sound bank the game shipped with reads the format chunk as an 18-byte WAVEFORMATEX.
    for (int slot = 0; slot < 15; ++slot) {
        SCOPED_TRACE(kFiles[slot]);
        ASSERT_TRUE(fs::exists(WavePath(slot)));
        std::vector<std::uint8_t> b = ReadBytes(WavePath(slot));
        ASSERT_GE(b.size(), 46u);
        EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ");
        EXPECT_EQ(b[16] | (b[17] << 8), 18);
        EXPECT_EQ(b[36] | (b[37] << 8), 0) << "cbSize";
        WaveData wave;
        ASSERT_TRUE(ParseWaveFile(b.data(), b.size(), &wave));
        EXPECT_EQ(wave.format.channels, 1);
        EXPECT_EQ(wave.format.bitsPerSample, 16);
        EXPECT_EQ(wave.format.samplesPerSecond, 44100u);
        EXPECT_EQ(wave.format.blockAlign, 2);
        EXPECT_TRUE(platform::IsPlayablePcm(wave.format));
    }
}

TEST(SoundFiles, TheSoundBankLoadsAllFifteenSlots) {
    TempWorkDir dir;
    fs::copy(fs::path(KORVEX_DATA_DIR) / "w", dir.Path() / "w");
    SoundBank bank;
    ASSERT_TRUE(bank.InitWithDevice(platform::SoundDevice::CreateOffline()));
    for (int slot = 0; slot < 15; ++slot) {
        EXPECT_STREQ(SoundBank::EffectFile(slot), ("w\\" + std::string(kFiles[slot]) + ".wav").c_str());
        EXPECT_TRUE(bank.HasSound(slot)) << kFiles[slot];
    }
}

TEST(SoundFiles, LengthsFitTheirTriggers) {
    const double rate = 44100.0;
    EXPECT_LT(Samples(0).size() / rate, 0.150) << "the main gun re-fires every fifth frame";
    EXPECT_LT(Samples(12).size() / rate, 0.100) << "the cursor blip";
    EXPECT_GT(Samples(4).size() / rate, 0.8) << "the warp lasts as the shutter closes";
    EXPECT_LT(Samples(4).size() / rate, 1.5);
    EXPECT_GT(Samples(13).size() / rate, Samples(2).size() / rate) << "the boss blast outlasts the bomb blast";
    EXPECT_GT(Samples(2).size() / rate, Samples(1).size() / rate) << "the bomb blast outlasts a kill";
    for (int slot = 0; slot < 15; ++slot) EXPECT_LT(Samples(slot).size() / rate, 3.0) << kFiles[slot];
}

TEST(SoundFiles, RestruckBeamsStartAtZeroAndHumSteadily) {
    // Slots 8 and 9 are restarted every frame: the start must not click, and the first 33 ms (all that
    // is heard while the last boss restarts it) must already be the steady sound.
    for (int slot : {8, 9}) {
        SCOPED_TRACE(kFiles[slot]);
        std::vector<double> s = Samples(slot);
        ASSERT_GT(s.size(), 4410u);
        EXPECT_EQ(s[0], 0.0);
        double peak = Peak(s);
        EXPECT_LT(Peak(s, 0, 22), 0.1 * peak) << "a ramp over the first half millisecond";
        EXPECT_LT(std::fabs(s[1]), 0.02);
        double opening = Rms(s, 441, 1455);  // 10-33 ms
        double body = Rms(s, 1455, 4410);    // 33-100 ms
        EXPECT_LT(std::fabs(Db(opening) - Db(body)), 3.0);
    }
}

TEST(SoundFiles, LevelsSitWithTheMusicAndEndWithoutAClick) {
    for (int slot = 0; slot < 15; ++slot) {
        SCOPED_TRACE(kFiles[slot]);
        std::vector<double> s = Samples(slot);
        double peak = Db(Peak(s));
        EXPECT_LE(peak, -0.9);
        EXPECT_GE(peak, -13.0) << "too quiet against the music";
        EXPECT_LT(std::fabs(s.back()), 0.002);
        EXPECT_LT(std::fabs(s.front()), 0.002);
    }
    // The explosions are the loudest things in the game, the gun and the cursor among the quietest.
    EXPECT_GT(Peak(Samples(13)), Peak(Samples(0)) * 2.0);
    EXPECT_GT(Peak(Samples(2)), Peak(Samples(12)) * 2.0);
}

}  // namespace

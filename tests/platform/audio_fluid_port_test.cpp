#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "platform/audio/fluid_midi_system.h"
#include "platform/audio/fluid_synth_port.h"
#include "platform/audio/sound_device.h"
#include "platform/audio/soundfont_lookup.h"
#include "platform/core/clock.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 512;

class FluidPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        soundFont_ = platform::FindSoundFont();
        if (soundFont_.empty()) GTEST_SKIP() << "no General MIDI sound font installed";
        device_ = platform::SoundDevice::CreateOffline(kRate, kBlock);
        system_ = std::make_unique<platform::FluidMidiSystem>(soundFont_);
        system_->SetSoundDevice(device_);
        platform::MidiPortCaps caps;
        ASSERT_TRUE(system_->GetDefaultPort(&caps));
        std::unique_ptr<platform::MidiPort> port;
        ASSERT_EQ(system_->CreatePort(caps, &port), platform::kMidiOk);
        port_.reset(static_cast<platform::FluidSynthPort*>(port.release()));
        ASSERT_TRUE(port_->HasSoundFont());
    }

    // Sends one short message now, stamped with the latency clock as the sequencer does.
    void Send(std::uint32_t message) {
        platform::MidiBuffer buffer(24);
        buffer.PackStructured(port_->GetLatencyClock()->GetTime(), 0, message);
        port_->PlayBuffer(buffer);
    }

    // Renders block after block, the clock moving with them as a device's would; `at` runs before the
    // block that starts at or after each given time.
    std::vector<float> RenderUntil(std::uint64_t endMicros) {
        std::vector<float> left;
        std::vector<float> block(2 * kBlock);
        while (blockTime_ < endMicros) {
            clock_.AdvanceMicros(blockTime_ - clock_.Micros());
            device_->RenderOffline(block.data(), kBlock, blockTime_);
            for (int i = 0; i < kBlock; ++i) left.push_back(block[2 * static_cast<std::size_t>(i)]);
            ++blocks_;
            blockTime_ = static_cast<std::uint64_t>(std::llround(blocks_ * kBlock * 1e6 / kRate));
        }
        return left;
    }

    platform::ManualClock clock_{0};
    platform::ScopedClock scoped_{clock_};
    std::string soundFont_;
    std::shared_ptr<platform::SoundDevice> device_;
    std::unique_ptr<platform::FluidMidiSystem> system_;
    std::unique_ptr<platform::FluidSynthPort> port_;
    std::uint64_t blockTime_ = 0;
    std::int64_t blocks_ = 0;
};

TEST_F(FluidPortTest, NotesSoundAtTheirTimeStampsNotAtTheCallbacksPeriod) {
    std::vector<float> out = RenderUntil(20000);
    // Send times that fall everywhere between callbacks. Each note gets a fresh synthesiser on the same
    // device, so no tail of the one before blurs where it begins.
    const std::uint64_t sends[] = {50000, 271370, 492777, 714001, 935555, 1156789, 1378123};
    std::vector<double> ideal;
    for (std::uint64_t at : sends) {
        port_.reset();
        std::unique_ptr<platform::MidiPort> port;
        ASSERT_EQ(system_->CreatePort(platform::MidiPortCaps{}, &port), platform::kMidiOk);
        port_.reset(static_cast<platform::FluidSynthPort*>(port.release()));
        std::vector<float> part = RenderUntil(at);
        out.insert(out.end(), part.begin(), part.end());
        clock_.AdvanceMicros(at - clock_.Micros());
        Send(0x7F3C90);  // note on, key 60, velocity 127
        // Frames are counted from the first block, rendered at time 0.
        ideal.push_back(static_cast<double>(at + port_->LatencyMicros()) * kRate / 1e6);
        part = RenderUntil(at + 200000);
        out.insert(out.end(), part.begin(), part.end());
    }
    // The synthesiser renders in 64-frame blocks, counted from the port's first block (a multiple of
    // 512 here); a message takes effect at the block edge nearest its frame, so every note begins the
    // same few frames after that edge and at most 32 frames plus those from its exact frame. Rounded to
    // the callback's 512-frame period it would be off by up to 256.
    std::vector<long> delays;
    for (double frame : ideal) {
        auto i = static_cast<std::size_t>(frame - 1000);  // after the previous note was cut off
        while (i < out.size() && std::fabs(out[i]) < 1e-6f) ++i;
        ASSERT_LT(i, out.size());
        const auto edge = static_cast<long>(std::lround(frame / 64.0)) * 64;
        delays.push_back(static_cast<long>(i) - edge);
    }
    for (long d : delays) EXPECT_EQ(d, delays.front());
    EXPECT_GE(delays.front(), 0);
    EXPECT_LE(delays.front(), 16);
}

TEST_F(FluidPortTest, AMessageStampedAheadWaitsForItsTime) {
    RenderUntil(20000);
    platform::MidiBuffer buffer(24);
    buffer.PackStructured(clock_.Micros() + 500000, 0, 0x7F3C90);
    port_->PlayBuffer(buffer);
    std::vector<float> out = RenderUntil(clock_.Micros() + 800000);
    std::size_t first = 0;
    while (first < out.size() && std::fabs(out[first]) < 1e-3f) ++first;
    ASSERT_LT(first, out.size());
    EXPECT_NEAR(static_cast<double>(first) / kRate, 0.48, 0.02);  // 500 ms after the 20 ms already rendered
}

TEST_F(FluidPortTest, SystemExclusiveAndEveryChannelMessageAreTaken) {
    RenderUntil(20000);
    const std::uint8_t gmOn[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    platform::MidiBuffer sysex(sizeof gmOn + 20);
    sysex.PackUnstructured(port_->GetLatencyClock()->GetTime(), 0, gmOn, sizeof gmOn);
    port_->PlayBuffer(sysex);
    for (std::uint32_t m : {0x0010C0u, 0x4000E0u, 0x6040A0u, 0x0030D0u, 0x7F4099u, 0x40F1u, 0x7F3C90u}) Send(m);
    const std::vector<float> out = RenderUntil(300000);
    EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](float s) { return std::fabs(s) > 0.001f; }));
    EXPECT_EQ(port_->DroppedMessages(), 0u);
}

double Rms(const std::vector<float>& s, std::ptrdiff_t from) {
    return std::sqrt(std::inner_product(s.begin() + from, s.end(), s.begin() + from, 0.0) / double(s.size() - from));
}

TEST_F(FluidPortTest, TheMusicGainTurnsTheSoundingNotesDownAtOnceAndZeroIsSilence) {
    RenderUntil(20000);
    Send(0x13C0);    // church organ: it holds its level while the key is down
    Send(0x7F3C90);  // note on, key 60, velocity 127
    const double full = Rms(RenderUntil(400000), 9600);
    ASSERT_GT(full, 0.01);
    device_->Mixer().SetMusicGain(0.4f);  // -8 dB
    EXPECT_NEAR(20 * std::log10(Rms(RenderUntil(500000), 2048) / full), -8.0, 0.5);
    device_->Mixer().SetMusicGain(0.0f);
    const std::vector<float> off = RenderUntil(700000);
    EXPECT_TRUE(std::all_of(off.begin(), off.end(), [](float v) { return v == 0.0f; }));
    // The note went on underneath, and is heard again at the old level.
    device_->Mixer().SetMusicGain(1.0f);
    EXPECT_NEAR(20 * std::log10(Rms(RenderUntil(800000), 2048) / full), 0.0, 0.5);
}

TEST(FluidMidiSystem, OnePortThatNeedsASoundDevice) {
    platform::FluidMidiSystem system("");
    platform::MidiPortCaps caps;
    caps.id = 77;
    caps.description = "untouched";
    EXPECT_FALSE(system.EnumPort(1, &caps));
    EXPECT_EQ(caps.description, "untouched");
    ASSERT_TRUE(system.EnumPort(0, &caps));
    EXPECT_EQ(caps.id, 0u);
    EXPECT_NE(caps.description.find("FluidSynth"), std::string::npos);
    std::unique_ptr<platform::MidiPort> port;
    EXPECT_EQ(system.CreatePort(caps, &port), platform::kMidiNoSoundDevice);
    EXPECT_EQ(port, nullptr);
    system.SetSoundDevice(platform::SoundDevice::CreateOffline());
    platform::MidiPortCaps other = caps;
    other.id = 1;
    EXPECT_EQ(system.CreatePort(other, &port), platform::kMidiNoSuchPort);
    // Without a sound font the port still takes messages and stays silent.
    ASSERT_EQ(system.CreatePort(caps, &port), platform::kMidiOk);
    platform::MidiBuffer buffer(24);
    buffer.PackStructured(0, 0, 0x7F3C90);
    port->PlayBuffer(buffer);
    EXPECT_TRUE(port->DownloadInstrument(platform::Instrument(5)));
    EXPECT_EQ(system.CreateLoader()->GetDefaultCollection(), nullptr);
    EXPECT_NE(system.CreateSystemClock(), nullptr);
}

TEST(FluidMidiSystem, TheDefaultCollectionIsTheSoundFont) {
    const std::string font = platform::FindSoundFont();
    if (font.empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    platform::FluidMidiSystem system(font);
    platform::MidiPortCaps caps;
    ASSERT_TRUE(system.GetDefaultPort(&caps));
    EXPECT_NE(caps.description.find(font), std::string::npos);
    auto collection = system.CreateLoader()->GetDefaultCollection();
    ASSERT_NE(collection, nullptr);
    for (std::uint32_t program : {0u, 40u, 127u}) EXPECT_NE(collection->GetInstrument(program), nullptr) << program;
    EXPECT_NE(collection->GetInstrument(0x80000000u), nullptr);  // standard drum kit
    EXPECT_EQ(collection->GetInstrument(0x00000080u), nullptr);  // program 128 does not exist
    EXPECT_EQ(collection->GetInstrument(0x007F0000u), nullptr);  // an empty bank
    // A General MIDI font has every melodic program in bank 0; the table read at opening holds them all.
    int melodic = 0;
    for (std::uint32_t program = 0; program < 128; ++program) melodic += collection->GetInstrument(program) != nullptr;
    EXPECT_EQ(128, melodic);
    // The patch asked for comes back as the instrument's own.
    auto drums = collection->GetInstrument(0x80000000u);
    ASSERT_NE(drums, nullptr);
    EXPECT_EQ(0x80000000u, drums->Patch());
}

TEST(SoundFontLookup, TheEnvironmentVariableComesFirstThenDebiansFiles) {
    setenv("KORVEX_SOUNDFONT", "/somewhere/mine.sf2", 1);
    const auto list = platform::SoundFontCandidates();
    unsetenv("KORVEX_SOUNDFONT");
    const std::vector<std::string> expected = {"/somewhere/mine.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                               "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                               "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
    EXPECT_EQ(list, expected);
    EXPECT_EQ(platform::SoundFontCandidates().size(), 3u);
}

TEST(SoundFontLookup, MissingFilesAndOtherFilesArePassedOver) {
    TempWorkDir dir;
    dir.WriteFile("not-a-font.sf2", "RIFF....this is text");
    EXPECT_EQ(platform::FindSoundFont({"missing.sf2", "not-a-font.sf2"}), "");
    const std::string real = platform::FindSoundFont();
    if (real.empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    EXPECT_EQ(platform::FindSoundFont({"missing.sf2", "not-a-font.sf2", real}), real);
}

}  // namespace

#include "platform/audio/fluid_synth_port.h"

#include <fluidsynth.h>

#include <algorithm>

#include "platform/audio/fluid_log.h"
#include "platform/audio/sound_device.h"
#include "platform/core/clock.h"

namespace platform {

namespace {

// Leeway past one callback period for a callback that comes early: a message sent just after one
// callback still lands in the next one's block.
constexpr std::uint64_t kJitterMarginMicros = 4000;
constexpr std::size_t kQueueBytes = 256 * 1024;
// The synthesiser's gain at full music volume.
constexpr float kFullGain = 0.4f;

}  // namespace

std::uint64_t FluidSynthPort::LatencyClock::GetTime() const { return CurrentClock().Micros() + latency_; }

std::unique_ptr<FluidSynthPort> FluidSynthPort::Create(std::shared_ptr<SoundDevice> device,
                                                       const std::string& soundFont) {
    if (!device) return nullptr;
    SilenceFluidSynthLog();
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", device->SampleRate());
    // Every call into the synthesiser comes from the audio callback, so its own locking is not wanted.
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setnum(settings, "synth.gain", kFullGain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        return nullptr;
    }
    std::unique_ptr<FluidSynthPort> port(new FluidSynthPort(std::move(device), settings, synth));
    if (!soundFont.empty()) {
        const int id = fluid_synth_sfload(synth, soundFont.c_str(), 1);
        port->soundFontId_ = id == FLUID_FAILED ? -1 : id;
    }
    port->device_->Mixer().AddSource(port.get());
    return port;
}

FluidSynthPort::FluidSynthPort(std::shared_ptr<SoundDevice> device, fluid_settings_t* settings, fluid_synth_t* synth)
    : device_(std::move(device)),
      settings_(settings),
      synth_(synth),
      latencyMicros_(static_cast<std::uint64_t>(device_->BlockFrames()) * 1000000u /
                         static_cast<std::uint64_t>(device_->SampleRate()) +
                     kJitterMarginMicros),
      latencyClock_(latencyMicros_),
      queue_(kQueueBytes),
      sampleClock_(device_->SampleRate()),
      block_(std::max(1, fluid_synth_get_internal_bufsize(synth))),
      staging_(static_cast<std::size_t>(2 * block_)),
      stagingUsed_(block_) {}

FluidSynthPort::~FluidSynthPort() {
    device_->Mixer().RemoveSource(this);
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void FluidSynthPort::PlayBuffer(const MidiBuffer& buffer) {
    std::lock_guard<std::mutex> lock(sendLock_);
    for (std::size_t i = 0; i < buffer.EventCount(); ++i) {
        const MidiBuffer::Event& e = buffer.EventAt(i);
        if (e.structured) {
            queue_.PushShort(e.time, e.message);
        } else {
            queue_.PushBytes(e.time, buffer.BytesOf(e), e.size);
        }
    }
}

void FluidSynthPort::Apply(const MidiEventQueue::View& event) {
    if (!event.shortMessage) {
        // FluidSynth takes the block without its framing bytes.
        const std::uint8_t* p = event.bytes;
        std::size_t n = event.size;
        if (n > 0 && p[0] == 0xF0) {
            ++p;
            --n;
        }
        if (n > 0 && p[n - 1] == 0xF7) --n;
        if (n > 0)
            fluid_synth_sysex(synth_, reinterpret_cast<const char*>(p), static_cast<int>(n), nullptr, nullptr, nullptr,
                              0);
        return;
    }
    const int status = static_cast<int>(event.message & 0xFF);
    const int d1 = static_cast<int>((event.message >> 8) & 0x7F);
    const int d2 = static_cast<int>((event.message >> 16) & 0x7F);
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, d1);
            break;
        case 0x90:
            fluid_synth_noteon(synth_, channel, d1, d2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, d1, d2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, d1, d2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, d1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, d1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, d1 | (d2 << 7));
            break;
        default:
            break;  // system messages mean nothing to the synthesiser
    }
}

void FluidSynthPort::ApplyDue(std::uint64_t blockStart) {
    // A message belongs to this boundary when its frame is nearer to it than to the next one.
    const double limit = static_cast<double>(blockStart) + block_ / 2.0;
    MidiEventQueue::View event;
    while (queue_.Front(&event)) {
        if (sampleClock_.FrameAt(event.time) >= limit) break;
        Apply(event);
        queue_.Pop();
    }
}

void FluidSynthPort::MixInto(float* stereo, int frames, std::uint64_t firstFrame, std::uint64_t nowMicros) {
    sampleClock_.OnBlock(firstFrame, static_cast<std::uint32_t>(frames), nowMicros);
    // The music's volume is the synthesiser's own gain, which it applies to the notes already sounding.
    // Silence is not asked of it: it would end the notes it can no longer hear, and they would not come
    // back with the volume. It goes on rendering at its last gain and is left out of the sum instead.
    const float volume = device_->Mixer().MusicGain();
    if (volume > 0.0f && volume != volume_) {
        volume_ = volume;
        fluid_synth_set_gain(synth_, kFullGain * volume);
    }
    if (!started_) {
        started_ = true;
        nextBlockFrame_ = firstFrame;
    }
    int done = 0;
    while (done < frames) {
        if (stagingUsed_ == block_) {
            ApplyDue(nextBlockFrame_);
            fluid_synth_write_float(synth_, block_, staging_.data(), 0, 2, staging_.data(), 1, 2);
            nextBlockFrame_ += static_cast<std::uint64_t>(block_);
            stagingUsed_ = 0;
        }
        const int n = std::min(block_ - stagingUsed_, frames - done);
        const float* from = staging_.data() + 2 * stagingUsed_;
        float* to = stereo + 2 * done;
        if (volume > 0.0f) {
            for (int i = 0; i < 2 * n; ++i) to[i] += from[i];
        }
        stagingUsed_ += n;
        done += n;
    }
}

}  // namespace platform

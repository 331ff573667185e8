#pragma once
// The MIDI output port: a FluidSynth synthesiser rendered inside the sound device's mixer. Messages are
// stamped with the port's latency clock when they are sent and queued without locks to the audio
// callback, which renders the synthesiser in its internal 64-frame blocks and applies each message at
// the block boundary nearest to its stamp's frame (within 32 frames, 0.67 ms at 48 kHz), so the timing
// the sequencer computed survives into the sound instead of being rounded to the callback's period.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/midi_event_queue.h"
#include "platform/audio/midi_system.h"
#include "platform/audio/sample_clock.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace platform {

class SoundDevice;

class FluidSynthPort final : public MidiPort, public AudioSource {
public:
    // Null when the synthesiser cannot be made. An empty or unloadable sound font gives a port that
    // takes every message and stays silent.
    static std::unique_ptr<FluidSynthPort> Create(std::shared_ptr<SoundDevice> device, const std::string& soundFont);
    ~FluidSynthPort() override;

    ReferenceClock* GetLatencyClock() override { return &latencyClock_; }
    void PlayBuffer(const MidiBuffer& buffer) override;
    // The sound font already holds every General MIDI instrument: nothing to move.
    bool DownloadInstrument(const Instrument&) override { return true; }
    void Compact() override {}

    void MixInto(float* stereo, int frames, std::uint64_t firstFrame, std::uint64_t nowMicros) override;

    bool HasSoundFont() const { return soundFontId_ >= 0; }
    std::uint64_t LatencyMicros() const { return latencyMicros_; }
    std::uint64_t DroppedMessages() const { return queue_.Dropped(); }

private:
    class LatencyClock final : public ReferenceClock {
    public:
        explicit LatencyClock(const std::uint64_t& latency) : latency_(latency) {}
        std::uint64_t GetTime() const override;
        std::uint32_t AdvisePeriodic(std::uint64_t, std::uint64_t, CountingSemaphore*) override { return 0; }
        void Unadvise(std::uint32_t) override {}

    private:
        const std::uint64_t& latency_;
    };

    FluidSynthPort(std::shared_ptr<SoundDevice> device, fluid_settings_t* settings, fluid_synth_t* synth);
    void ApplyDue(std::uint64_t blockStart);
    void Apply(const MidiEventQueue::View& event);

    std::shared_ptr<SoundDevice> device_;
    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    int soundFontId_ = -1;
    std::uint64_t latencyMicros_;
    LatencyClock latencyClock_;
    std::mutex sendLock_;  // senders take turns at the queue's single producer end
    MidiEventQueue queue_;

    // Audio thread only.
    SampleClock sampleClock_;
    int block_;
    std::vector<float> staging_;
    int stagingUsed_;
    bool started_ = false;
    float volume_ = 1.0f;
    std::uint64_t nextBlockFrame_ = 0;
};

}  // namespace platform

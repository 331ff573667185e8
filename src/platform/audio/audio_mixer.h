#pragma once
// The sound device's mixer: it fills each output block with the sound-effect voices and the sources
// attached to it (the music synthesiser). Runs on the audio callback's thread; offline devices, tests
// and benchmarks call Render themselves.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/audio/peak_limiter.h"

namespace platform {

// Something that adds its own sound into the output (the MIDI synthesiser).
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Adds `frames` stereo frames into `stereo`. `firstFrame` counts frames since the mixer began;
    // `nowMicros` is the platform clock's time at the start of this block.
    virtual void MixInto(float* stereo, int frames, std::uint64_t firstFrame, std::uint64_t nowMicros) = 0;
};

// One sound effect: its samples in the mixer's format, played from the start on each restart request
// and silenced on each stop request.
class MixerVoice {
public:
    explicit MixerVoice(std::vector<float> stereoFrames);
    // Callable from any thread, never waits for the mixer. Several requests before the next block count
    // as the last of them: a stop after a restart is silence, a restart after a stop plays.
    void Restart() { Request(0); }
    void Stop() { Request(kStopBit); }
    std::size_t Frames() const { return samples_.size() / 2; }

private:
    friend class AudioMixer;
    // The requests word is a count (bits 1 and up), so the mixer sees that something was asked, and the
    // kind of the latest request (bit 0), changed together so no request can come between the two.
    static constexpr std::uint32_t kStopBit = 1;
    void Request(std::uint32_t kind) {
        std::uint32_t word = requests_.load(std::memory_order_relaxed);
        while (!requests_.compare_exchange_weak(word, ((word + 2) & ~kStopBit) | kind, std::memory_order_release,
                                                std::memory_order_relaxed)) {
        }
    }

    std::vector<float> samples_;
    std::atomic<std::uint32_t> requests_{0};
    // Mixer thread only.
    std::uint32_t seen_ = 0;
    std::int64_t position_ = -1;  // next frame to play; -1 = silent
    std::int64_t tail_ = -1;      // the cut-off sound still fading out
    std::int32_t tailLeft_ = 0;
};

class AudioMixer {
public:
    explicit AudioMixer(int sampleRate);

    int SampleRate() const { return rate_; }
    // Frames over which a restarted or stopped voice's old sound fades out instead of stopping dead.
    int FadeFrames() const { return fadeFrames_; }

    void AddVoice(MixerVoice* voice);
    void RemoveVoice(MixerVoice* voice);
    void AddSource(AudioSource* source);
    void RemoveSource(AudioSource* source);

    // Gains of the two kinds of sound, 0 (silent) to 1 (as made); callable from any thread, heard from
    // the next block. The effects' gain is applied to the voices here; the music's belongs to the
    // sources that make music (the synthesiser sets its own gain from it).
    void SetEffectsGain(float gain) { effectsGain_.store(gain, std::memory_order_relaxed); }
    void SetMusicGain(float gain) { musicGain_.store(gain, std::memory_order_relaxed); }
    float EffectsGain() const { return effectsGain_.load(std::memory_order_relaxed); }
    float MusicGain() const { return musicGain_.load(std::memory_order_relaxed); }

    // Writes `frames` interleaved stereo frames; the sum passes the limiter, so it stays inside -1..1.
    void Render(float* out, int frames, std::uint64_t nowMicros);
    std::uint64_t FramesRendered() const { return framesRendered_.load(std::memory_order_relaxed); }

private:
    void MixVoice(MixerVoice& voice, float* out, int frames, float gain);

    int rate_;
    int fadeFrames_;
    std::mutex mutex_;  // held while a block renders; the voice and source lists change only between blocks
    std::vector<MixerVoice*> voices_;
    std::vector<AudioSource*> sources_;
    std::atomic<std::uint64_t> framesRendered_{0};
    std::atomic<float> effectsGain_{1.0f};
    std::atomic<float> musicGain_{1.0f};
    PeakLimiter limiter_;  // audio thread only
};

}  // namespace platform

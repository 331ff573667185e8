#pragma once
// The sound device: one SDL audio output (48 kHz float stereo, 512-frame callbacks) whose callback runs
// the mixer. Sound-effect buffers are voices of that mixer, and the music synthesiser is one of its
// sources, so both reach the speakers through the one device. An offline device has no output behind it:
// its owner calls RenderOffline (tests, benchmarks).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/pcm_format.h"

namespace platform {

class SoundBuffer;

inline constexpr int kDeviceRate = 48000;
inline constexpr int kDeviceBlockFrames = 512;

class SoundDevice : public std::enable_shared_from_this<SoundDevice> {
public:
    // The system's default output, running. Null when no audio driver or device can be opened (as on a
    // machine without a sound card and without SDL_AUDIODRIVER=dummy or disk).
    static std::shared_ptr<SoundDevice> Open();
    static std::shared_ptr<SoundDevice> CreateOffline(int sampleRate = kDeviceRate,
                                                      int blockFrames = kDeviceBlockFrames);
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    int SampleRate() const { return mixer_.SampleRate(); }
    int BlockFrames() const { return blockFrames_; }
    bool IsOffline() const { return deviceId_ == 0; }
    // The SDL driver in use ("pulseaudio", "alsa", "disk", ...), or "offline".
    const std::string& DriverName() const { return driver_; }
    AudioMixer& Mixer() { return mixer_; }

    // A buffer holding the PCM data converted to the device's format; null for a format or length the
    // device cannot play.
    std::unique_ptr<SoundBuffer> CreateBuffer(const PcmFormat& format, const std::uint8_t* data, std::size_t bytes);

    // Offline devices: renders the next block as the device's callback would at time `nowMicros`.
    void RenderOffline(float* stereo, int frames, std::uint64_t nowMicros);

private:
    SoundDevice(int sampleRate, int blockFrames);
    static void Callback(void* user, std::uint8_t* stream, int length);

    AudioMixer mixer_;
    int blockFrames_;
    std::uint32_t deviceId_ = 0;
    std::string driver_ = "offline";
};

// A sound effect held by the device: restarts from its beginning on every Play, falls silent on Stop.
class SoundBuffer {
public:
    SoundBuffer(std::shared_ptr<SoundDevice> device, std::unique_ptr<MixerVoice> voice);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    void Play() { voice_->Restart(); }
    // Silences the sound within the mixer's short fade if it is playing; safe while the device renders.
    void Stop() { voice_->Stop(); }
    std::size_t Frames() const { return voice_->Frames(); }

private:
    std::shared_ptr<SoundDevice> device_;
    std::unique_ptr<MixerVoice> voice_;
};

}  // namespace platform

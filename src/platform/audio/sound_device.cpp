#include "platform/audio/sound_device.h"

#include <SDL.h>

#include "platform/audio/pcm_convert.h"
#include "platform/core/clock.h"

namespace platform {

SoundDevice::SoundDevice(int sampleRate, int blockFrames) : mixer_(sampleRate), blockFrames_(blockFrames) {}

std::shared_ptr<SoundDevice> SoundDevice::Open() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    std::shared_ptr<SoundDevice> device(new SoundDevice(kDeviceRate, kDeviceBlockFrames));
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kDeviceBlockFrames;
    want.callback = &SoundDevice::Callback;
    want.userdata = device.get();
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants, so the callback always sees this format.
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    device->deviceId_ = id;
    const char* driver = SDL_GetCurrentAudioDriver();
    device->driver_ = driver ? driver : "unknown";
    SDL_PauseAudioDevice(id, 0);
    return device;
}

std::shared_ptr<SoundDevice> SoundDevice::CreateOffline(int sampleRate, int blockFrames) {
    if (sampleRate <= 0 || blockFrames <= 0) return nullptr;
    return std::shared_ptr<SoundDevice>(new SoundDevice(sampleRate, blockFrames));
}

SoundDevice::~SoundDevice() {
    if (deviceId_ != 0) {
        // Stops the callback before the mixer it uses goes away.
        SDL_CloseAudioDevice(deviceId_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SoundDevice::Callback(void* user, std::uint8_t* stream, int length) {
    auto* device = static_cast<SoundDevice*>(user);
    const int frames = length / static_cast<int>(2 * sizeof(float));
    device->mixer_.Render(reinterpret_cast<float*>(stream), frames, CurrentClock().Micros());
}

void SoundDevice::RenderOffline(float* stereo, int frames, std::uint64_t nowMicros) {
    if (IsOffline()) mixer_.Render(stereo, frames, nowMicros);
}

std::unique_ptr<SoundBuffer> SoundDevice::CreateBuffer(const PcmFormat& format, const std::uint8_t* data,
                                                       std::size_t bytes) {
    std::vector<float> samples = ConvertPcmToStereoFloat(format, data, bytes, SampleRate());
    if (samples.empty()) return nullptr;
    return std::make_unique<SoundBuffer>(shared_from_this(), std::make_unique<MixerVoice>(std::move(samples)));
}

SoundBuffer::SoundBuffer(std::shared_ptr<SoundDevice> device, std::unique_ptr<MixerVoice> voice)
    : device_(std::move(device)), voice_(std::move(voice)) {
    device_->Mixer().AddVoice(voice_.get());
}

SoundBuffer::~SoundBuffer() { device_->Mixer().RemoveVoice(voice_.get()); }

}  // namespace platform

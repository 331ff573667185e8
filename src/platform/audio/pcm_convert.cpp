#include "platform/audio/pcm_convert.h"

#include <SDL.h>

namespace platform {

bool IsPlayablePcm(const PcmFormat& f) {
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.samplesPerSecond < 100 || f.samplesPerSecond > 200000) return false;
    return f.blockAlign == f.channels * f.bitsPerSample / 8;
}

std::vector<float> ConvertPcmToStereoFloat(const PcmFormat& format, const std::uint8_t* data, std::size_t bytes,
                                           int deviceRate) {
    std::vector<float> out;
    if (!IsPlayablePcm(format) || !data || deviceRate <= 0) return out;
    const std::size_t frames = bytes / format.blockAlign;
    if (frames == 0) return out;
    const double seconds = static_cast<double>(frames) / format.samplesPerSecond;
    if (seconds > kMaxSoundSeconds) return out;

    const SDL_AudioFormat from = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioStream* stream = SDL_NewAudioStream(from, static_cast<Uint8>(format.channels),
                                                 static_cast<int>(format.samplesPerSecond), AUDIO_F32SYS, 2,
                                                 deviceRate);
    if (!stream) return out;
    const std::size_t used = frames * format.blockAlign;
    bool ok = SDL_AudioStreamPut(stream, data, static_cast<int>(used)) == 0 && SDL_AudioStreamFlush(stream) == 0;
    if (ok) {
        const int available = SDL_AudioStreamAvailable(stream);
        out.resize(static_cast<std::size_t>(available) / sizeof(float));
        const int got = SDL_AudioStreamGet(stream, out.data(), available);
        if (got < 0) {
            out.clear();
        } else {
            out.resize(static_cast<std::size_t>(got) / sizeof(float) / 2 * 2);
        }
    }
    SDL_FreeAudioStream(stream);
    return out;
}

}  // namespace platform

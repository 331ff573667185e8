#include "platform/audio/pcm_convert.h"

#include <SDL.h>

#include <cstring>

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

    // The whole sound is converted in one go: SDL's streaming converter loses the last few tens of
    // milliseconds when it resamples.
    const SDL_AudioFormat from = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(format.channels), static_cast<int>(format.samplesPerSecond),
                          AUDIO_F32SYS, 2, deviceRate) < 0) {
        return out;
    }
    const std::size_t used = frames * format.blockAlign;
    std::vector<std::uint8_t> work(used * static_cast<std::size_t>(cvt.len_mult) + 16);
    std::memcpy(work.data(), data, used);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(used);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return out;
    const std::size_t bytesOut = cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : used;
    out.resize(bytesOut / sizeof(float) / 2 * 2);
    std::memcpy(out.data(), work.data(), out.size() * sizeof(float));
    return out;
}

}  // namespace platform

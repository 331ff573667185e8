#pragma once
// The format of PCM sample data as a wave file gives it.

#include <cstdint>

namespace platform {

struct PcmFormat {
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t blockAlign = 0;
};

// 8-bit (unsigned) or 16-bit (signed little-endian), mono or stereo, at 100 to 200000 samples per
// second, with a block alignment that matches.
bool IsPlayablePcm(const PcmFormat& format);

}  // namespace platform

#pragma once
// Conversion of a sound effect's PCM data, once at load, into the mixer's own format: interleaved
// float stereo at the device's rate (resampled with SDL's band-limited resampler).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/pcm_format.h"

namespace platform {

// Longest sound effect accepted, so a tiny rate cannot expand a small file into gigabytes.
inline constexpr double kMaxSoundSeconds = 60.0;

// Empty for a format that is not playable, for data with no whole sample frame, or for a sound longer
// than kMaxSoundSeconds. A trailing part frame is dropped.
std::vector<float> ConvertPcmToStereoFloat(const PcmFormat& format, const std::uint8_t* data, std::size_t bytes,
                                           int deviceRate);

}  // namespace platform

#pragma once
// RIFF/WAVE files of 16-bit PCM: "fmt " is the 18-byte WAVEFORMATEX (cbSize 0), then "data".

#include <cstdint>
#include <vector>

namespace assetgen::audio {

constexpr int kSampleRate = 44100;

std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples, int channels, int sampleRate);

// Float samples (1.0 = full scale) to 16-bit, rounded and clipped.
std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples);

}  // namespace assetgen::audio

#include "assetgen/audio/wave_file.h"

#include <algorithm>
#include <cmath>

namespace assetgen::audio {

namespace {
void U32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void U16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Tag(std::vector<std::uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}
}  // namespace

std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples, int channels, int sampleRate) {
    auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(46 + dataBytes + 1);
    Tag(out, "RIFF");
    U32(out, 4 + (8 + 18) + (8 + dataBytes + (dataBytes & 1)));
    Tag(out, "WAVE");
    Tag(out, "fmt ");
    U32(out, 18);
    U16(out, 1);  // PCM
    U16(out, static_cast<std::uint32_t>(channels));
    U32(out, static_cast<std::uint32_t>(sampleRate));
    U32(out, static_cast<std::uint32_t>(sampleRate * channels * 2));
    U16(out, static_cast<std::uint32_t>(channels * 2));
    U16(out, 16);
    U16(out, 0);  // cbSize
    Tag(out, "data");
    U32(out, dataBytes);
    for (std::int16_t s : samples) U16(out, static_cast<std::uint16_t>(s));
    if (dataBytes & 1) out.push_back(0);
    return out;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples) {
    std::vector<std::int16_t> out;
    out.reserve(samples.size());
    for (float s : samples) {
        out.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
    }
    return out;
}

}  // namespace assetgen::audio

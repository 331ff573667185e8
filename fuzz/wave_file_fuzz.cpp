// RIFF WAVE files as the sound bank reads them.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/wave_file.h"
#include "fuzz_check.h"

namespace {

// The samples are the contents of a "data" chunk of the file, whole: somewhere in the input is the chunk
// header declaring exactly their size, followed by exactly them.
bool SamplesAreADataChunk(const std::uint8_t* data, std::size_t size, const std::vector<std::uint8_t>& pcm) {
    const auto n = static_cast<std::uint32_t>(pcm.size());
    const std::uint8_t header[8] = {'d',
                                    'a',
                                    't',
                                    'a',
                                    static_cast<std::uint8_t>(n),
                                    static_cast<std::uint8_t>(n >> 8),
                                    static_cast<std::uint8_t>(n >> 16),
                                    static_cast<std::uint8_t>(n >> 24)};
    for (std::size_t at = 0; at + 8 + pcm.size() <= size; ++at) {
        if (std::memcmp(data + at, header, 8) == 0 &&
            (pcm.empty() || std::memcmp(data + at + 8, pcm.data(), pcm.size()) == 0)) {
            return true;
        }
    }
    return false;
}

std::uint32_t Le(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The format is a PCM "fmt " chunk's, field for field.
bool FormatIsAFormatChunk(const std::uint8_t* data, std::size_t size, const platform::PcmFormat& format) {
    for (std::size_t at = 0; at + 8 + 16 <= size; ++at) {
        const std::uint8_t* f = data + at + 8;
        if (std::memcmp(data + at, "fmt ", 4) == 0 && Le(data + at + 4, 4) >= 16 && Le(f, 2) == 1 &&
            Le(f + 2, 2) == format.channels && Le(f + 4, 4) == format.samplesPerSecond &&
            Le(f + 12, 2) == format.blockAlign && Le(f + 14, 2) == format.bitsPerSample) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WaveData wave;
    if (!ParseWaveFile(data, size, &wave)) return 0;
    // "RIFF", its size, "WAVE", a "fmt " chunk of at least 16 bytes and the "data" chunk's header come
    // before the samples.
    constexpr std::size_t kSmallestHeaders = 12 + 8 + 16 + 8;
    FUZZ_REQUIRE(wave.pcm.size() + kSmallestHeaders <= size);
    FUZZ_REQUIRE(SamplesAreADataChunk(data, size, wave.pcm));
    FUZZ_REQUIRE(FormatIsAFormatChunk(data, size, wave.format));
    return 0;
}

#include "audio/wave_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/core/game_path.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kMinFormatBytes = 16;

std::uint32_t ReadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

std::uint16_t ReadLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

struct Chunk {
    std::size_t data;  // offset of the chunk's contents
    std::uint32_t size;
};

// Walks the chunks in [begin, end) from `*at`, looking for `id`. A chunk that claims more than is left
// makes the walk fail. Chunks are padded to an even size; a missing final pad byte is forgiven.
enum class Walk { kFound, kNotFound, kBroken };

Walk FindChunk(const std::uint8_t* bytes, std::size_t* at, std::size_t end, const char* id, Chunk* found) {
    while (end - *at >= 8) {
        const std::size_t start = *at;
        const std::uint32_t size = ReadLe32(bytes + start + 4);
        if (size > end - start - 8) return Walk::kBroken;
        const std::size_t next = start + 8 + size + (size & 1);
        *at = next < end ? next : end;
        if (std::memcmp(bytes + start, id, 4) == 0) {
            *found = Chunk{start + 8, size};
            return Walk::kFound;
        }
    }
    return Walk::kNotFound;
}

}  // namespace

bool ParseWaveFile(const std::uint8_t* bytes, std::size_t size, WaveData* out) {
    if (!bytes || !out) return false;
    // The RIFF chunk with form type "WAVE", among the file's top-level chunks.
    std::size_t at = 0;
    Chunk riff{};
    for (;;) {
        if (FindChunk(bytes, &at, size, "RIFF", &riff) != Walk::kFound) return false;
        if (riff.size >= 4 && std::memcmp(bytes + riff.data, "WAVE", 4) == 0) break;
    }
    const std::size_t riffEnd = riff.data + riff.size;
    std::size_t inner = riff.data + 4;

    Chunk fmt{};
    if (FindChunk(bytes, &inner, riffEnd, "fmt ", &fmt) != Walk::kFound) return false;
    if (fmt.size < kMinFormatBytes) return false;
    const std::uint8_t* f = bytes + fmt.data;
    if (ReadLe16(f) != kFormatPcm) return false;
    WaveData wave;
    wave.format.channels = ReadLe16(f + 2);
    wave.format.samplesPerSecond = ReadLe32(f + 4);
    wave.format.blockAlign = ReadLe16(f + 12);
    wave.format.bitsPerSample = ReadLe16(f + 14);

    Chunk data{};
    if (FindChunk(bytes, &inner, riffEnd, "data", &data) != Walk::kFound) return false;
    wave.pcm.assign(bytes + data.data, bytes + data.data + data.size);
    *out = std::move(wave);
    return true;
}

bool ReadWaveFile(const std::string& gameName, WaveData* out) {
    std::ifstream in(platform::ResolveGamePath(gameName), std::ios::binary);
    if (!in) return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseWaveFile(bytes.data(), bytes.size(), out);
}

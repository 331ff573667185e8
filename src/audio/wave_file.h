#pragma once
// Reading a RIFF WAVE file the way the sound bank needs it: the RIFF chunk of form "WAVE", its "fmt "
// chunk (16 bytes, or 18 and more), then the "data" chunk after it. Only PCM (format tag 1) is taken.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/pcm_format.h"

struct WaveData {
    platform::PcmFormat format;
    std::vector<std::uint8_t> pcm;
};

// False for a file that is not RIFF WAVE, whose format tag is not 1, whose "fmt " chunk is shorter than
// 16 bytes, that has no "data" chunk after the "fmt " chunk, or any of whose chunks claims more bytes
// than the file holds. The format is not judged here; the sound device decides what it can play.
bool ParseWaveFile(const std::uint8_t* bytes, std::size_t size, WaveData* out);

// The file by its game name ("w\\pishun.wav").
bool ReadWaveFile(const std::string& gameName, WaveData* out);

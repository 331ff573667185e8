#pragma once
// Builds RIFF WAVE files for tests.

#include <cstdint>
#include <string>
#include <vector>

struct WaveSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    std::uint16_t blockAlign = 0;  // 0: channels x bits / 8
    std::uint32_t fmtSize = 16;    // 16 or 18 (with a zero cbSize)
    bool dataBeforeFmt = false;
    std::vector<std::uint8_t> data;
};

inline void PutLe(std::vector<std::uint8_t>* out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::vector<std::uint8_t> BuildWaveFile(const WaveSpec& desc) {
    std::vector<std::uint8_t> fmt = {'f', 'm', 't', ' '};
    PutLe(&fmt, desc.fmtSize, 4);
    const std::uint16_t align =
        desc.blockAlign ? desc.blockAlign : static_cast<std::uint16_t>(desc.channels * desc.bits / 8);
    PutLe(&fmt, desc.formatTag, 2);
    PutLe(&fmt, desc.channels, 2);
    PutLe(&fmt, desc.rate, 4);
    PutLe(&fmt, desc.rate * align, 4);
    PutLe(&fmt, align, 2);
    PutLe(&fmt, desc.bits, 2);
    for (std::uint32_t i = 16; i < desc.fmtSize; ++i) fmt.push_back(0);

    std::vector<std::uint8_t> data = {'d', 'a', 't', 'a'};
    PutLe(&data, static_cast<std::uint32_t>(desc.data.size()), 4);
    data.insert(data.end(), desc.data.begin(), desc.data.end());
    if (desc.data.size() & 1) data.push_back(0);

    std::vector<std::uint8_t> body = {'W', 'A', 'V', 'E'};
    const auto& first = desc.dataBeforeFmt ? data : fmt;
    const auto& second = desc.dataBeforeFmt ? fmt : data;
    body.insert(body.end(), first.begin(), first.end());
    body.insert(body.end(), second.begin(), second.end());
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
    PutLe(&out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline std::string AsString(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

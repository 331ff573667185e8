#pragma once
// The generators' own random numbers: a PCG32 stream, so that every song and sound is the same byte for
// byte on every machine and every run, whatever the game's own random generator does.

#include <cstdint>

namespace assetgen::audio {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(0), inc_((seed << 1u) | 1u) {
        Next();
        state_ += seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull;
        Next();
    }

    std::uint32_t Next() {
        std::uint64_t old = state_;
        state_ = old * 6364136223846793005ull + inc_;
        auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((-rot) & 31u));
    }

    // Uniform in [lo, hi], both included.
    int Range(int lo, int hi) {
        if (hi <= lo) return lo;
        auto span = static_cast<std::uint32_t>(hi - lo + 1);
        return lo + static_cast<int>(Next() % span);
    }

    // Uniform in [0, 1).
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [-1, 1).
    double Signed() { return Unit() * 2.0 - 1.0; }
    bool Chance(double p) { return Unit() < p; }

private:
    std::uint64_t state_;
    std::uint64_t inc_;
};

}  // namespace assetgen::audio

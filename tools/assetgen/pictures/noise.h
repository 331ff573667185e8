#pragma once
// Randomness for the pictures: our own fixed-seed generator and tiling value noise, so the same
// bytes come out on every run and every machine.

#include <cstdint>

namespace assetgen::pictures {

// SplitMix64: small, fast, and good enough to scatter stars and grain.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Uniform();                       // [0, 1)
    double Range(double low, double high);  // [low, high)
    int Below(int n);                       // 0 .. n-1

private:
    std::uint64_t state_;
};

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

// Smooth value noise in [0, 1] on a lattice that repeats every `periodX` cells in x and `periodY`
// cells in y.
double TiledNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);

// Octaves of TiledNoise over one tile: u and v in [0, 1) cover it once, and the result (about
// 0..1) repeats seamlessly outside it.
double TiledFbm(double u, double v, int basePeriod, int octaves, std::uint32_t seed, double gain = 0.5);
// The same with different lattice periods across and down (for maps twice as wide as tall).
double TiledFbm(double u, double v, int periodX, int periodY, int octaves, std::uint32_t seed, double gain);

}  // namespace assetgen::pictures

#include "assetgen/pictures/noise.h"

#include <cmath>

namespace assetgen::pictures {

std::uint64_t Rng::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Range(double low, double high) { return low + (high - low) * Uniform(); }

int Rng::Below(int n) { return static_cast<int>(Uniform() * n); }

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

namespace {

double Lattice(int x, int y, int periodX, int periodY, std::uint32_t seed) {
    const int px = ((x % periodX) + periodX) % periodX;
    const int py = ((y % periodY) + periodY) % periodY;
    return Hash(static_cast<std::uint32_t>(px), static_cast<std::uint32_t>(py), seed) * (1.0 / 4294967295.0);
}

double Smooth(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

}  // namespace

double TiledNoise(double x, double y, int periodX, int periodY, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double a = Lattice(ix, iy, periodX, periodY, seed);
    const double b = Lattice(ix + 1, iy, periodX, periodY, seed);
    const double c = Lattice(ix, iy + 1, periodX, periodY, seed);
    const double d = Lattice(ix + 1, iy + 1, periodX, periodY, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double TiledFbm(double u, double v, int basePeriod, int octaves, std::uint32_t seed, double gain) {
    return TiledFbm(u, v, basePeriod, basePeriod, octaves, seed, gain);
}

double TiledFbm(double u, double v, int periodX, int periodY, int octaves, std::uint32_t seed, double gain) {
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude *
               TiledNoise(u * periodX, v * periodY, periodX, periodY, seed + 101u * static_cast<std::uint32_t>(i));
        total += amplitude;
        amplitude *= gain;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / total;
}

}  // namespace assetgen::pictures

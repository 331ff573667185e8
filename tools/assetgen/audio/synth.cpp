#include "assetgen/audio/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assetgen/audio/wave_file.h"

namespace assetgen::audio {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// One comb or all-pass line of the reverb.
struct Line {
    std::vector<float> buffer;
    std::size_t pos = 0;
    float store = 0;
};

}  // namespace

int Samples(double seconds) { return std::max(0, static_cast<int>(std::lround(seconds * kSampleRate))); }

Signal Tone(double seconds, Wave wave, const Curve& hz, double phase) {
    Signal s(static_cast<std::size_t>(Samples(seconds)));
    double p = phase - std::floor(phase);
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double dt = std::clamp(hz(t) / kSampleRate, 0.0, 0.5);
        double v = 0;
        switch (wave) {
            case Wave::kSine:
                v = std::sin(kTwoPi * p);
                break;
            case Wave::kTriangle:
                v = 1.0 - 4.0 * std::fabs(p - 0.5);
                break;
            case Wave::kSaw:
                v = 2.0 * p - 1.0 - PolyBlep(p, dt);
                break;
            case Wave::kSquare: {
                v = p < 0.5 ? 1.0 : -1.0;
                v += PolyBlep(p, dt);
                double q = p + 0.5;
                v -= PolyBlep(q - std::floor(q), dt);
                break;
            }
        }
        s[i] = static_cast<float>(v);
        p += dt;
        if (p >= 1.0) p -= 1.0;
    }
    return s;
}

Signal Noise(double seconds, Rng& rng) {
    Signal s(static_cast<std::size_t>(Samples(seconds)));
    for (float& v : s) v = static_cast<float>(rng.Signed());
    return s;
}

Curve Constant(double value) {
    return [value](double) { return value; };
}

Curve Sweep(double a, double b, double seconds) {
    return [a, b, seconds](double t) {
        if (t >= seconds) return b;
        return a * std::pow(b / a, t / seconds);
    };
}

Curve AttackDecay(double attack, double decay) {
    return [attack, decay](double t) {
        if (t < attack) return t / attack;
        return std::exp(-(t - attack) / decay);
    };
}

Curve Vibrato(const Curve& base, double depth, double rate) {
    return [base, depth, rate](double t) { return base(t) * (1.0 + depth * std::sin(kTwoPi * rate * t)); };
}

void Shape(Signal& s, const Curve& gain) {
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(s[i] * gain(static_cast<double>(i) / kSampleRate));
}

namespace {

enum class Band { kLow, kBand, kHigh };

// Chamberlin state-variable filter, run twice per sample for stability at high cutoffs.
void StateVariable(Signal& s, const Curve& cutoff, double q, Band band) {
    double low = 0, bandv = 0;
    double damp = 1.0 / std::max(0.3, q);
    for (std::size_t i = 0; i < s.size(); ++i) {
        double fc = std::clamp(cutoff(static_cast<double>(i) / kSampleRate), 10.0, kSampleRate * 0.2);
        double f = 2.0 * std::sin(std::numbers::pi * fc / (2.0 * kSampleRate));
        double high = 0;
        for (int pass = 0; pass < 2; ++pass) {
            low += f * bandv;
            high = s[i] - low - damp * bandv;
            bandv += f * high;
        }
        double out = band == Band::kLow ? low : band == Band::kBand ? bandv : high;
        s[i] = static_cast<float>(out);
    }
}

}  // namespace

void LowPass(Signal& s, const Curve& cutoff, double q) { StateVariable(s, cutoff, q, Band::kLow); }
void BandPass(Signal& s, const Curve& cutoff, double q) { StateVariable(s, cutoff, q, Band::kBand); }
void HighPass(Signal& s, const Curve& cutoff, double q) { StateVariable(s, cutoff, q, Band::kHigh); }

void Drive(Signal& s, double drive) {
    double norm = std::tanh(drive);
    for (float& v : s) v = static_cast<float>(std::tanh(drive * v) / norm);
}

void Reverb(Signal& s, double room, double damping, double wet, double tail) {
    s.resize(s.size() + static_cast<std::size_t>(Samples(tail)), 0.0f);
    static constexpr int kCombs[4] = {1557, 1617, 1491, 1422};
    static constexpr int kAllPasses[2] = {556, 441};
    std::vector<Line> combs(4);
    std::vector<Line> passes(2);
    for (int i = 0; i < 4; ++i)
        combs[static_cast<std::size_t>(i)].buffer.assign(static_cast<std::size_t>(kCombs[i]), 0.0f);
    for (int i = 0; i < 2; ++i) {
        passes[static_cast<std::size_t>(i)].buffer.assign(static_cast<std::size_t>(kAllPasses[i]), 0.0f);
    }
    auto feedback = static_cast<float>(0.7 + 0.28 * room);
    auto damp = static_cast<float>(damping);
    for (float& x : s) {
        float in = x * 0.25f;
        float out = 0;
        for (Line& c : combs) {
            float y = c.buffer[c.pos];
            c.store = y * (1.0f - damp) + c.store * damp;
            c.buffer[c.pos] = in + c.store * feedback;
            c.pos = (c.pos + 1) % c.buffer.size();
            out += y;
        }
        for (Line& a : passes) {
            float y = a.buffer[a.pos];
            a.buffer[a.pos] = out + y * 0.5f;
            a.pos = (a.pos + 1) % a.buffer.size();
            out = y - out;
        }
        x = static_cast<float>(x * (1.0 - wet * 0.5) + out * wet);
    }
}

void MixInto(Signal& dst, const Signal& src, double gain, double at) {
    auto offset = static_cast<std::size_t>(Samples(at));
    if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
    for (std::size_t i = 0; i < src.size(); ++i) dst[offset + i] += static_cast<float>(src[i] * gain);
}

void FadeIn(Signal& s, double seconds) {
    std::size_t n = std::min(s.size(), static_cast<std::size_t>(Samples(seconds)));
    for (std::size_t i = 0; i < n; ++i) {
        double w = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
        s[i] = static_cast<float>(s[i] * w);
    }
}

void FadeOut(Signal& s, double seconds) {
    std::size_t n = std::min(s.size(), static_cast<std::size_t>(Samples(seconds)));
    for (std::size_t i = 0; i < n; ++i) {
        double w = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
        s[s.size() - 1 - i] = static_cast<float>(s[s.size() - 1 - i] * w);
    }
}

void NormalizePeak(Signal& s, double peakDb) {
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    if (peak <= 0) return;
    auto k = static_cast<float>(std::pow(10.0, peakDb / 20.0) / peak);
    for (float& v : s) v *= k;
}

void Trim(Signal& s, double seconds) { s.resize(std::min(s.size(), static_cast<std::size_t>(Samples(seconds)))); }

}  // namespace assetgen::audio

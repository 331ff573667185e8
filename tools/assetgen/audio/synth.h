#pragma once
// The sound-effect synthesiser: signals of float samples at 44100 Hz (1.0 = full scale) made from
// oscillators and noise, shaped by envelopes, filters, pitch sweeps, distortion and a small reverb.

#include <functional>
#include <vector>

#include "assetgen/audio/rng.h"

namespace assetgen::audio {

using Signal = std::vector<float>;
// A value over time (seconds from the start of the signal): a frequency, a gain, a cutoff.
using Curve = std::function<double(double)>;

enum class Wave { kSine, kTriangle, kSquare, kSaw };

int Samples(double seconds);

// An oscillator whose frequency follows `hz`; square and saw are band-limited (polyBLEP).
Signal Tone(double seconds, Wave wave, const Curve& hz, double phase = 0.0);
// White noise from our own generator.
Signal Noise(double seconds, Rng& rng);

// Curves.
Curve Constant(double value);
// From a to b exponentially over `seconds`, then b.
Curve Sweep(double a, double b, double seconds);
// Linear attack to 1, then exponential decay with the given time constant.
Curve AttackDecay(double attack, double decay);
// `base` with a sine vibrato of `depth` (a ratio, 0.02 = 2 %) at `rate` Hz.
Curve Vibrato(const Curve& base, double depth, double rate);

void Shape(Signal& s, const Curve& gain);
// Resonant state-variable filters with a moving cutoff (Hz); q about 0.5-8.
void LowPass(Signal& s, const Curve& cutoff, double q = 0.7);
void BandPass(Signal& s, const Curve& cutoff, double q = 1.0);
void HighPass(Signal& s, const Curve& cutoff, double q = 0.7);
// Soft saturation: tanh(drive * x) / tanh(drive).
void Drive(Signal& s, double drive);
// A Schroeder reverb (four combs, two all-passes); the tail lengthens the signal by `tail` seconds.
void Reverb(Signal& s, double room, double damping, double wet, double tail);

// Adds `src` times `gain` into `dst` from `at` seconds on, lengthening `dst` as needed.
void MixInto(Signal& dst, const Signal& src, double gain = 1.0, double at = 0.0);
// Raised-cosine fades; FadeIn starts at exactly zero.
void FadeIn(Signal& s, double seconds);
void FadeOut(Signal& s, double seconds);
// Scales so that the largest sample sits at `peakDb` dBFS.
void NormalizePeak(Signal& s, double peakDb);
// Cuts to `seconds`.
void Trim(Signal& s, double seconds);

}  // namespace assetgen::audio

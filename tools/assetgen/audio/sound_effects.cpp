// Each effect is shaped by what triggers it: the main gun fires every fifth frame, so its shot is over
// in 120 ms; the boss beams are restarted every frame, so they begin at zero with a soft ramp and keep a
// steady hum from the first millisecond; explosions scale with what they end. The game never sets a
// volume, so the peaks set the balance: the gun and the cursor quiet, the pickups clear, the blasts full.
#include "assetgen/audio/sound_effects.h"

#include <cmath>

namespace assetgen::audio {

namespace {

// A thump: a sine falling in pitch under a fast decay.
Signal Thump(double seconds, double from, double to, double decay) {
    Signal s = Tone(seconds, Wave::kSine, Sweep(from, to, seconds * 0.6));
    Shape(s, AttackDecay(0.002, decay));
    return s;
}

// Noise through a falling low-pass.
Signal Rumble(Rng& rng, double seconds, double fromHz, double toHz, double decay) {
    Signal s = Noise(seconds, rng);
    LowPass(s, Sweep(fromHz, toHz, seconds), 0.9);
    Shape(s, AttackDecay(0.003, decay));
    return s;
}

// A bell partial set (the ratios of a small struck bar).
Signal Bell(double seconds, double hz, double decay) {
    Signal s;
    const double ratios[] = {1.0, 2.76, 5.4};
    const double gains[] = {1.0, 0.35, 0.12};
    for (int i = 0; i < 3; ++i) {
        Signal p = Tone(seconds, Wave::kSine, Constant(hz * ratios[i]));
        Shape(p, AttackDecay(0.002, decay / (1.0 + i)));
        MixInto(s, p, gains[i]);
    }
    return s;
}

Signal Finish(Signal s, double peakDb, double fadeOut = 0.01) {
    FadeIn(s, 0.001);
    FadeOut(s, fadeOut);
    NormalizePeak(s, peakDb);
    return s;
}

Signal Pishun() {
    Signal s = Tone(0.12, Wave::kSquare, Sweep(1900, 240, 0.09));
    LowPass(s, Sweep(7000, 1200, 0.1), 1.2);
    Shape(s, AttackDecay(0.001, 0.035));
    Rng rng(0x0015);
    Signal click = Noise(0.012, rng);
    HighPass(click, Constant(3000));
    Shape(click, AttackDecay(0.0005, 0.003));
    MixInto(s, click, 0.5);
    return Finish(s, -10.0, 0.02);
}

Signal Bokan() {
    Rng rng(0xB0CA);
    Signal s = Rumble(rng, 0.5, 5000, 250, 0.11);
    MixInto(s, Thump(0.3, 150, 45, 0.08), 0.9);
    Drive(s, 2.0);
    Reverb(s, 0.3, 0.4, 0.25, 0.15);
    return Finish(s, -3.5, 0.08);
}

Signal Bokaan() {
    Rng rng(0xB0CAA);
    Signal s = Rumble(rng, 1.1, 3500, 120, 0.28);
    Signal crackle = Noise(0.9, rng);
    BandPass(crackle, Sweep(2500, 600, 0.9), 2.0);
    Shape(crackle, AttackDecay(0.01, 0.2));
    MixInto(s, crackle, 0.6, 0.04);
    MixInto(s, Thump(0.6, 110, 32, 0.18), 1.1);
    MixInto(s, Rumble(rng, 0.6, 1500, 150, 0.15), 0.6, 0.12);
    Drive(s, 2.5);
    Reverb(s, 0.6, 0.4, 0.3, 0.35);
    return Finish(s, -1.5, 0.2);
}

Signal Don20() {
    Rng rng(0xD020);
    Signal s = Tone(0.35, Wave::kSquare, Sweep(420, 90, 0.3));
    LowPass(s, Constant(2200));
    Shape(s, AttackDecay(0.002, 0.09));
    Signal crunch = Noise(0.2, rng);
    BandPass(crunch, Constant(1800), 1.5);
    Shape(crunch, AttackDecay(0.001, 0.04));
    MixInto(s, crunch, 1.2);
    Signal clang = Tone(0.3, Wave::kTriangle, Constant(1230));
    MixInto(clang, Tone(0.3, Wave::kSine, Constant(1871)), 0.6);
    Shape(clang, AttackDecay(0.001, 0.06));
    MixInto(s, clang, 0.35);
    Drive(s, 2.0);
    return Finish(s, -5.0, 0.05);
}

Signal Warp1() {
    Rng rng(0x3A2B);
    Signal s = Tone(1.05, Wave::kSaw, Vibrato(Sweep(140, 2200, 0.95), 0.03, 11));
    MixInto(s, Tone(1.05, Wave::kSaw, Vibrato(Sweep(141.5, 2220, 0.95), 0.03, 11.5)), 0.8);
    LowPass(s, Sweep(600, 9000, 0.9), 2.5);
    Signal whoosh = Noise(1.05, rng);
    BandPass(whoosh, Sweep(300, 6000, 1.0), 2.0);
    MixInto(s, whoosh, 0.8);
    Shape(s, [](double t) { return std::min(1.0, t / 0.25) * (t > 0.85 ? std::max(0.0, (1.05 - t) / 0.2) : 1.0); });
    Reverb(s, 0.5, 0.3, 0.3, 0.2);
    return Finish(s, -5.0, 0.1);
}

Signal Get1() {
    Signal s;
    const double notes[] = {1318.5, 1975.5, 2637.0};
    for (int i = 0; i < 3; ++i) MixInto(s, Bell(0.45 - 0.06 * i, notes[i], 0.14), 0.8, 0.06 * i);
    Reverb(s, 0.4, 0.3, 0.25, 0.15);
    return Finish(s, -6.0, 0.06);
}

Signal Sinpi5() {
    Signal s;
    const double notes[] = {523.3, 659.3, 784.0, 1046.5, 1318.5};
    for (int i = 0; i < 5; ++i) {
        Signal n = Tone(0.22, Wave::kSquare, Vibrato(Constant(notes[i]), 0.006, 7));
        LowPass(n, Constant(4500));
        Shape(n, AttackDecay(0.003, i == 4 ? 0.12 : 0.05));
        MixInto(s, n, 0.5, 0.045 * i);
    }
    Reverb(s, 0.4, 0.3, 0.25, 0.15);
    return Finish(s, -6.0, 0.06);
}

Signal Bse9() {
    // The boss's shot: a descending "pyuu" with a metallic ring modulation.
    Signal s = Tone(0.22, Wave::kTriangle, Sweep(1500, 300, 0.2));
    Signal ring = Tone(0.22, Wave::kSine, Constant(173));
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(s[i] * (0.65 + 0.35 * ring[i]));
    Shape(s, AttackDecay(0.002, 0.07));
    return Finish(s, -8.0, 0.03);
}

Signal Bse10() {
    // The beam: a steady buzz from its first millisecond (the last boss restarts it every frame, so
    // only its opening is heard), beginning at exactly zero under a 3 ms ramp.
    Signal s = Tone(0.6, Wave::kSaw, Vibrato(Constant(110), 0.01, 6));
    MixInto(s, Tone(0.6, Wave::kSquare, Constant(220.8)), 0.5);
    MixInto(s, Tone(0.6, Wave::kSine, Constant(55)), 0.8);
    LowPass(s, Constant(1800), 1.5);
    Shape(s, [](double t) { return t < 0.45 ? 1.0 : std::exp(-(t - 0.45) / 0.05); });
    s.front() = 0.0f;
    FadeIn(s, 0.003);
    FadeOut(s, 0.02);
    NormalizePeak(s, -9.0);
    return s;
}

Signal Bse8() {
    // The bars' electric hum: a square drone with a band of noise, steady from the start, re-struck every
    // frame while the bars fly, so it starts at zero under a 3 ms ramp.
    Rng rng(0xB5E8);
    Signal s = Tone(0.4, Wave::kSquare, Constant(82));
    LowPass(s, Constant(1400), 1.0);
    Signal fizz = Noise(0.4, rng);
    BandPass(fizz, Constant(3200), 3.0);
    MixInto(s, fizz, 0.8);
    MixInto(s, Tone(0.4, Wave::kSine, Vibrato(Constant(164), 0.02, 30)), 0.4);
    Shape(s, [](double t) { return t < 0.3 ? 1.0 : std::exp(-(t - 0.3) / 0.035); });
    FadeIn(s, 0.003);
    FadeOut(s, 0.02);
    NormalizePeak(s, -10.0);
    return s;
}

Signal Don14() {
    Rng rng(0xD014);
    Signal s = Thump(0.8, 90, 30, 0.22);
    MixInto(s, Rumble(rng, 0.7, 2500, 100, 0.15), 0.8);
    Signal metal = Tone(0.5, Wave::kSquare, Sweep(310, 160, 0.4));
    MixInto(metal, Tone(0.5, Wave::kSquare, Sweep(467, 233, 0.4)), 0.7);
    LowPass(metal, Constant(3000));
    Shape(metal, AttackDecay(0.001, 0.1));
    MixInto(s, metal, 0.45);
    Drive(s, 2.2);
    Reverb(s, 0.5, 0.4, 0.25, 0.25);
    return Finish(s, -3.0, 0.12);
}

Signal Se8() {
    // Laser: a rising charge whine, then the bright discharge.
    Signal s = Tone(0.42, Wave::kSaw, Vibrato(Sweep(280, 1600, 0.42), 0.02, 18));
    LowPass(s, Sweep(800, 6000, 0.42), 2.0);
    Shape(s, [](double t) { return 0.15 + 0.55 * t / 0.42; });
    Signal zap = Tone(0.3, Wave::kSquare, Sweep(2400, 700, 0.25));
    MixInto(zap, Tone(0.3, Wave::kSaw, Sweep(1210, 350, 0.25)), 0.8);
    LowPass(zap, Constant(7000));
    Shape(zap, AttackDecay(0.002, 0.09));
    MixInto(s, zap, 1.0, 0.4);
    Reverb(s, 0.4, 0.4, 0.2, 0.15);
    return Finish(s, -6.0, 0.06);
}

Signal Pikabu() {
    Signal s = Tone(0.03, Wave::kSquare, Constant(1318.5));
    MixInto(s, Tone(0.045, Wave::kSquare, Constant(1760)), 1.0, 0.03);
    LowPass(s, Constant(6000));
    Shape(s, [](double t) { return t < 0.03 ? 1.0 : std::exp(-(t - 0.03) / 0.02); });
    return Finish(s, -12.0, 0.01);
}

Signal Don09a() {
    Rng rng(0xD09A);
    Signal s;
    const double at[] = {0.0, 0.18, 0.42, 0.7};
    for (int i = 0; i < 4; ++i) {
        Signal burst = Rumble(rng, 1.2 - 0.15 * i, 4000 - 600 * i, 100, 0.3 - 0.04 * i);
        MixInto(burst, Thump(0.7, 120 - 15 * i, 28, 0.25), 1.0);
        MixInto(s, burst, 1.0 - 0.15 * i, at[i]);
    }
    MixInto(s, Rumble(rng, 2.2, 400, 60, 0.7), 0.7);
    Drive(s, 2.5);
    Reverb(s, 0.75, 0.35, 0.35, 0.6);
    return Finish(s, -1.0, 0.4);
}

Signal Se6() {
    // The banner's two halves meet: a bright brass-like chord hit, a cymbal and a thump.
    Rng rng(0x5E6);
    Signal s;
    const double chord[] = {261.6, 329.6, 392.0, 523.3, 784.0};
    for (double hz : chord) {
        Signal n = Tone(1.0, Wave::kSaw, Vibrato(Constant(hz), 0.004, 5.5));
        MixInto(n, Tone(1.0, Wave::kSaw, Constant(hz * 1.004)), 0.7);
        MixInto(s, n, 0.3);
    }
    LowPass(
        s, [](double t) { return 1200 + 6000 * std::exp(-t / 0.12); }, 1.2);
    Shape(s, AttackDecay(0.004, 0.35));
    Signal cymbal = Noise(1.2, rng);
    HighPass(cymbal, Constant(5000));
    Shape(cymbal, AttackDecay(0.002, 0.4));
    MixInto(s, cymbal, 0.35);
    MixInto(s, Thump(0.4, 120, 50, 0.1), 0.9);
    Reverb(s, 0.6, 0.3, 0.3, 0.3);
    return Finish(s, -1.5, 0.2);
}

}  // namespace

std::vector<SoundEffect> MakeSoundEffects() {
    return {{"w\\pishun.wav", Pishun()}, {"w\\bokan.wav", Bokan()},    {"w\\bokaan.wav", Bokaan()},
            {"w\\don20.wav", Don20()},   {"w\\warp1.wav", Warp1()},    {"w\\get1.wav", Get1()},
            {"w\\sinpi5.wav", Sinpi5()}, {"w\\bse9.wav", Bse9()},      {"w\\bse10.wav", Bse10()},
            {"w\\bse8.wav", Bse8()},     {"w\\don14.wav", Don14()},    {"w\\se8.wav", Se8()},
            {"w\\pikabu.wav", Pikabu()}, {"w\\don09_a.wav", Don09a()}, {"w\\se6.wav", Se6()}};
}

}  // namespace assetgen::audio

// Track 2, stage 2, deep space: wide and pulsing. D lydian at 112, a sixteenth-note synth bass pulse under
// halo pads, a square-wave arpeggio with its echo, an airy voice lead; an open breakdown before the last
// section brings the drums back.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeDeepSpace() {
    Arranger a("Between the stars", 112, Key{62, kLydian}, 0x5BACE);
    const int lead = a.AddPart("voice", 0, 85, 96, 64, 80, 40);
    const int pad = a.AddPart("halo", 1, 94, 90, 40, 90, 50);
    const int pulse = a.AddPart("pulse", 2, 39, 96, 64, 20);
    const int arp = a.AddPart("arpeggio", 3, 80, 70, 92, 70, 30);
    const int warm = a.AddPart("warm pad", 4, 89, 84, 88, 90);
    const int bell = a.AddPart("bell", 5, 14, 66, 30, 90);
    const int drums = a.AddPart("drums", kDrumChannel, 24, 96, 64, 40);

    const DrumPattern sparse = {{drum::kKick, "x.......x......."}, {drum::kClosedHat, "..o...o...o...o."}};
    const DrumPattern drive = {
        {drum::kKick, "x...x...x...x..."}, {drum::kClap, "....x.......x..."}, {drum::kClosedHat, "gogogogogogogogo"}};
    PatternStyle pulse16{PatternVoice::kBass, 38, 0, 0, 88, 120, 0.7};
    PatternStyle arp16{PatternVoice::kArp, 62, 86, 3, 66, 120, 0.6, 360, 45};
    Rng& rng = a.rng();

    const Line drift = ParseLine("0h 1q 2q | 4H 2q | 1h 0h | -1w");
    const Line call = ParseLine("4q 2e 4e 5q 4q | 2h rh");

    // Intro: the pads open, the pulse fades in.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 4, "I II I II");
    a.Pad(pad, t, end, {57, 78, 4, 70, 0});
    a.Pattern(pulse, t + a.Bars(2), end, "R-R-R-R-R-R-R-R-", pulse16);
    const std::int64_t loop = end;

    // A: the pulse and the arpeggio, the voice drifting above.
    t = loop;
    end = a.Chords(t, 16, "I II I II vi IV I V");
    a.Pad(pad, t, end, {57, 78, 4, 74, 0});
    a.Pattern(pulse, t, end, "RRRRRRRRRRRRRROR", pulse16);
    a.Pattern(arp, t, end, "0120120120120120", arp16);
    a.Drums(drums, t, end, sparse, 84, Fill::kToms);
    a.Motif(lead, t, drift, 74, 86, 0.98);
    a.Motif(lead, t + a.Bars(4), Ornamented(drift, rng, 0.4), 76, 88, 0.98);
    a.Motif(lead, t + a.Bars(8), call, 76, 90);
    a.Motif(lead, t + a.Bars(10), Shifted(call, -1), 74, 86);
    a.Motif(lead, t + a.Bars(12), Shifted(call, 1), 78, 92);
    a.Motif(lead, t + a.Bars(14), ParseLine("4h 2h | 1w"), 76, 86, 0.98);

    // B: the groove, the bell doubling the tune an octave up.
    t = end;
    end = a.Chords(t, 16, "vi IV I V vi IV II V");
    a.Pad(warm, t, end, {55, 76, 4, 66, 0});
    a.Pattern(pulse, t, end, "RRRRRRRRRRRRRROR", pulse16);
    a.Pattern(arp, t, end, "0123012301230123", arp16);
    a.Drums(drums, t, t + a.Bars(8), drive, 92, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, drive, 96, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        Line l = i % 2 ? Inverted(call) : call;
        a.Motif(lead, t + a.Bars(4 * i), l, 79, 94);
        a.Motif(bell, t + a.Bars(4 * i), l, 91, 70);
        a.Motif(lead, t + a.Bars(4 * i + 2), EndingOn(Ornamented(call, rng, 0.5), 0), 77, 90);
    }

    // C: the breakdown, the drums gone, the arpeggio slowed.
    t = end;
    end = a.Chords(t, 8, "IV iii ii I IV iii ii V");
    a.Pad(pad, t, end, {57, 81, 4, 76, 0});
    a.Pad(warm, t, end, {45, 60, 2, 64, 0});
    a.Pattern(arp, t, end, "0-1-2-3-2-1-0-1-", arp16);
    a.Motif(lead, t, Augmented(ParseLine("0q 2q 4q 2q | 1h 0h")), 76, 84, 0.98);
    a.Motif(lead, t + a.Bars(4), Augmented(ParseLine("2q 4q 5q 4q | 2h 1h")), 76, 86, 0.98);
    a.Drums(drums, t + a.Bars(7), end, drive, 80, Fill::kBuild);

    // D: everything, the voice an octave up; its last bars lead back to the opening chord.
    t = end;
    end = a.Chords(t, 16, "I II vi IV I II IV V");
    a.Pad(pad, t, end, {60, 81, 4, 78, 0});
    a.Pattern(pulse, t, end, "RRRRRRRRRRRRRROR", pulse16);
    a.Pattern(arp, t, end, "0120120120120120", arp16);
    a.Drums(drums, t, t + a.Bars(8), drive, 98, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, drive, 98, Fill::kToms, true);
    a.Motif(lead, t, drift, 81, 94, 0.98);
    a.Motif(lead, t + a.Bars(4), Ornamented(drift, rng, 0.3), 83, 96, 0.98);
    a.Motif(lead, t + a.Bars(8), call, 81, 96);
    a.Motif(lead, t + a.Bars(10), Shifted(call, 2), 83, 98);
    a.Motif(lead, t + a.Bars(12), ParseLine("4q 5q 7q 5q | 4h 2h | 1w"), 79, 92, 0.98);
    a.Motif(bell, t + a.Bars(8), call, 91, 66);

    return a.Finish(loop, end, 1.2);
}

}  // namespace assetgen::audio

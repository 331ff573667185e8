// Track 7, the stage-2 final boss, the star fortress: E phrygian at 150. Machine-like sixteenth basses
// and square arpeggios, a choir pad, orchestra hits and a saw lead; cold and relentless.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeStarFortress() {
    Arranger a("Star fortress", 150, Key{64, kPhrygian}, 0x57A2F0);
    const int lead = a.AddPart("lead", 0, 81, 90, 64, 50, 30);
    const int bass = a.AddPart("bass", 1, 39, 100, 64, 10);
    const int arp = a.AddPart("arpeggio", 2, 80, 72, 30, 55);
    const int choir = a.AddPart("choir", 3, 52, 90, 90, 80);
    const int hits = a.AddPart("hits", 4, 55, 80, 64, 60);
    const int counter = a.AddPart("counter", 5, 62, 80, 100, 50);
    const int drums = a.AddPart("drums", kDrumChannel, 24, 100, 64, 30);

    const DrumPattern machine = {
        {drum::kKick, "x...x...x...x..."}, {drum::kSnare, "....x.......x..."}, {drum::kClosedHat, "xoxoxoxoxoxoxoxo"}};
    const DrumPattern heavy = {{drum::kKick, "x.x.x..xx.x.x..x"},
                               {drum::kSnare, "....x.......x.x."},
                               {drum::kClosedHat, "x.x.x.x.x.x.x.x."},
                               {drum::kCowbell, "x.......x......."}};
    PatternStyle bass16{PatternVoice::kBass, 40, 0, 0, 96, 120, 0.6};
    PatternStyle arp16{PatternVoice::kArp, 64, 88, 3, 70, 120, 0.6, 240, 40};
    PatternStyle hit{PatternVoice::kChord, 52, 72, 3, 100, 120, 1.0};
    Rng& rng = a.rng();

    const Line signal = ParseLine("0q 1e 0e -1q 0q | 3q 2e 1e 0h");
    const Line sweep = ParseLine("0e 1e 2e 3e 4q 3e 2e | 1q 0q 1h");

    // Intro: the machine starts.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 4, "i bII i bII");
    a.Pattern(bass, t, end, "R.RRR.RRR.RRR.RR", bass16);
    a.Pattern(hits, t, end, "x---------------", hit);
    a.Drums(drums, t + a.Bars(2), end, machine, 90, Fill::kBuild);
    const std::int64_t loop = end;

    // A: the signal over the machine.
    t = loop;
    end = a.Chords(t, 16, "i bII i bVII i bII bIII bII");
    a.Pattern(bass, t, end, "R.RRR.RRR.RRR.RO", bass16);
    a.Pattern(arp, t, end, "0120120120120120", arp16);
    a.Pad(choir, t, end, {52, 72, 3, 70, 0, true});
    a.Drums(drums, t, t + a.Bars(8), machine, 94, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, heavy, 96, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), i == 1 ? Ornamented(signal, rng, 0.4) : signal, 76, 96);
        a.Motif(lead, t + a.Bars(4 * i + 2), i % 2 ? sweep : Shifted(sweep, 2), 76, 96);
    }

    // B: the fortress opens fire; orchestra hits on the offbeats, the counter line answers.
    t = end;
    end = a.Chords(t, 12, "bVI bVII i i bVI bVII bII bII iv iv bII bII");
    a.Pattern(bass, t, end, "R.RRR.RRR.RRR.RO", bass16);
    a.Pattern(hits, t, end, "x.....x.....x...", hit);
    a.Pad(choir, t, end, {55, 76, 3, 76, 0, true});
    a.Drums(drums, t, t + a.Bars(8), heavy, 100, Fill::kToms, true);
    a.Drums(drums, t + a.Bars(8), end, heavy, 100, Fill::kBuild, true);
    a.Motif(lead, t, Augmented(signal), 79, 100, 0.97);
    a.Motif(counter, t + a.Bars(4), ParseLine("0e 0e 1e 0e -1q 0q | 2e 2e 3e 2e 1q 0q"), 64, 88);
    a.Motif(lead, t + a.Bars(4), ParseLine("0h 1h | 2h 1h"), 79, 98, 0.97);
    a.Motif(lead, t + a.Bars(8), ParseLine("4q 3q 2q 1q | 0w | 1h 2h | 0w"), 80, 102, 0.97);

    // C: the lead doubled an octave up, driving back into the loop.
    t = end;
    end = a.Chords(t, 12, "i bII i bVII i bII bIII bII i bII bVII bII");
    a.Pattern(bass, t, end, "R.RRR.RRR.RRR.RO", bass16);
    a.Pattern(arp, t, end, "0123012301230123", arp16);
    a.Pad(choir, t, end, {55, 76, 3, 74, 0, true});
    a.Drums(drums, t, t + a.Bars(8), heavy, 100, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, machine, 96, Fill::kToms, true);
    for (int i = 0; i < 3; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), Shifted(signal, 4), 83, 100);
        a.Motif(counter, t + a.Bars(4 * i), signal, 64, 84);
        a.Motif(lead, t + a.Bars(4 * i + 2), i == 2 ? EndingOn(sweep, 0) : Inverted(sweep), 83, 100);
    }

    return a.Finish(loop, end, 1.07);
}

}  // namespace assetgen::audio

// Track 8, the moons of stage 3: the flower field's melody in F minor at 138, pale celesta and marimba
// over taiko-like toms and tense strings; a battle that still belongs to the stage it interrupts.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeMoons() {
    Arranger a("Three moons", 138, Key{65, kMinor}, 0x3000);
    const int flute = a.AddPart("flute", 0, 73, 100, 64, 55);
    const int celesta = a.AddPart("celesta", 1, 8, 84, 40, 60);
    const int marimba = a.AddPart("marimba", 2, 12, 88, 88, 45);
    // The ostinato on violas (an ensemble would ring on for seconds after every sixteenth); the ensemble
    // keeps the held chords of the hush.
    const int strings = a.AddPart("strings", 3, 41, 116, 64, 60, 40);
    const int stringPad = a.AddPart("string pad", 7, 48, 88, 64, 60);
    const int bass = a.AddPart("bass", 4, 38, 100, 64, 10);
    const int choir = a.AddPart("choir", 5, 52, 88, 50, 80);
    const int lead = a.AddPart("lead", 6, 81, 84, 80, 50, 20);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 100, 64, 35);

    const DrumPattern taiko = {{drum::kLowFloorTom, "x..x..x...x..x.."},
                               {drum::kMidLowTom, "......o.......o."},
                               {drum::kSnare, "....x.......x..."},
                               {drum::kClosedHat, "x.o.x.o.x.o.x.o."}};
    // Hi-hat eighths and one ride bell a bar: ride eighths would leave dozens of cymbals ringing at once.
    const DrumPattern battle = {{drum::kKick, "x.x...x.x.x...x."},
                                {drum::kSnare, "....x.......x..."},
                                {drum::kLowFloorTom, "..........o.o..."},
                                {drum::kClosedHat, "x.o.x.o.x.o.x.o."},
                                {drum::kRideBell, "x..............."}};
    PatternStyle bells{PatternVoice::kArp, 65, 89, 3, 76, 120, 0.8};
    PatternStyle ostinato{PatternVoice::kArp, 53, 72, 3, 100, 120, 0.95};
    PatternStyle bass8{PatternVoice::kBass, 41, 0, 0, 98, 120, 0.8};
    Rng& rng = a.rng();

    // The field's tune, darkened.
    const Line bloom = ParseLine("0e 1e 2q 4q 2e 1e | 2h 0h");
    const Line breeze = ParseLine("4q 5e 4e 2q 0q | 1q 2e 1e -1h");

    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 2, "i V");
    a.Pattern(celesta, t, end, "0120212001202120", bells);
    a.Drums(drums, t, end, taiko, 86, Fill::kToms);
    const std::int64_t loop = end;

    // A: the moons' dance, the tune on the flute over bells and taiko.
    t = loop;
    end = a.Chords(t, 16, "i bVI bVII i iv bVI bVII V");
    // The bells thin to eighths when the battle drums come in: each celesta note rings for seconds.
    a.Pattern(celesta, t, t + a.Bars(8), "0120212001202120", bells);
    a.Pattern(celesta, t + a.Bars(8), end, "0.1.2.1.0.1.2.1.", bells);
    a.Pattern(strings, t, end, "0101010101010101", ostinato);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Drums(drums, t, t + a.Bars(8), taiko, 92, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, battle, 96, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(flute, t + a.Bars(4 * i), i == 2 ? Ornamented(bloom, rng, 0.4) : bloom, 77, 96);
        a.Motif(flute, t + a.Bars(4 * i + 2), i == 3 ? EndingOn(breeze, 0) : breeze, 79, 94);
    }

    // B: the battle, the saw lead and the choir; the marimba runs.
    t = end;
    end = a.Chords(t, 12, "bVI bVII i i bVI bVII V V iv V i V");
    a.Pattern(marimba, t, end, "0123210123210123", bells);
    a.Pad(choir, t, end, {55, 76, 3, 76, 0, true});
    a.Pattern(bass, t, end, "R-R-R-R-R-R-A-A-", bass8);
    a.Drums(drums, t, t + a.Bars(8), battle, 100, Fill::kToms, true);
    a.Drums(drums, t + a.Bars(8), end, battle, 100, Fill::kBuild, true);
    a.Motif(lead, t, ParseLine("0q 2q 4q 2q | 0h 1h | 2q 4q 5q 4q | 4w"), 77, 98, 0.95);
    a.Motif(lead, t + a.Bars(4), ParseLine("5q 4q 2q 4q | 5h 4h | 2q 1q 0q 1q | 2w"), 79, 100, 0.95);
    a.Motif(lead, t + a.Bars(8), Shifted(bloom, 2), 81, 100);
    a.Motif(lead, t + a.Bars(10), ParseLine("4q 3q 2q 1q | 0w"), 79, 96);

    // C: a hush, the strings alone with the celesta, then the dance again into the loop.
    t = end;
    end = a.Chords(t, 8, "i bVI iv V i bVI bII V");
    a.Pad(stringPad, t, end, {53, 72, 3, 72, 0, true});
    a.Pattern(celesta, t, end, "0.1.2.1.0.1.2.1.", bells);
    a.Pattern(bass, t + a.Bars(4), end, "R-R-R-R-R-R-R-O-", bass8);
    a.Drums(drums, t + a.Bars(4), end, taiko, 90, Fill::kBuild);
    a.Motif(flute, t, Augmented(ParseLine("0q 1q 2q 1q")), 77, 90);
    a.Motif(flute, t + a.Bars(4), ParseLine("2q 1q 0q -1q | 0w | 1q 2q 3q 4q | 4w"), 77, 94);

    return a.Finish(loop, end, 1.03);
}

}  // namespace assetgen::audio

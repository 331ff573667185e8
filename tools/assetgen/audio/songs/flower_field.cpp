// Track 3, stage 3, the flower field: bright, then uneasy. F major at 128 with marimba, flute and
// pizzicato; the middle turns to F minor with tremolo strings and a low drone before the light returns.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeFlowerField() {
    Arranger a("Flower field", 128, Key{65, kMajor}, 0xF10E5);
    const int flute = a.AddPart("flute", 0, 73, 100, 70, 60);
    const int marimba = a.AddPart("marimba", 1, 12, 92, 44, 45);
    const int pizz = a.AddPart("pizzicato", 2, 45, 96, 80, 40);
    const int strings = a.AddPart("strings", 3, 48, 88, 64, 60);
    const int bass = a.AddPart("bass", 4, 33, 96, 64, 20);
    const int glock = a.AddPart("glockenspiel", 5, 9, 70, 96, 70);
    const int tremolo = a.AddPart("tremolo", 6, 44, 84, 50, 70);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 92, 64, 35);

    const DrumPattern light = {
        {drum::kKick, "x.......x.x....."}, {drum::kSideStick, "....x.......x..."}, {drum::kShaker, "o.g.o.g.o.g.o.g."}};
    const DrumPattern full = {{drum::kKick, "x.....x.x.x....."},
                              {drum::kSnare, "....x.......x..."},
                              {drum::kTambourine, "..o...o...o...o."},
                              {drum::kClosedHat, "x.o.x.o.x.o.x.o."}};
    const DrumPattern uneasy = {{drum::kLowFloorTom, "x.....x.....x..."},
                                {drum::kMidLowTom, "..........o....o"},
                                {drum::kSideStick, "....o.......o..."}};
    PatternStyle marimba16{PatternVoice::kArp, 65, 89, 3, 78, 120, 0.9};
    PatternStyle pizz8{PatternVoice::kArp, 53, 77, 3, 84, 240, 0.5};
    PatternStyle bassStyle{PatternVoice::kBass, 41, 0, 0, 90, 240, 0.8};
    Rng& rng = a.rng();

    const Line bloom = ParseLine("0e 1e 2q 4q 2e 1e | 2h 0h");
    const Line breeze = ParseLine("4q 5e 4e 2q 0q | 1q 2e 1e -1h");

    // A glockenspiel sparkle before the loop.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 2, "I Vsus4");
    a.Motif(glock, t, ParseLine("0e 2e 4e 7e 4e 2e 4e 7e | 9e 7e 4e 2e 1q rq"), 77, 80);
    a.Pad(strings, t, end, {53, 72, 3, 60, 0, true});
    const std::int64_t loop = end;

    // A: bright, the flute over marimba and pizzicato.
    t = loop;
    end = a.Chords(t, 16, "I V vi IV I iii IV V");
    a.Pattern(marimba, t, end, "0120212001202120", marimba16);
    a.Pattern(pizz, t + a.Bars(8), end, "0.1.2.1.", pizz8);
    a.Pattern(bass, t, end, "R---5-R-", bassStyle);
    a.Pad(strings, t, end, {53, 72, 3, 58, 0, true});
    a.Drums(drums, t, t + a.Bars(8), light, 86, Fill::kSnare);
    a.Drums(drums, t + a.Bars(8), end, full, 90, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(flute, t + a.Bars(4 * i), i == 2 ? Ornamented(bloom, rng, 0.4) : bloom, 77, 92);
        a.Motif(flute, t + a.Bars(4 * i + 2), i == 3 ? EndingOn(breeze, 0) : breeze, 79, 90);
    }

    // B: the field at its brightest, glockenspiel doubling.
    t = end;
    end = a.Chords(t, 8, "IV V iii vi ii V I I");
    a.Pattern(marimba, t, end, "0120212001202120", marimba16);
    a.Pattern(pizz, t, end, "0.1.2.1.", pizz8);
    a.Pattern(bass, t, end, "R---5-R-", bassStyle);
    a.Pad(strings, t, end, {57, 76, 3, 64, 0, true});
    a.Drums(drums, t, end, full, 94, Fill::kBuild, true);
    const Line soar = ParseLine("4q 5q 7h | 6q 5e 4e 2h");
    a.Motif(flute, t, soar, 81, 96);
    a.Motif(glock, t, soar, 93, 64);
    a.Motif(flute, t + a.Bars(2), Shifted(soar, -1), 79, 92);
    a.Motif(flute, t + a.Bars(4), ParseLine("2q 4q 5q 4q | 2q 1q 0h | 0w"), 77, 92);

    // C: uneasy. The same field in F minor: tremolo strings, a drone, the tune bent out of shape.
    a.SetKey(Key{65, kHarmonicMinor});
    t = end;
    end = a.Chords(t, 16, "i bII i V i bVI bII V");
    a.Pad(tremolo, t, end, {53, 72, 3, 74, 0, true});
    a.Pattern(bass, t, end, "R-------R-------", {PatternVoice::kBass, 29, 0, 0, 96, 240, 1.0});
    a.Pattern(marimba, t + a.Bars(8), end, "0.1.2.1.0.1.2.1.", marimba16);
    a.Drums(drums, t, t + a.Bars(8), uneasy, 88);
    a.Drums(drums, t + a.Bars(8), end, uneasy, 96, Fill::kToms);
    a.Motif(flute, t, ParseLine("0h 1q 0q | -1H rq"), 77, 86);
    a.Motif(flute, t + a.Bars(2), ParseLine("2h 1q 0q | 1w"), 77, 84);
    a.Motif(flute, t + a.Bars(4), Inverted(bloom), 79, 88);
    a.Motif(flute, t + a.Bars(6), ParseLine("1q 0q -1q -2q | -1w"), 77, 86);
    a.Motif(glock, t + a.Bars(8), ParseLine("7e 6e 4e 3e 1q rq"), 89, 60);
    a.Motif(flute, t + a.Bars(8), Shifted(bloom, 2), 80, 92);
    a.Motif(flute, t + a.Bars(10), ParseLine("4q 3q 2q 1q | 0h -1h"), 79, 90);
    a.Motif(flute, t + a.Bars(12), Shifted(breeze, 1), 79, 92);
    a.Motif(flute, t + a.Bars(14), ParseLine("0q 1q 2q 3q | 4w"), 77, 92);

    // D: the clouds part; back to major through the subdominant, leading home to the loop.
    a.SetKey(Key{65, kMajor});
    t = end;
    end = a.Chords(t, 8, "bVI bVII I I IV V IV V");
    a.Pad(strings, t, end, {55, 76, 3, 68, 0, true});
    a.Pattern(marimba, t, end, "0120212001202120", marimba16);
    a.Pattern(bass, t, end, "R---5-R-", bassStyle);
    a.Drums(drums, t, end, full, 90, Fill::kBuild, true);
    a.Motif(flute, t, ParseLine("0q 2q 4h | 4q 5q 7h"), 77, 92);
    a.Motif(flute, t + a.Bars(4), ParseLine("4q 5e 4e 2q 4q | 5h 4h | 2q 1q 0q 1q | 2w"), 77, 94);

    return a.Finish(loop, end, 1.07);
}

}  // namespace assetgen::audio

// Track 6, the stage-1 final boss: B minor at 164. Chugging guitar and a sixteenth-note string ostinato
// under a harmonic-minor saw lead; a phrygian middle section; brass stabs at the climax.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeFirstGuardian() {
    Arranger a("Guardian of the towers", 164, Key{59, kHarmonicMinor}, 0xB055);
    const int lead = a.AddPart("lead", 0, 81, 90, 64, 40, 20);
    const int guitar = a.AddPart("guitar", 1, 30, 80, 36, 25);
    const int bass = a.AddPart("bass", 2, 38, 100, 64, 5);
    // The ostinato on violins: a string ensemble rings on for seconds after every sixteenth and swamps the
    // synthesiser's voices; the ensemble keeps the held chords of the phrygian section.
    const int strings = a.AddPart("strings", 3, 40, 108, 92, 45, 40);
    const int stringPad = a.AddPart("string pad", 5, 48, 84, 92, 45);
    const int brass = a.AddPart("brass", 4, 61, 88, 76, 45);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 100, 64, 25);

    const DrumPattern drive = {
        {drum::kKick, "x.x...x.x.x...x."}, {drum::kSnare, "....x.......x..."}, {drum::kClosedHat, "x.x.x.x.x.x.x.x."}};
    // Hi-hat eighths and the ride's bell on the strong beats: ride eighths leave dozens of cymbals ringing.
    const DrumPattern blast = {{drum::kKick, "x.x.x.x.x.x.x.x."},
                               {drum::kSnare, "....x..x....x.x."},
                               {drum::kClosedHat, "x.o.x.o.x.o.x.o."},
                               {drum::kRideBell, "x.......x......."}};
    PatternStyle chug{PatternVoice::kPower, 35, 0, 0, 90, 120, 0.5};
    PatternStyle bass8{PatternVoice::kBass, 35, 0, 0, 100, 120, 0.8};
    PatternStyle ostinato{PatternVoice::kArp, 59, 79, 3, 96, 120, 0.95};
    PatternStyle stab{PatternVoice::kChord, 59, 76, 3, 100, 120, 0.7};
    Rng& rng = a.rng();

    const Line threat = ParseLine("0e 0e 1e 2e 3q 2e 1e | 0q -1q 0h");
    const Line charge = ParseLine("4e 3e 4e 5e 6q 5e 4e | 3q 2q 1h");

    // Two bars of stabs before the loop.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 2, "i V");
    a.Pattern(brass, t, end, "x--x--x-x--x--x-", stab);
    a.Pattern(guitar, t, end, "x--x--x-x--x--x-", chug);
    a.Drums(drums, t, end, {{drum::kKick, "x--x--x-x--x--x-"}}, 100, Fill::kSnare);
    const std::int64_t loop = end;

    // A: the threat, twice, over the gallop.
    t = loop;
    end = a.Chords(t, 16, "i bVI bVII i i bVI iv V");
    a.Pattern(guitar, t, end, "x-o-o-x-o-o-x-o-", chug);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Pattern(strings, t, end, "0120212001202120", ostinato);
    a.Drums(drums, t, t + a.Bars(8), drive, 92, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, drive, 96, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), i == 2 ? Ornamented(threat, rng, 0.4) : threat, 71, 96);
        a.Motif(lead, t + a.Bars(4 * i + 2), i == 3 ? EndingOn(charge, 0) : charge, 73, 98);
    }

    // B: phrygian darkness, the lead in long notes, the guitar in stabs.
    t = end;
    end = a.Chords(t, 8, "bII i bII V bII i bVI V");
    a.Pattern(guitar, t, end, "x-----x-----x---", {PatternVoice::kPower, 35, 0, 0, 100, 120, 0.95});
    a.Pattern(bass, t, end, "R-R-R-R-R-R-A-A-", bass8);
    a.Pad(stringPad, t, end, {59, 79, 3, 80, 0, true});
    a.Drums(drums, t, end, drive, 96, Fill::kBuild, true);
    a.Motif(lead, t, ParseLine("0h 1h | 0w | 0h 1q 2q | 3w"), 74, 96, 0.97);
    a.Motif(lead, t + a.Bars(4), ParseLine("2h 1h | 0w | -1h 0q 1q | 2w"), 74, 100, 0.97);

    // C: the climax, brass stabs and the lead up high.
    t = end;
    end = a.Chords(t, 16, "i bVII bVI V i bVII bVI V");
    a.Pattern(guitar, t, end, "x-o-o-x-o-o-x-o-", chug);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Pattern(brass, t, end, "x--x--x-........", stab);
    a.Pattern(strings, t, end, "0120212001202120", ostinato);
    a.Drums(drums, t, t + a.Bars(8), blast, 98, Fill::kToms, true);
    a.Drums(drums, t + a.Bars(8), end, blast, 100, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), Shifted(threat, 4), 78, 104);
        a.Motif(lead, t + a.Bars(4 * i + 2), i % 2 ? EndingOn(charge, 0) : Inverted(charge), 78, 104);
    }

    // D: the break, bass and drums alone, the guitar building back into the loop.
    t = end;
    end = a.Chords(t, 8, "i i bVI bVI iv iv V V");
    a.Pattern(bass, t, end, "R-.R-.R-R-.R-.O-", bass8);
    a.Pattern(guitar, t + a.Bars(4), end, "x-o-o-x-o-o-x-o-", chug);
    a.Drums(drums, t, t + a.Bars(4), drive, 90);
    a.Drums(drums, t + a.Bars(4), end, blast, 96, Fill::kBuild);
    a.Motif(lead, t + a.Bars(4), ParseLine("0q 1q 2q 3q | 4q 3q 4q 5q | 6w"), 71, 96);

    return a.Finish(loop, end, 1.0);
}

}  // namespace assetgen::audio

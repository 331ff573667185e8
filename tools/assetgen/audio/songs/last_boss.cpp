// Track 9, the last boss, the most intense piece: D phrygian dominant at 176. Church organ and choir over
// a double-kick groove, a sixteenth-note string ostinato, distorted guitar, brass and timpani; the organ
// opens alone before the loop.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

namespace {
constexpr Mode kPhrygianDominant = {0, 1, 4, 5, 7, 8, 10};
}

Song ComposeLastBoss() {
    Arranger a("The last light", 176, Key{62, kPhrygianDominant}, 0x1A57B055);
    const int organ = a.AddPart("organ", 0, 19, 88, 64, 70);
    const int choir = a.AddPart("choir", 1, 52, 96, 40, 80);
    // Violins race beneath, not the ensemble: its notes ring on for seconds and sixteenths of them would need
    // more voices than the synthesiser has.
    const int strings = a.AddPart("strings", 2, 40, 110, 90, 50, 40);
    const int guitar = a.AddPart("guitar", 3, 30, 80, 30, 25);
    const int bass = a.AddPart("bass", 4, 38, 100, 64, 5);
    const int brass = a.AddPart("brass", 5, 61, 90, 70, 50);
    const int timpani = a.AddPart("timpani", 6, 47, 100, 64, 50);
    const int lead = a.AddPart("lead", 7, 81, 88, 64, 45, 20);
    const int drums = a.AddPart("drums", kDrumChannel, 16, 100, 64, 25);

    // Hi-hats over the double kick: the power kit's ride rings for twenty seconds in two voices a stroke.
    const DrumPattern doubleKick = {
        {drum::kKick, "xoxoxoxoxoxoxoxo"}, {drum::kSnare, "....x.......x..."}, {drum::kClosedHat, "x.o.x.o.x.o.x.o."}};
    const DrumPattern gallop = {{drum::kKick, "x.xx..xxx.xx..xx"},
                                {drum::kSnare, "....x.......x..."},
                                {drum::kClosedHat, "x.x.x.x.x.x.x.x."},
                                {drum::kChina, "x..............."}};
    PatternStyle chug{PatternVoice::kPower, 38, 0, 0, 92, 120, 0.5};
    PatternStyle bass8{PatternVoice::kBass, 38, 0, 0, 100, 120, 0.8};
    PatternStyle ostinato{PatternVoice::kArp, 62, 81, 3, 100, 120, 0.95};
    PatternStyle stab{PatternVoice::kChord, 57, 76, 3, 104, 120, 0.8};
    Rng& rng = a.rng();

    const Line doom = ParseLine("0q 1q 0e -1e 0q | 2q 1q 0h");
    const Line fury = ParseLine("4e 5e 4e 2e 1e 2e 4e 5e | 7q 5q 4h");

    // The organ alone: the doom motif in long notes, then the whole band crashes in at the loop.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 4, "I bII I bII");
    a.Pad(organ, t, end, {50, 69, 4, 84, 0, true});
    a.Motif(choir, t, Augmented(doom), 74, 84, 0.97);
    for (std::int64_t r = end - a.Bars(1); r < end; r += 120)
        a.Hit(timpani, r, 38, 70 + static_cast<int>((r % 1920) / 40), 120);
    const std::int64_t loop = end;

    // A: the doom motif over the double kick, strings racing beneath.
    t = loop;
    end = a.Chords(t, 16, "I bII I bvii I bII biii bII");
    a.Pattern(guitar, t, end, "x-o-x-o-x-o-x-o-", chug);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Pattern(strings, t, end, "0120212001202120", ostinato);
    a.Pad(organ, t, end, {50, 69, 3, 72, 0, true});
    a.Drums(drums, t, t + a.Bars(8), doubleKick, 96, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, doubleKick, 100, Fill::kToms, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), i == 2 ? Ornamented(doom, rng, 0.4) : doom, 74, 100);
        a.Motif(lead, t + a.Bars(4 * i + 2), i == 3 ? EndingOn(fury, 0) : fury, 74, 100);
        a.Hit(timpani, t + a.Bars(4 * i), 38, 110, 480);
    }

    // B: the choir's cry, brass stabs, the gallop.
    t = end;
    end = a.Chords(t, 16, "iv bII I I iv bII bVII I");
    a.Pad(choir, t, end, {55, 76, 3, 90, 0, true});
    a.Pattern(brass, t, end, "x--x--x-x--x--x-", stab);
    a.Pattern(guitar, t, end, "x--x--x-x--x--x-", chug);
    a.Pattern(bass, t, end, "R--R--R-R--R--R-", bass8);
    a.Drums(drums, t, t + a.Bars(8), gallop, 100, Fill::kToms, true);
    a.Drums(drums, t + a.Bars(8), end, gallop, 100, Fill::kBuild, true);
    a.Motif(lead, t, Augmented(ParseLine("0q 1q 2q 1q")), 77, 104, 0.97);
    a.Motif(lead, t + a.Bars(4), Augmented(ParseLine("2q 3q 4q 2q")), 79, 106, 0.97);
    a.Motif(lead, t + a.Bars(8), Shifted(fury, 2), 81, 108);
    a.Motif(lead, t + a.Bars(10), Shifted(fury, 1), 79, 106);
    a.Motif(lead, t + a.Bars(12), ParseLine("4q 5q 4q 2q | 1w | 0q 1q 2q 3q | 4w"), 79, 108, 0.97);

    // C: the organ's fugue-like run over the pounding, then everything, back into the loop.
    t = end;
    end = a.Chords(t, 8, "I bII bvii I I bII biii bII");
    a.Pattern(organ, t, end, "0123212301232123", {PatternVoice::kArp, 62, 81, 3, 90, 120, 0.8});
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Pad(choir, t, end, {55, 76, 3, 80, 0, true});
    a.Drums(drums, t, end, doubleKick, 100, Fill::kToms, true);
    a.Pattern(brass, t + a.Bars(4), end, "x-------x-------", stab);
    for (std::int64_t bar = t; bar < end; bar += a.Bars(1)) a.Hit(timpani, bar, 38, 108, 240);

    t = end;
    end = a.Chords(t, 16, "I bII I bvii I bII biii bII");
    a.Pattern(guitar, t, end, "x-o-x-o-x-o-x-o-", chug);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Pattern(strings, t, end, "0120212001202120", ostinato);
    a.Pattern(brass, t, end, "x--x--x-........", stab);
    a.Pad(choir, t, end, {55, 76, 3, 84, 0, true});
    a.Drums(drums, t, t + a.Bars(8), gallop, 100, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, doubleKick, 100, Fill::kBuild, true);
    for (int i = 0; i < 4; ++i) {
        a.Motif(lead, t + a.Bars(4 * i), Shifted(doom, 4), 81, 106);
        a.Motif(lead, t + a.Bars(4 * i + 2), i == 3 ? ParseLine("4q 2q 1q 0q | 1w") : Inverted(fury), 81, 106);
    }

    return a.Finish(loop, end, 1.0);
}

}  // namespace assetgen::audio

// Track 0, under the story scroll: calm and narrative. D major at 84, a flute telling the tale over piano
// arpeggios and slow strings; the second half hands the tune to the strings and lets a celesta answer.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeStory() {
    Arranger a("Long ago", 84, Key{62, kMajor}, 0x570121);
    const int flute = a.AddPart("flute", 0, 73, 96, 70, 70);
    const int piano = a.AddPart("piano", 1, 0, 92, 56, 60);
    const int strings = a.AddPart("strings", 2, 49, 84, 64, 70);
    const int bass = a.AddPart("bass", 3, 32, 92, 64, 30);
    const int celesta = a.AddPart("celesta", 4, 8, 76, 90, 70);
    const int cello = a.AddPart("cello", 5, 42, 78, 44, 60);
    PatternStyle arp{PatternVoice::kArp, 50, 74, 3, 86, 240, 1.6};
    PatternStyle arpLow{PatternVoice::kArp, 45, 69, 3, 80, 240, 1.6};
    PatternStyle bassStyle{PatternVoice::kBass, 38, 0, 0, 96, 240, 0.95};

    const Line tale = ParseLine("0q 1e 2e 4q 2q | 1h 0q rq");
    const Line answer = ParseLine("2q 1e 0e -1q 0q | 1H rq");
    Rng& rng = a.rng();

    // Two bars of piano before the tale begins.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 2, "IVmaj7 V");
    a.Pattern(piano, t, end, "01210121", arpLow);
    const std::int64_t loop = end;

    // A: the flute's tale over the piano.
    t = loop;
    end = a.Chords(t, 8, "vi IV I V vi IV ii V");
    a.Pattern(piano, t, end, "01232123", arp);
    a.Pattern(bass, t, end, "R---5---", bassStyle);
    a.Pad(strings, t, end, {50, 69, 3, 72, 0});
    a.Motif(flute, t, tale, 74, 100);
    a.Motif(flute, t + a.Bars(2), answer, 74, 96);
    a.Motif(flute, t + a.Bars(4), Ornamented(tale, rng, 0.4), 76, 104);
    a.Motif(flute, t + a.Bars(6), EndingOn(answer, 1), 74, 96);

    // B: the strings take the tune, broadened; the celesta answers in the gaps; the cello walks below.
    t = end;
    end = a.Chords(t, 8, "IV V iii vi ii V I I");
    a.Pattern(piano, t, end, "0123", arp);
    a.Pattern(bass, t, end, "R-------", bassStyle);
    a.Motif(strings, t, Augmented(ParseLine("0q 1e 2e 4q 2q")), 72, 98, 0.98);
    a.Motif(strings, t + a.Bars(3), ParseLine("4h 2h"), 72, 94, 0.98);
    a.Motif(strings, t + a.Bars(4), Augmented(ParseLine("2q 1e 0e -1q 0q")), 69, 98, 0.98);
    a.Motif(strings, t + a.Bars(7), ParseLine("0w"), 69, 90, 0.98);
    a.Motif(celesta, t + a.Bars(3) + a.Bars(0.5), ParseLine("4e 3e 2e 1e"), 86, 86);
    a.Motif(celesta, t + a.Bars(7), ParseLine("0e 2e 4e 7e 4e 2e 0q"), 86, 86);
    a.Motif(cello, t, ParseLine("0h -1h | -2h -3h | -4w | -3h -1h"), 50, 86, 0.98);
    a.Motif(cello, t + a.Bars(4), ParseLine("0h 1h | 2w | 0w | -1w"), 50, 86, 0.98);

    // A': the tale once more, the last bar turning back to its beginning.
    t = end;
    end = a.Chords(t, 4, "vi IV ii V");
    a.Pattern(piano, t, end, "01232123", arp);
    a.Pattern(bass, t, end, "R---5---", bassStyle);
    a.Pad(strings, t, end, {50, 69, 3, 76, 0});
    a.Motif(flute, t, Ornamented(tale, rng, 0.3), 76, 102);
    a.Motif(flute, t + a.Bars(2), ParseLine("2q 1e 0e -1q 1q | 2h 4h"), 74, 96);

    return a.Finish(loop, end, 1.3);
}

}  // namespace assetgen::audio

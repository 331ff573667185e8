// Track 1, stage 1, a city at dusk: driving and hopeful. E minor at 150, a saw lead over palm-muted guitar,
// an eighth-note synth bass and a rock groove; the chorus lifts to the relative major, a half-time
// breakdown lets the electric piano shimmer before the last chorus.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeCityAtDusk() {
    Arranger a("Dusk over the city", 150, Key{64, kMinor}, 0xC17D05C);
    const int lead = a.AddPart("lead", 0, 81, 88, 64, 45, 25);
    const int guitar = a.AddPart("guitar", 1, 30, 74, 40, 30);
    const int bass = a.AddPart("bass", 2, 38, 100, 64, 5);
    const int pad = a.AddPart("pad", 3, 50, 74, 80, 60);
    const int keys = a.AddPart("keys", 4, 4, 78, 96, 60, 30);
    const int counter = a.AddPart("counter", 5, 80, 66, 30, 50);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 100, 64, 25);

    const DrumPattern verse = {
        {drum::kKick, "x.....x.x.....x."}, {drum::kSnare, "....x.......x..."}, {drum::kClosedHat, "x.o.x.o.x.o.x.o."}};
    const DrumPattern chorus = {{drum::kKick, "x.....x.x.x...x."},
                                {drum::kSnare, "....x.......x..."},
                                {drum::kClosedHat, "x...x...x...x..."},
                                {drum::kOpenHat, "..o...o...o...o."}};
    const DrumPattern halftime = {
        {drum::kKick, "x.........x....."}, {drum::kSnare, "........x......."}, {drum::kClosedHat, "o.o.o.o.o.o.o.o."}};
    PatternStyle bass8{PatternVoice::kBass, 40, 0, 0, 96, 120, 0.8};
    PatternStyle mute{PatternVoice::kPower, 40, 0, 0, 84, 120, 0.5};
    PatternStyle arp{PatternVoice::kArp, 64, 88, 3, 72, 120, 0.9, 360, 40};
    Rng& rng = a.rng();

    const Line hook = ParseLine("0e 0e 1e 2q 4e 2q | 1q 0e -1e 0h");
    const Line rise = ParseLine("2q 4q 5e 4e 2q | 4h rh");
    const Line lift = ParseLine("4d 5e 4q 2q | 0q 1e 2e 1h");
    const Line lift2 = ParseLine("4q 5e 7e 7q 5q | 4h 2h");

    // Intro: the guitar chugs alone, the drums join, a snare build.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 4, "i bVI bIII bVII");
    a.Pattern(guitar, t, end, "x-o-o-o-x-o-o-o-", mute);
    a.Drums(drums, t + a.Bars(2), end, verse, 80, Fill::kBuild);
    const std::int64_t loop = end;

    // Verse: the hook twice, then rising.
    t = loop;
    end = a.Chords(t, 16, "i bVI bIII bVII");
    a.Pattern(guitar, t, end, "x-o-o-o-x-o-o-o-", mute);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-R-O-", bass8);
    a.Drums(drums, t, t + a.Bars(8), verse, 86, Fill::kSnare, true);
    a.Drums(drums, t + a.Bars(8), end, verse, 90, Fill::kToms);
    a.Pad(pad, t + a.Bars(8), end, {55, 76, 3, 56, 0});
    for (int i = 0; i < 4; ++i) {
        Line l = i == 1 ? Ornamented(hook, rng, 0.35) : i == 3 ? rise : hook;
        a.Motif(lead, t + a.Bars(4 * i), l, i < 2 ? 71 : 74, 92);
        a.Motif(lead, t + a.Bars(4 * i + 2), EndingOn(Shifted(hook, i % 2 ? 2 : 1), i % 2 ? 2 : 0), 72, 88);
    }

    // Pre-chorus: the guitar opens up, the bass climbs.
    t = end;
    end = a.Chords(t, 8, "iv v bVI bVII iv v bVI V");
    a.Pattern(guitar, t, end, "x-------x---x---", {PatternVoice::kPower, 40, 0, 0, 90, 120, 0.95});
    a.Pattern(bass, t, end, "R-R-R-R-R-R-A-A-", bass8);
    a.Pad(pad, t, end, {55, 76, 3, 62, 0});
    a.Drums(drums, t, end, verse, 94, Fill::kBuild, true);
    a.Motif(lead, t, rise, 72, 90);
    a.Motif(lead, t + a.Bars(2), Shifted(rise, 1), 74, 94);
    a.Motif(lead, t + a.Bars(4), Shifted(rise, 2), 76, 98);
    a.Motif(lead, t + a.Bars(6), ParseLine("4q 5q 6q 7q | 8w"), 78, 102);

    // Chorus: hopeful, in the relative major's colours.
    auto chorusAt = [&](std::int64_t from, int lift0, int vel) {
        std::int64_t e = a.Chords(from, 16, "bVI bVII bIII i bVI bVII bIII bIII");
        a.Pattern(guitar, from, e, "x-----x-----x---", {PatternVoice::kPower, 40, 0, 0, 96, 120, 0.95});
        a.Pattern(bass, from, e, "R-R-R-R-R-R-R-O-", bass8);
        a.Pad(pad, from, e, {60, 81, 3, 68, 0});
        a.Pattern(keys, from, e, "0120312031203120", arp);
        a.Drums(drums, from, from + a.Bars(8), chorus, 100, Fill::kSnare, true);
        a.Drums(drums, from + a.Bars(8), e, chorus, 100, Fill::kToms, true);
        for (int i = 0; i < 4; ++i) {
            a.Motif(lead, from + a.Bars(4 * i), i % 2 ? lift2 : lift, 76 + lift0, vel);
            a.Motif(counter, from + a.Bars(4 * i + 2), ParseLine("4e 2e 0e 2e 4e 5e 4e 2e | 0h rh"), 67 + lift0,
                    vel - 24);
        }
        return e;
    };
    end = chorusAt(end, 0, 100);

    // Breakdown: half time, the keys and pad alone with the bass, the lead recalls the hook softly.
    t = end;
    end = a.Chords(t, 8, "bVI bIII bVII iv bVI bIII bVII V");
    a.Pattern(keys, t, end, "0120312031203120", arp);
    a.Pad(pad, t, end, {55, 76, 4, 70, 0});
    a.Pattern(bass, t, end, "R-------R---5---", bass8);
    a.Drums(drums, t, end, halftime, 80, Fill::kBuild, true);
    a.Motif(lead, t + a.Bars(1), Augmented(ParseLine("0e 1e 2q 4e 2q")), 71, 78);
    a.Motif(lead, t + a.Bars(5), Augmented(ParseLine("2e 4e 5q 4e 2q")), 74, 82);

    // The last chorus, a step higher in the melody, then a four-bar turnaround back to the verse.
    end = chorusAt(end, 3, 106);
    t = end;
    end = a.Chords(t, 4, "bVI bVII bVI V");
    a.Pattern(guitar, t, end, "x-o-o-o-x-o-o-o-", mute);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-A-A-", bass8);
    a.Pad(pad, t, end, {55, 76, 3, 60, 0});
    a.Drums(drums, t, end, verse, 92, Fill::kToms, true);
    a.Motif(lead, t, ParseLine("4q 2q 1q 0q | -1h 0q 1q | 2q 1q 0q -1q | -2w"), 74, 92);

    return a.Finish(loop, end, 1.19);
}

}  // namespace assetgen::audio

// Track 4, the title: the main theme in D minor at a march-like 132, brass and strings over a driving
// bass, with timpani. A short swell leads in once; the loop is the theme twice, the bridge and the climax.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"
#include "assetgen/audio/songs/title_theme.h"

namespace assetgen::audio {

Song ComposeTitle() {
    Arranger a("Korvex", 132, Key{62, kMinor}, 0x7171E);
    const int lead = a.AddPart("lead", 0, 81, 92, 64, 50, 30);
    const int strings = a.AddPart("strings", 1, 48, 94, 50, 60);
    const int brass = a.AddPart("brass", 2, 61, 86, 78, 50);
    const int bass = a.AddPart("bass", 3, 38, 100, 64, 10);
    const int harp = a.AddPart("harp", 4, 46, 92, 40, 55);
    const int timpani = a.AddPart("timpani", 5, 47, 100, 70, 50);
    const int horn = a.AddPart("horn", 6, 60, 84, 90, 60);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 100, 64, 30);

    const DrumPattern rock = {
        {drum::kKick, "x.....x.x.....o."}, {drum::kSnare, "....x.......x..."}, {drum::kClosedHat, "x.o.x.o.x.o.x.o."}};
    const DrumPattern march = {
        {drum::kKick, "x.......x......."}, {drum::kSnare, "....x..g....x.gg"}, {drum::kClosedHat, "o.o.o.o.o.o.o.o."}};
    const DrumPattern halftime = {
        {drum::kKick, "x.........x....."}, {drum::kSnare, "........x......."}, {drum::kRide, "x.......x......."}};
    PatternStyle bassStyle{PatternVoice::kBass, 38, 0, 0, 96, 120, 0.85};
    PatternStyle stab{PatternVoice::kChord, 55, 74, 3, 92, 120, 0.8};
    PatternStyle arp{PatternVoice::kArp, 57, 81, 3, 72, 120, 0.95};

    // Intro: the chords swell under a timpani roll, the snare builds into the theme.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 4, "i bVI bVII V");
    a.Pad(strings, t, end, {50, 74, 3, 64, 0, true});
    a.Pad(brass, t + a.Bars(2), end, {50, 70, 3, 70, 0});
    for (std::int64_t r = t; r < end - a.Bars(0.5); r += 120) {
        a.Hit(timpani, r, 38, 40 + static_cast<int>(60 * (r - t) / (end - t)), 120);
    }
    a.Hold(timpani, end - a.Bars(0.5), a.Bars(0.5), 45, 110);
    a.Drums(drums, end - a.Bars(1), end, march, 80, Fill::kBuild);
    const std::int64_t loop = end;

    // A: the statement, the melody alone over strings and bass.
    t = loop;
    end = a.Chords(t, 8, "i bVI bIII bVII i bVI iv V");
    a.Theme(lead, t, theme::Statement(), 96, 0.92, 12);
    a.Pad(strings, t, end, {50, 74, 3, 66, 0, true});
    a.Pattern(bass, t, end, "R-R-R-R-R-R-O-R-", bassStyle);
    a.Drums(drums, t, end, march, 82, Fill::kSnare, true);
    a.Hold(timpani, t, a.Bars(1), 38, 100);

    // A': brass stabs and full drums, the horn answers an octave down.
    t = end;
    end = a.Chords(t, 8, "i bVI bIII bVII i bVI iv V");
    a.Theme(lead, t, theme::Statement(), 100, 0.92, 12);
    a.Theme(horn, t + a.Bars(4), ParseLine("0w | 2w | 1w | 0w"), 70, 0.98);
    a.Pad(strings, t, end, {55, 79, 3, 70, 0, true});
    a.Pattern(brass, t, end, "x-.x-.x-........", stab);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-O-A-", bassStyle);
    a.Drums(drums, t, end, rock, 92, Fill::kToms, true);
    a.Hold(timpani, t, a.Bars(1), 38, 110);

    // B: the bridge, broader, the harp turning under it in eighths (every harp note rings on for seconds).
    t = end;
    end = a.Chords(t, 8, "bVI bVII i i iv bVII bIII V");
    a.Theme(lead, t, theme::Bridge(), 88, 0.96, 0);
    a.Theme(horn, t, theme::Bridge(), 74, 0.96, -12);
    a.Pattern(harp, t, end, "0.1.2.0.3.1.2.0.", arp);
    a.Pad(strings, t, end, {50, 74, 3, 62, 0, true});
    a.Pattern(bass, t, end, "R-------R---5---", bassStyle);
    a.Drums(drums, t, end, halftime, 78, Fill::kBuild, true);

    // A'': the climax, everything in, the last bar turning back to the start of the loop.
    t = end;
    end = a.Chords(t, 8, "i bVI bIII bVII i bVI iv V");
    a.Theme(lead, t, theme::Climax(), 108, 0.92, 12);
    a.Theme(horn, t, theme::Climax(), 80, 0.92, 0);
    a.Pad(strings, t, end, {57, 81, 3, 76, 0, true});
    a.Pattern(brass, t, end, "x-.x-.x-....o-o-", stab);
    a.Pattern(bass, t, end, "R-R-R-R-R-R-O-A-", bassStyle);
    a.Drums(drums, t, end, rock, 100, Fill::kToms, true);
    for (std::int64_t bar = t; bar < end; bar += a.Bars(2)) a.Hit(timpani, bar, 38, 105, 480);

    return a.Finish(loop, end, 0.875);
}

}  // namespace assetgen::audio

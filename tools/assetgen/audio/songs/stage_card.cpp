// Track 5, the stage title card: a short anticipatory loop that can wait for ever. A minor at 120:
// ostinato strings and a pulsing bass under held suspensions, timpani on the downbeats, a snare roll that
// swells into the repeat.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeStageCard() {
    Arranger a("Ready", 120, Key{57, kMinor}, 0x5CA2D);
    // Violins, not the ensemble: an ensemble note rings on for seconds, and sixteenths of them would keep
    // a hundred voices busy for a loop that only waits.
    const int strings = a.AddPart("ostinato", 0, 40, 106, 50, 50, 40);
    const int pad = a.AddPart("pad", 1, 89, 82, 80, 70);
    const int bass = a.AddPart("bass", 2, 38, 96, 64, 10);
    const int timpani = a.AddPart("timpani", 3, 47, 100, 64, 50);
    const int brass = a.AddPart("brass", 4, 61, 80, 70, 50);
    const int drums = a.AddPart("drums", kDrumChannel, 0, 96, 64, 30);

    const DrumPattern tick = {{drum::kClosedHat, "o.g.o.g.o.g.o.g."}, {drum::kKick, "x.......x......."}};
    PatternStyle ostinato{PatternVoice::kArp, 57, 76, 3, 108, 120, 0.95};

    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 8, "i i bVI bVI iv iv Vsus4/2 V/2 V");
    a.Pattern(strings, t, end, "0101210101012101", ostinato);
    a.Pad(pad, t, end, {57, 76, 3, 66, 0});
    a.Pattern(bass, t, end, "R.R.R.R.R.R.R.RO", {PatternVoice::kBass, 33, 0, 0, 92, 120, 0.7});
    a.Drums(drums, t, end - a.Bars(1), tick, 84);
    for (int bar = 0; bar < 7; bar += 2) a.Hit(timpani, t + a.Bars(bar), bar < 4 ? 45 : 40, 104, 960);
    // The last bar builds: a timpani roll on the dominant and a snare crescendo into the repeat.
    for (std::int64_t r = end - a.Bars(1); r < end; r += 120) {
        a.Hit(timpani, r, 40, 60 + static_cast<int>((r - (end - a.Bars(1))) / 40), 120);
    }
    a.Drums(drums, end - a.Bars(1), end, tick, 90, Fill::kBuild);
    a.Pattern(brass, t + a.Bars(4), end, "x-----x-----x---", {PatternVoice::kChord, 55, 72, 3, 84, 120, 0.9});

    return a.Finish(0, end, 1.19);
}

}  // namespace assetgen::audio

// Track 10, game over: a short jingle, then silence. A minor at 88, piano and strings falling to the
// tonic; the "L" marker sits after the last chord has died away, so the loop plays only silence.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

Song ComposeGameOver() {
    Arranger a("Game over", 88, Key{69, kMinor}, 0x6A3E0);
    const int piano = a.AddPart("piano", 0, 0, 100, 60, 70);
    const int strings = a.AddPart("strings", 1, 49, 92, 70, 80);
    const int bass = a.AddPart("bass", 2, 43, 88, 64, 60);

    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 3, "iv/2 bVI/2 V i");
    // The falling line, then the tonic held under a swell.
    a.Theme(piano, t, ParseLine("5e 4e 3e 2e 4e 3e 2e 1e | 1h -1#h | 0w"), 112, 1.0);
    a.Pad(strings, t, end, {57, 76, 4, 96, 0});
    a.Pattern(bass, t, end, "R-------", {PatternVoice::kBass, 33, 0, 0, 104, 240, 1.0});
    a.Hold(piano, t + a.Bars(2), a.Bars(1), 45, 96);
    a.Hold(piano, t + a.Bars(2), a.Bars(1), 52, 92);
    // The chord dies away over two more beats; the marker follows, then a silent tail of a bar.
    const std::int64_t loop = end + a.Bars(0.5);
    return a.Finish(loop, loop + a.Bars(1), 1.27);
}

}  // namespace assetgen::audio

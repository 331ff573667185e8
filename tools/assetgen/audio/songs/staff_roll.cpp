// Track 11, the staff roll: the main theme resolved, warm. D major at 96, the theme on piano and then
// strings and horn, the bridge sung by the cello, the last statement with everyone and gentle drums.
#include "assetgen/audio/arranger.h"
#include "assetgen/audio/songs/songs.h"
#include "assetgen/audio/songs/title_theme.h"

namespace assetgen::audio {

Song ComposeStaffRoll() {
    Arranger a("Thank you for playing", 96, Key{62, kMajor}, 0x57AFF);
    const int piano = a.AddPart("piano", 0, 0, 96, 50, 60);
    const int strings = a.AddPart("strings", 1, 48, 90, 70, 70);
    const int horn = a.AddPart("horn", 2, 60, 88, 84, 70);
    const int bass = a.AddPart("bass", 3, 32, 94, 64, 30);
    const int flute = a.AddPart("flute", 4, 73, 88, 90, 70);
    const int harp = a.AddPart("harp", 5, 46, 84, 36, 60);
    const int drums = a.AddPart("drums", kDrumChannel, 40, 88, 64, 40);

    // The brush kit's ride rings for twenty seconds in two voices: one stroke a bar, the hi-hat keeps the
    // shuffle.
    const DrumPattern brush = {{drum::kKick, "x.......x......."},
                               {drum::kSnare, "....o.......o..."},
                               {drum::kRide, "o..............."},
                               {drum::kClosedHat, "...go..go..go..g"}};
    PatternStyle arp{PatternVoice::kArp, 50, 74, 3, 70, 240, 1.5};
    PatternStyle harp16{PatternVoice::kArp, 62, 86, 3, 66, 120, 1.0};
    PatternStyle bassStyle{PatternVoice::kBass, 38, 0, 0, 84, 240, 0.95};
    const char* verse = "I IV iii V I ii7 IV V";
    const char* bridge = "vi iii I I ii V iii V";

    // The piano alone, two bars.
    std::int64_t t = 0;
    std::int64_t end = a.Chords(t, 2, "IV V");
    a.Pattern(piano, t, end, "01210121", arp);
    const std::int64_t loop = end;

    // A: the theme on the piano, gently.
    t = loop;
    end = a.Chords(t, 8, verse);
    a.Theme(piano, t, theme::Statement(), 86, 0.95, 12);
    a.Pattern(piano, t, end, "0121", {PatternVoice::kArp, 50, 69, 3, 58, 480, 1.2});
    a.Pad(strings, t, end, {50, 69, 3, 56, 0, true});
    a.Pattern(bass, t, end, "R---5---", bassStyle);

    // A': strings carry it, the horn sings the counter-line, soft brushes.
    t = end;
    end = a.Chords(t, 8, verse);
    a.Theme(strings, t, theme::Statement(), 90, 0.98, 12);
    a.Theme(horn, t, ParseLine("0w | 1w | 2w | 1w | 0w | 1w | 0w | -1w"), 70, 0.98, 0);
    a.Pattern(piano, t, end, "01232123", arp);
    a.Pattern(bass, t, end, "R---5---", bassStyle);
    a.Drums(drums, t, end, brush, 80, Fill::kSnare);

    // B: the bridge on the flute and the cello-range horn, the harp rippling.
    t = end;
    end = a.Chords(t, 8, bridge);
    a.Theme(flute, t, theme::Bridge(), 88, 0.96, 0);
    a.Theme(horn, t, theme::Bridge(), 70, 0.96, -12);
    a.Pattern(harp, t, end, "0120312031203120", harp16);
    a.Pad(strings, t, end, {50, 69, 3, 60, 0, true});
    a.Pattern(bass, t, end, "R-------", bassStyle);
    a.Drums(drums, t, end, brush, 76, Fill::kBuild);

    // A'': everyone, the climax resolved onto the tonic, then back to the piano's beginning. The harp's ripple
    // slows to eighths under the piano's arpeggio, which already carries the motion.
    t = end;
    end = a.Chords(t, 8, verse);
    a.Theme(strings, t, theme::Statement(), 96, 0.98, 12);
    a.Theme(flute, t, theme::Statement(), 80, 0.95, 24);
    a.Theme(horn, t, theme::Statement(), 74, 0.98, 0);
    a.Pattern(piano, t, end, "01232123", arp);
    a.Pattern(harp, t, end, "0.1.2.0.3.1.2.0.", harp16);
    a.Pattern(bass, t, end, "R---5---", bassStyle);
    a.Drums(drums, t, end, brush, 86, Fill::kSnare, true);

    t = end;
    end = a.Chords(t, 4, "IV V I I");
    a.Pattern(piano, t, end, "01232123", arp);
    a.Pad(strings, t, end, {50, 69, 3, 64, 0, true});
    a.Theme(horn, t, ParseLine("3h 4h | 4h 6h | 7w | 7H rq"), 76, 0.98, 0);
    a.Pattern(bass, t, end, "R---5---", bassStyle);

    return a.Finish(loop, end, 1.0);
}

}  // namespace assetgen::audio

#include "assetgen/audio/arranger.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace assetgen::audio {

namespace {
int Pc(int key) { return ((key % 12) + 12) % 12; }
}  // namespace

Arranger::Arranger(std::string title, double bpm, Key key, std::uint64_t seed) : key_(key), rng_(seed) {
    song_.title = std::move(title);
    song_.bpm = bpm;
}

int Arranger::AddPart(std::string name, int channel, int program, int volume, int pan, int reverb, int chorus) {
    Part p;
    p.name = std::move(name);
    p.channel = channel;
    p.program = program;
    p.volume = volume;
    p.pan = pan;
    p.reverb = reverb;
    p.chorus = chorus;
    song_.parts.push_back(std::move(p));
    return static_cast<int>(song_.parts.size()) - 1;
}

std::int64_t Arranger::Chords(std::int64_t tick, double bars, std::string_view progression) {
    return harmony_.Lay(tick, tick + Bars(bars), progression, BarTicks(), key_.tonic);
}

int Arranger::RootKey(const Chord& chord, int low) const { return low + Pc(chord.root - low); }

std::vector<int> Arranger::Voicing(const Chord& chord, int low, int high, int voices,
                                   const std::vector<int>& previous) const {
    std::vector<int> pcs;
    for (int t : chord.tones) pcs.push_back(Pc(chord.root + t));
    std::vector<int> best;
    double bestScore = std::numeric_limits<double>::max();
    for (std::size_t start = 0; start < pcs.size(); ++start) {
        for (int lift = 0; lift < 24; lift += 12) {
            std::vector<int> v;
            int key = low + Pc(pcs[start] - low) + lift;
            v.push_back(key);
            for (int i = 1; i < voices; ++i) {
                int pc = pcs[(start + static_cast<std::size_t>(i)) % pcs.size()];
                int next = v.back() + 1 + Pc(pc - (v.back() + 1));
                v.push_back(next);
            }
            double score = 0;
            if (v.back() > high) score += 1000.0 * (v.back() - high);
            if (previous.size() == v.size()) {
                for (std::size_t i = 0; i < v.size(); ++i) score += std::abs(v[i] - previous[i]);
            } else {
                double mean = 0;
                for (int k : v) mean += k;
                score += std::abs(mean / static_cast<double>(v.size()) - (low + high) / 2.0);
            }
            if (score < bestScore) {
                bestScore = score;
                best = v;
            }
        }
    }
    return best;
}

int Arranger::Accent(std::int64_t tick, int velocity) {
    std::int64_t inBar = tick % BarTicks();
    int accent;
    if (inBar == 0) {
        accent = 8;
    } else if (inBar % kTicksPerQuarter == 0) {
        accent = inBar == BarTicks() / 2 ? 4 : 2;
    } else if (inBar % (kTicksPerQuarter / 2) == 0) {
        accent = -3;
    } else {
        accent = -8;
    }
    return std::clamp(velocity + accent + rng_.Range(-3, 3), 1, 127);
}

void Arranger::Pad(int index, std::int64_t begin, std::int64_t end, const PadStyle& style) {
    std::vector<int> previous;
    std::vector<std::size_t> held;  // the notes of the previous chord, when they may be tied over
    for (const ChordSpan& span : harmony_.Within(begin, end)) {
        std::vector<int> v = Voicing(span.chord, style.low, style.high, style.voices, previous);
        previous = v;
        std::int64_t every = style.restrike > 0 ? style.restrike : span.length;
        std::vector<std::size_t> now;
        for (std::int64_t t = span.tick; t < span.tick + span.length; t += every) {
            std::int64_t length = std::min(every, span.tick + span.length - t);
            for (int k : v) {
                int velocity = Accent(t, style.velocity);  // drawn for tied keys too: the dice stay in step
                std::vector<Note>& notes = part(index).notes;
                auto tied = std::find_if(held.begin(), held.end(), [&](std::size_t i) {
                    return notes[i].key == k && notes[i].tick + notes[i].length == t;
                });
                if (tied != held.end()) {
                    notes[*tied].length += length;
                    now.push_back(*tied);
                    continue;
                }
                part(index).Add(t, length, k, velocity);
                now.push_back(notes.size() - 1);
            }
        }
        held = style.tie && style.restrike <= 0 ? now : std::vector<std::size_t>{};
    }
}

void Arranger::Pattern(int index, std::int64_t begin, std::int64_t end, std::string_view pattern,
                       const PatternStyle& style) {
    if (pattern.empty()) return;
    struct Start {
        std::int64_t tick;
        char letter;
    };
    std::vector<Start> starts;
    std::vector<std::int64_t> stops;  // where a note must end: rests and chord changes
    auto len = static_cast<std::int64_t>(pattern.size());
    for (std::int64_t t = begin, i = 0; t < end; t += style.step, ++i) {
        char c = pattern[static_cast<std::size_t>(i % len)];
        if (c == '-') continue;
        if (c == '.') {
            stops.push_back(t);
        } else {
            starts.push_back({t, c});
        }
    }
    std::vector<int> voicing;
    std::int64_t voicedAt = -1;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::int64_t t = starts[i].tick;
        const ChordSpan& span = harmony_.At(t);
        std::int64_t stop = std::min(end, span.tick + span.length);
        if (i + 1 < starts.size()) stop = std::min(stop, starts[i + 1].tick);
        for (std::int64_t s : stops) {
            if (s > t) {
                stop = std::min(stop, s);
                break;
            }
        }
        std::int64_t length = std::max<std::int64_t>(30, static_cast<std::int64_t>((stop - t) * style.legato));
        length = std::min(length, end - t);
        char c = starts[i].letter;
        int velocity = Accent(t, style.velocity);
        std::vector<int> keys;
        if (style.voice == PatternVoice::kBass) {
            int root = RootKey(span.chord, style.low);
            int key = root;
            switch (c) {
                case 'O':
                    key = root + 12;
                    break;
                case '5':
                    key = root + 7;
                    break;
                case '3':
                    key = root + (span.chord.tones.size() > 1 ? span.chord.tones[1] : 0);
                    break;
                case '7':
                    key = root + (span.chord.tones.size() > 3 ? span.chord.tones[3] : 12);
                    break;
                case 'A': {
                    const ChordSpan& next = harmony_.Next(t);
                    int target = RootKey(next.chord, style.low);
                    key = target == root ? root + 7 : (target > root ? target - 1 : target + 1);
                    break;
                }
                default:
                    break;
            }
            keys.push_back(key);
        } else if (style.voice == PatternVoice::kPower) {
            int root = RootKey(span.chord, style.low);
            velocity += c == 'x' ? 6 : -10;
            keys = {root, root + 7, root + 12};
        } else {
            if (voicedAt != span.tick || voicing.empty()) {
                voicing = Voicing(span.chord, style.low, style.high, style.voices, voicing);
                voicedAt = span.tick;
            }
            if (style.voice == PatternVoice::kChord) {
                velocity += c == 'x' ? 8 : -8;
                keys = voicing;
            } else {
                int d = c - '0';
                if (d < 0 || d > 9) throw std::invalid_argument("bad arpeggio letter");
                int n = static_cast<int>(voicing.size());
                keys.push_back(voicing[static_cast<std::size_t>(d % n)] + 12 * (d / n));
            }
        }
        for (int k : keys) {
            part(index).Add(t, length, k, velocity);
            std::int64_t at = t + style.echo;
            if (style.echo > 0 && at < end) {
                part(index).Add(at, std::min(length, end - at), k, velocity * style.echoPercent / 100);
            }
        }
    }
}

void Arranger::Hit(int index, std::int64_t tick, int key, int velocity, std::int64_t length) {
    part(index).Add(tick, length, key, std::clamp(velocity, 1, 127));
}

void Arranger::Drums(int index, std::int64_t begin, std::int64_t end, const DrumPattern& pattern, int velocityPercent,
                     Fill fill, bool crashAtStart) {
    const std::int64_t step = BarTicks() / 16;
    auto scaled = [&](int v) { return std::clamp(v * velocityPercent / 100 + rng_.Range(-4, 4), 1, 127); };
    int bar = 0;
    for (std::int64_t b = begin; b < end; b += BarTicks(), ++bar) {
        bool last = b + BarTicks() >= end;
        bool filling = last && fill != Fill::kNone;
        for (const auto& [key, steps] : pattern) {
            std::size_t bars = std::max<std::size_t>(1, steps.size() / 16);
            for (int i = 0; i < 16; ++i) {
                std::size_t at = (static_cast<std::size_t>(bar) % bars) * 16 + static_cast<std::size_t>(i);
                if (at >= steps.size()) continue;
                char c = steps[at];
                int v = c == 'X' ? 127 : c == 'x' ? 105 : c == 'o' ? 85 : c == 'g' ? 50 : 0;
                if (v == 0) continue;
                if (filling) {
                    if (fill == Fill::kBuild && key != drum::kKick) continue;
                    if (fill == Fill::kStop && i > 0) continue;
                    if ((fill == Fill::kSnare || fill == Fill::kToms) && i >= 8 && !(key == drum::kKick && i == 8)) {
                        continue;
                    }
                }
                std::int64_t t = b + i * step;
                if (t < end) Hit(index, t, key, scaled(v), step);
            }
        }
        if (!filling) continue;
        switch (fill) {
            case Fill::kSnare:
                for (int i = 8; i < 16; ++i) Hit(index, b + i * step, drum::kSnare, scaled(60 + (i - 8) * 8), step);
                break;
            case Fill::kToms: {
                static constexpr int kKeys[8] = {drum::kSnare,    drum::kSnare,     drum::kHighTom,   drum::kHighTom,
                                                 drum::kHiMidTom, drum::kLowMidTom, drum::kMidLowTom, drum::kLowTom};
                for (int i = 8; i < 16; ++i) Hit(index, b + i * step, kKeys[i - 8], scaled(88 + (i - 8) * 4), step);
                Hit(index, b + 12 * step, drum::kKick, scaled(100), step);
                break;
            }
            case Fill::kBuild:
                for (int i = 0; i < 16; i += (i < 8 ? 2 : 1)) {
                    Hit(index, b + i * step, drum::kSnare, scaled(50 + i * 5), step);
                }
                break;
            case Fill::kStop:
                Hit(index, b + 14 * step, drum::kSnare, scaled(90), step);
                Hit(index, b + 15 * step, drum::kSnare, scaled(105), step);
                break;
            case Fill::kNone:
                break;
        }
    }
    if (crashAtStart) {
        Hit(index, begin, drum::kCrash, scaled(110), BarTicks() / 2);
        Hit(index, begin, drum::kKick, scaled(110), step);
    }
}

std::int64_t Arranger::Motif(int index, std::int64_t tick, const Line& line, int center, int velocity, double legato,
                             int transpose) {
    const Chord& first = harmony_.At(tick).chord;
    int anchor = center;
    int bestDistance = 1000;
    for (int k = center - 12; k <= center + 12; ++k) {
        if (first.Contains(k) && std::abs(k - center) < bestDistance) {
            bestDistance = std::abs(k - center);
            anchor = k;
        }
    }
    int anchorDegree = key_.NearestDegree(anchor);
    int previous = anchor;
    std::int64_t t = tick;
    for (const LineNote& n : line) {
        if (!n.rest) {
            const Chord& chord = harmony_.At(t).chord;
            int key = n.step == 0 ? anchor : key_.Degree(anchorDegree + n.step);
            key += n.accidental;
            bool strong = n.ticks >= kTicksPerQuarter || (t % kTicksPerQuarter == 0 && n.ticks >= 240);
            bool ninth = Pc(key - chord.root) == 2 && chord.tones.size() >= 3;
            bool clash = chord.Contains(key - 1) && !chord.Contains(key);
            if (!chord.Contains(key) && ((strong && !ninth) || clash)) {
                int up = key;
                int down = key;
                while (!chord.Contains(up)) ++up;
                while (!chord.Contains(down)) --down;
                if (clash) {
                    key = down;
                } else {
                    key = (up - key < key - down || (up - key == key - down && key >= previous)) ? up : down;
                }
            }
            std::int64_t length = std::max<std::int64_t>(60, static_cast<std::int64_t>(n.ticks * legato));
            part(index).Add(t, length, key + transpose, Accent(t, velocity));
            previous = key;
        }
        t += n.ticks;
    }
    return t;
}

std::int64_t Arranger::Theme(int index, std::int64_t tick, const Line& line, int velocity, double legato,
                             int transpose) {
    std::int64_t t = tick;
    for (const LineNote& n : line) {
        if (!n.rest) {
            int key = key_.Degree(n.step) + n.accidental + transpose;
            std::int64_t length = std::max<std::int64_t>(60, static_cast<std::int64_t>(n.ticks * legato));
            part(index).Add(t, length, key, Accent(t, velocity));
        }
        t += n.ticks;
    }
    return t;
}

void Arranger::Hold(int index, std::int64_t tick, std::int64_t length, int key, int velocity) {
    part(index).Add(tick, length, key, velocity);
}

Song Arranger::Finish(std::int64_t loopTick, std::int64_t endTick, double volumeScale) {
    song_.loopTick = loopTick;
    song_.endTick = endTick;
    song_.volumeScale = volumeScale;
    return song_;
}

}  // namespace assetgen::audio

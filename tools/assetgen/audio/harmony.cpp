#include "assetgen/audio/harmony.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace assetgen::audio {

namespace {
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Pc(int key) { return ((key % 12) + 12) % 12; }
}  // namespace

int Key::Degree(int steps) const {
    int octave = FloorDiv(steps, 7);
    int index = steps - octave * 7;
    return tonic + octave * 12 + mode[static_cast<std::size_t>(index)];
}

int Key::NearestDegree(int key) const {
    int best = 0;
    int bestDistance = 1000;
    int approx = FloorDiv((key - tonic) * 7, 12);
    for (int s = approx - 3; s <= approx + 3; ++s) {
        int d = std::abs(Degree(s) - key);
        if (d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best;
}

bool Key::InScale(int key) const {
    int pc = Pc(key - tonic);
    return std::find(mode.begin(), mode.end(), pc) != mode.end();
}

bool Chord::Contains(int key) const {
    int pc = Pc(key - root);
    return std::find(tones.begin(), tones.end(), pc) != tones.end();
}

Chord ParseChord(std::string_view text) {
    Chord c;
    std::size_t i = 0;
    int shift = 0;
    while (i < text.size() && (text[i] == 'b' || text[i] == '#')) shift += text[i++] == 'b' ? -1 : 1;
    static constexpr std::string_view kNumerals[] = {"vii", "vi", "iv", "v", "iii", "ii", "i"};
    static constexpr int kDegrees[] = {6, 5, 3, 4, 2, 1, 0};
    static constexpr int kMajorSteps[] = {0, 2, 4, 5, 7, 9, 11};
    int degree = -1;
    bool minor = false;
    for (int n = 0; n < 7 && degree < 0; ++n) {
        std::string_view numeral = kNumerals[n];
        if (text.size() - i < numeral.size()) continue;
        std::string lower(text.substr(i, numeral.size()));
        bool allLower = true;
        bool allUpper = true;
        for (char& ch : lower) {
            allLower = allLower && ch >= 'a' && ch <= 'z';
            allUpper = allUpper && ch >= 'A' && ch <= 'Z';
            ch = static_cast<char>(ch | 0x20);
        }
        if (lower == numeral && (allLower || allUpper)) {
            degree = kDegrees[n];
            minor = allLower;
            i += numeral.size();
        }
    }
    if (degree < 0) throw std::invalid_argument("bad chord " + std::string(text));
    c.root = ((kMajorSteps[degree] + shift) % 12 + 12) % 12;
    std::string_view q = text.substr(i);
    int third = minor ? 3 : 4;
    if (q.empty()) {
        c.tones = {0, third, 7};
    } else if (q == "7") {
        c.tones = {0, third, 7, 10};
    } else if (q == "maj7") {
        c.tones = {0, third, 7, 11};
    } else if (q == "sus2") {
        c.tones = {0, 2, 7};
    } else if (q == "sus4") {
        c.tones = {0, 5, 7};
    } else if (q == "add9") {
        c.tones = {0, third, 7, 2};
    } else if (q == "o") {
        c.tones = {0, 3, 6};
    } else if (q == "o7") {
        c.tones = {0, 3, 6, 9};
    } else if (q == "+") {
        c.tones = {0, 4, 8};
    } else if (q == "5") {
        c.tones = {0, 7};
    } else {
        throw std::invalid_argument("bad chord quality " + std::string(text));
    }
    return c;
}

std::int64_t Harmony::Lay(std::int64_t tick, std::int64_t endTick, std::string_view progression, std::int64_t barTicks,
                          int tonicKey) {
    std::vector<ChordSpan> cycle;
    std::size_t pos = 0;
    while (pos < progression.size()) {
        while (pos < progression.size() && progression[pos] == ' ') ++pos;
        std::size_t end = progression.find(' ', pos);
        if (end == std::string_view::npos) end = progression.size();
        std::string_view token = progression.substr(pos, end - pos);
        pos = end;
        if (token.empty()) continue;
        std::int64_t length = barTicks;
        std::size_t mark = token.find_first_of("/*");
        if (mark != std::string_view::npos) {
            int n = std::atoi(std::string(token.substr(mark + 1)).c_str());
            length = token[mark] == '/' ? n * (barTicks / 4) : n * barTicks;
            token = token.substr(0, mark);
        }
        Chord chord = ParseChord(token);
        chord.root = Pc(chord.root + tonicKey);
        cycle.push_back({0, length, chord});
    }
    if (cycle.empty()) throw std::invalid_argument("empty progression");
    std::size_t k = 0;
    while (tick < endTick) {
        ChordSpan s = cycle[k++ % cycle.size()];
        s.tick = tick;
        s.length = std::min(s.length, endTick - tick);
        spans_.erase(std::remove_if(spans_.begin(), spans_.end(), [&](const ChordSpan& o) { return o.tick == tick; }),
                     spans_.end());
        spans_.push_back(s);
        tick += s.length;
    }
    std::sort(spans_.begin(), spans_.end(), [](const ChordSpan& a, const ChordSpan& b) { return a.tick < b.tick; });
    return endTick;
}

const ChordSpan& Harmony::At(std::int64_t tick) const {
    if (spans_.empty()) throw std::logic_error("no harmony laid");
    auto it = std::upper_bound(spans_.begin(), spans_.end(), tick,
                               [](std::int64_t t, const ChordSpan& s) { return t < s.tick; });
    if (it == spans_.begin()) return spans_.front();
    return *(it - 1);
}

const ChordSpan& Harmony::Next(std::int64_t tick) const {
    const ChordSpan& now = At(tick);
    auto index = static_cast<std::size_t>(&now - spans_.data());
    return index + 1 < spans_.size() ? spans_[index + 1] : now;
}

std::vector<ChordSpan> Harmony::Within(std::int64_t begin, std::int64_t end) const {
    std::vector<ChordSpan> out;
    for (const ChordSpan& s : spans_) {
        std::int64_t a = std::max(begin, s.tick);
        std::int64_t b = std::min(end, s.tick + s.length);
        if (a < b) out.push_back({a, b - a, s.chord});
    }
    return out;
}

}  // namespace assetgen::audio

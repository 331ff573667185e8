#include "assetgen/audio/melody_line.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace assetgen::audio {

namespace {

int LetterTicks(char c) {
    switch (c) {
        case 's':
            return 120;
        case 'e':
            return 240;
        case 't':
            return 360;
        case 'q':
            return 480;
        case 'd':
            return 720;
        case 'h':
            return 960;
        case 'H':
            return 1440;
        case 'w':
            return 1920;
        default:
            return -1;
    }
}

int LastSounding(const Line& line) {
    for (int i = static_cast<int>(line.size()) - 1; i >= 0; --i) {
        if (!line[static_cast<std::size_t>(i)].rest) return i;
    }
    return -1;
}

}  // namespace

Line ParseLine(std::string_view text) {
    Line line;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' || text[pos] == '|') {
            ++pos;
            continue;
        }
        LineNote n;
        if (text[pos] == 'r') {
            n.rest = true;
            ++pos;
        } else {
            bool negative = text[pos] == '-';
            if (negative) ++pos;
            std::size_t start = pos;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
            if (start == pos) throw std::invalid_argument("bad line token in " + std::string(text));
            n.step = std::atoi(std::string(text.substr(start, pos - start)).c_str()) * (negative ? -1 : 1);
            while (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
                n.accidental += text[pos] == '#' ? 1 : -1;
                ++pos;
            }
        }
        while (pos < text.size() && LetterTicks(text[pos]) > 0) n.ticks += LetterTicks(text[pos++]);
        if (n.ticks == 0) throw std::invalid_argument("line token without duration in " + std::string(text));
        line.push_back(n);
    }
    return line;
}

std::int64_t LineTicks(const Line& line) {
    std::int64_t total = 0;
    for (const LineNote& n : line) total += n.ticks;
    return total;
}

Line Shifted(Line line, int steps) {
    for (LineNote& n : line) n.step += steps;
    return line;
}

Line Inverted(Line line) {
    if (line.empty()) return line;
    int pivot = line.front().step;
    for (LineNote& n : line) n.step = 2 * pivot - n.step;
    return line;
}

Line EndingOn(Line line, int step) {
    int last = LastSounding(line);
    if (last >= 0) {
        line[static_cast<std::size_t>(last)].step = step;
        line[static_cast<std::size_t>(last)].accidental = 0;
    }
    return line;
}

Line Ornamented(Line line, Rng& rng, double amount) {
    int last = LastSounding(line);
    Line out;
    for (int i = 0; i < static_cast<int>(line.size()); ++i) {
        LineNote n = line[static_cast<std::size_t>(i)];
        bool inner = i > 0 && i < last && !n.rest;
        if (inner && rng.Chance(amount)) n.step += rng.Chance(0.5) ? 1 : -1;
        if (inner && n.ticks >= 480 && n.ticks % 240 == 0 && rng.Chance(amount)) {
            LineNote a = n;
            LineNote b = n;
            a.ticks = n.ticks - 240;
            b.ticks = 240;
            b.step = n.step + (rng.Chance(0.5) ? 1 : -1);
            out.push_back(a);
            out.push_back(b);
            continue;
        }
        out.push_back(n);
    }
    return out;
}

Line Augmented(Line line) {
    for (LineNote& n : line) n.ticks *= 2;
    return line;
}

Line Joined(Line a, const Line& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace assetgen::audio

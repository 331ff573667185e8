#include "core/settings.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "platform/core/atomic_file.h"
#include "platform/core/game_path.h"

namespace {

constexpr std::array<std::string_view, 5> kSettingNames = {"music", "effects", "fullscreen", "window", "vsync"};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // an editor's

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The next blank-separated word of `s`, taken off its front.
std::string_view NextWord(std::string_view* s) {
    std::size_t i = 0;
    while (i < s->size() && IsBlank((*s)[i])) ++i;
    std::size_t end = i;
    while (end < s->size() && !IsBlank((*s)[end])) ++end;
    const std::string_view word = s->substr(i, end - i);
    s->remove_prefix(end);
    return word;
}

// Plain decimal digits within [low, high]; no sign, and no more digits than a setting can need.
bool Number(std::string_view word, int low, int high, int* out) {
    if (word.empty() || word.size() > 5) return false;
    int value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return false;
    *out = value;
    return true;
}

bool OnOff(std::string_view word, bool* out) {
    if (word == "on") {
        *out = true;
        return true;
    }
    if (word == "off") {
        *out = false;
        return true;
    }
    return false;
}

// One line's setting into `s`; false (and `s` untouched) when the line is not understood.
bool ReadLine(std::string_view line, Settings* s) {
    const std::string_view name = NextWord(&line);
    const std::string_view first = NextWord(&line);
    const std::string_view second = NextWord(&line);
    if (!Trim(line).empty()) return false;
    if (name == "window") {
        int width = 0, height = 0;
        if (!Number(first, kSettingsWindowMinWidth, kSettingsWindowMax, &width) ||
            !Number(second, kSettingsWindowMinHeight, kSettingsWindowMax, &height))
            return false;
        s->windowWidth = width;
        s->windowHeight = height;
        return true;
    }
    if (!second.empty()) return false;
    if (name == "music") return Number(first, 0, kSettingsVolumeMax, &s->musicVolume);
    if (name == "effects") return Number(first, 0, kSettingsVolumeMax, &s->effectsVolume);
    if (name == "fullscreen") return OnOff(first, &s->fullScreen);
    if (name == "vsync") return OnOff(first, &s->vsync);
    return false;
}

}  // namespace

SettingsReading ParseSettings(std::string_view text) {
    SettingsReading reading;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        if (!ReadLine(line, &reading.settings)) {
            if (reading.badLines++ == 0) reading.firstBadLine = number;
        }
    }
    return reading;
}

std::string FormatSettings(const Settings& s) { return FormatSettings(s, {}); }

std::string FormatSettings(const Settings& s, std::string_view previous) {
    std::string lines[kSettingNames.size()];
    lines[0] = "music " + std::to_string(s.musicVolume);
    lines[1] = "effects " + std::to_string(s.effectsVolume);
    lines[2] = std::string("fullscreen ") + (s.fullScreen ? "on" : "off");
    if (s.windowWidth > 0 && s.windowHeight > 0)
        lines[3] = "window " + std::to_string(s.windowWidth) + " " + std::to_string(s.windowHeight);
    lines[4] = std::string("vsync ") + (s.vsync ? "on" : "off");
    bool placed[kSettingNames.size()] = {};
    std::string text;
    if (previous.starts_with(kByteOrderMark)) {
        text += kByteOrderMark;
        previous.remove_prefix(kByteOrderMark.size());
    }
    // The player's notes and whatever this version does not know stay where they were; a setting takes
    // the place of its first line, and a second line of the same name would only contradict it.
    while (!previous.empty()) {
        const std::size_t end = previous.find('\n');
        const std::string_view line = previous.substr(0, end);
        previous.remove_prefix(end == std::string_view::npos ? previous.size() : end + 1);
        std::string_view words = Trim(line);
        const auto known = std::find(kSettingNames.begin(), kSettingNames.end(), NextWord(&words));
        if (Trim(line).starts_with('#') || known == kSettingNames.end()) {
            text.append(line).append("\n");
            continue;
        }
        const std::size_t i = static_cast<std::size_t>(known - kSettingNames.begin());
        if (!placed[i] && !lines[i].empty()) text += lines[i] + "\n";
        placed[i] = true;
    }
    for (std::size_t i = 0; i < kSettingNames.size(); ++i) {
        if (!placed[i] && !lines[i].empty()) text += lines[i] + "\n";
    }
    return text;
}

Settings ReadSettingsFile(std::string* note) {
    if (note) note->clear();
    const std::string path = platform::ResolveGamePath(kSettingsFile);
    // A save that a power cut or a kill stopped half way left its temporary file behind.
    platform::RemoveLeftoverTemporaries(path);
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        if (note) *note = std::string(kSettingsFile) + " is not there yet: the default settings are used";
        return Settings{};
    }
    std::string text;
    if (!platform::ReadWholeFile(path, &text)) {
        if (note) *note = std::string(kSettingsFile) + " cannot be read: the default settings are used";
        return Settings{};
    }
    if (text.empty()) {
        if (note) *note = std::string(kSettingsFile) + " is empty: the default settings are used";
        return Settings{};
    }
    const SettingsReading reading = ParseSettings(text);
    if (reading.badLines > 0 && note) {
        *note = std::string(kSettingsFile) + ": " + std::to_string(reading.badLines) +
                (reading.badLines == 1 ? " line" : " lines") + " not understood, from line " +
                std::to_string(reading.firstBadLine) + ": the defaults are used for what they would set";
    }
    return reading.settings;
}

bool WriteSettingsFile(const Settings& settings) {
    const std::string path = platform::ResolveGamePath(kSettingsFile);
    std::string previous;
    if (!platform::ReadWholeFile(path, &previous)) previous.clear();
    return platform::ReplaceFileAtomically(path, FormatSettings(settings, previous));
}

WindowStart ChooseWindowStart(const Settings& settings, bool commandWindow, bool commandFullScreen, int pictureWidth,
                              int pictureHeight) {
    WindowStart start;
    start.fullScreen = commandFullScreen || (!commandWindow && settings.fullScreen);
    start.windowWidth = settings.windowWidth;
    start.windowHeight = settings.windowHeight;
    if (commandWindow && (start.windowWidth <= 0 || start.windowHeight <= 0)) {
        start.windowWidth = pictureWidth;
        start.windowHeight = pictureHeight;
    }
    return start;
}

Settings SettingsToKeep(Settings read, const SettingsState& atStart, const SettingsState& atEnd) {
    if (atEnd.musicVolume != atStart.musicVolume) read.musicVolume = atEnd.musicVolume;
    if (atEnd.effectsVolume != atStart.effectsVolume) read.effectsVolume = atEnd.effectsVolume;
    if (atEnd.fullScreen != atStart.fullScreen) read.fullScreen = atEnd.fullScreen;
    if (atEnd.windowWidth != atStart.windowWidth || atEnd.windowHeight != atStart.windowHeight) {
        read.windowWidth = std::clamp(atEnd.windowWidth, kSettingsWindowMinWidth, kSettingsWindowMax);
        read.windowHeight = std::clamp(atEnd.windowHeight, kSettingsWindowMinHeight, kSettingsWindowMax);
    }
    return read;
}

#include "core/settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/core/atomic_file.h"
#include "platform/core/game_path.h"

namespace {

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
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // an editor's byte-order mark
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

std::string FormatSettings(const Settings& s) {
    std::string text;
    text += "music " + std::to_string(s.musicVolume) + "\n";
    text += "effects " + std::to_string(s.effectsVolume) + "\n";
    text += std::string("fullscreen ") + (s.fullScreen ? "on" : "off") + "\n";
    if (s.windowWidth > 0 && s.windowHeight > 0)
        text += "window " + std::to_string(s.windowWidth) + " " + std::to_string(s.windowHeight) + "\n";
    text += std::string("vsync ") + (s.vsync ? "on" : "off") + "\n";
    return text;
}

Settings ReadSettingsFile(std::string* note) {
    if (note) note->clear();
    const std::string path = platform::ResolveGamePath(kSettingsFile);
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
    return platform::ReplaceFileAtomically(platform::ResolveGamePath(kSettingsFile), FormatSettings(settings));
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

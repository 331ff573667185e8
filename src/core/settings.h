#pragma once
// The player's settings, kept in "Settings.txt" beside "KeyConfig.txt": the music and effects volumes,
// full screen or a window, the window's size, and whether frames wait for the display's refresh. One
// setting a line, a name and its value:
//
//   music 10
//   effects 7
//   fullscreen off
//   window 1600 1200
//   vsync on
//
// The file comes from outside: a line that is not understood (an unknown name, a value out of range, a
// number too long, bytes of any kind) leaves that setting at its default, and lines starting with '#'
// are notes. A missing window line means no size was saved.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kSettingsFile[] = "Settings.txt";
inline constexpr int kSettingsVolumeMax = 10;
// Half the picture at the least (as small as the window may be made), and no more than any display.
inline constexpr int kSettingsWindowMinWidth = 400;
inline constexpr int kSettingsWindowMinHeight = 300;
inline constexpr int kSettingsWindowMax = 16384;

struct Settings {
    int musicVolume = kSettingsVolumeMax;
    int effectsVolume = kSettingsVolumeMax;
    bool fullScreen = true;
    int windowWidth = 0;  // 0 x 0: none saved
    int windowHeight = 0;
    bool vsync = true;
    bool operator==(const Settings&) const = default;
};

struct SettingsReading {
    Settings settings;
    int badLines = 0;
    int firstBadLine = 0;  // counted from 1; 0 when every line was understood
};

SettingsReading ParseSettings(std::string_view text);
// Every setting, one a line; read back it gives the same settings.
std::string FormatSettings(const Settings& settings);
// The same written over the file's previous text: its notes, blank lines and lines of names it does
// not know are kept in their places, each setting takes the place of its first line, and a setting
// without a line goes at the end.
std::string FormatSettings(const Settings& settings, std::string_view previous);

// The file in the working directory (the player's folder). Never fails: a file that is missing, cannot
// be read or holds lines not understood gives the defaults for what it lacks, and `note` a sentence
// for the log saying so (empty when the file was read whole). It first removes the temporary files
// that a cut-off save left beside it.
Settings ReadSettingsFile(std::string* note);
// Replaces the file as one whole, as the high score is, keeping what FormatSettings keeps of the
// previous file; false when it failed and the old file stays.
bool WriteSettingsFile(const Settings& settings);

// What the command line asked for the window, over the settings for this run.
struct WindowStart {
    bool fullScreen = true;
    int windowWidth = 0;  // 0 x 0: the largest whole multiple of the picture that fits the desktop
    int windowHeight = 0;
    bool operator==(const WindowStart&) const = default;
};
// "--window" gives a window of the picture's own size unless a size was saved; "--fullscreen" full
// screen; neither, what the settings say.
WindowStart ChooseWindowStart(const Settings& settings, bool commandWindow, bool commandFullScreen, int pictureWidth,
                              int pictureHeight);

// What the player can change while playing, at the start of a run and at its end.
struct SettingsState {
    int musicVolume = kSettingsVolumeMax;
    int effectsVolume = kSettingsVolumeMax;
    bool fullScreen = true;
    int windowWidth = 0;
    int windowHeight = 0;
};
// The settings to save after a run: what the player changed during it, over what was read. A choice
// the command line made for the run alone is no change, and is not kept.
Settings SettingsToKeep(Settings read, const SettingsState& atStart, const SettingsState& atEnd);

#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "support/temp_dir.h"

namespace {

TEST(Settings, EverySettingIsReadAndWritingReadsBackTheSame) {
    const SettingsReading r = ParseSettings("\xEF\xBB\xBF# mine\r\nmusic 3\r\n\r\n  effects\t0  \nfullscreen off\n"
                                            "window 1600 1200\nvsync off");
    EXPECT_EQ(r.badLines, 0);
    const Settings expected{3, 0, false, 1600, 1200, false};
    EXPECT_EQ(r.settings, expected);
    EXPECT_EQ(ParseSettings(FormatSettings(expected)).settings, expected);
    const SettingsReading defaults = ParseSettings(FormatSettings(Settings{}));
    EXPECT_EQ(defaults.badLines, 0);
    EXPECT_EQ(defaults.settings, Settings{});
}

TEST(Settings, LinesNotUnderstoodLeaveTheirSettingAtItsDefaultAndAreCounted) {
    using namespace std::string_literals;
    for (const std::string& bad :
         {"music 11"s, "music -1"s, "music +5"s, "music 0000000000007"s, "music 99999999999999999999"s, "music"s,
          "music 5 5"s, "Music 5"s, "effects 5x"s, "fullscreen yes"s, "fullscreen"s, "window 1600"s,
          "window 200 150"s, "window 99999 1200"s, "window 1600 1200 2"s, "window -800 600"s, "vsync 1"s,
          "volume 5"s, "music=5"s, "music \0 5"s}) {
        SCOPED_TRACE(bad);
        const SettingsReading r = ParseSettings(bad + "\nmusic 4\nvsync off\n");
        EXPECT_EQ(r.badLines, 1);
        EXPECT_EQ(r.firstBadLine, 1);
        Settings expected;
        expected.musicVolume = 4;
        expected.vsync = false;
        EXPECT_EQ(r.settings, expected);
    }
    // Random bytes: whatever they say, every setting is in range.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 300), '\0');
        for (char& c : bytes) c = static_cast<char>(round % 2 ? "mw10 \n"[random() % 6] : random());
        const Settings s = ParseSettings(bytes).settings;
        EXPECT_TRUE(s.musicVolume >= 0 && s.musicVolume <= kSettingsVolumeMax);
        EXPECT_TRUE(s.windowWidth == 0 || (s.windowWidth >= kSettingsWindowMinWidth && s.windowWidth <= kSettingsWindowMax));
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    Settings Read() { return ReadSettingsFile(&note_); }

    TempWorkDir dir_;
    std::string note_;
};

TEST_F(SettingsFileTest, AMissingEmptyUnreadableOrHostileFileGivesTheDefaultsAndANote) {
    EXPECT_EQ(Read(), Settings{});
    EXPECT_NE(note_.find("not there"), std::string::npos) << note_;
    dir_.WriteFile(kSettingsFile, "");
    EXPECT_EQ(Read(), Settings{});
    EXPECT_NE(note_.find("empty"), std::string::npos) << note_;
    dir_.WriteFile(kSettingsFile, "music 999999\n\x01\xFF\xFE garbage\nwindow 4 3\n");
    EXPECT_EQ(Read(), Settings{});
    EXPECT_NE(note_.find("3 lines not understood, from line 1"), std::string::npos) << note_;
    std::filesystem::remove(dir_.Path() / kSettingsFile);
    std::filesystem::create_directory(dir_.Path() / kSettingsFile);
    EXPECT_EQ(Read(), Settings{});
    EXPECT_NE(note_.find("cannot be read"), std::string::npos) << note_;
    EXPECT_FALSE(WriteSettingsFile(Settings{}));
}

TEST_F(SettingsFileTest, WrittenSettingsAreReadAtTheNextStartWithoutANote) {
    const Settings mine{7, 2, false, 1024, 768, false};
    ASSERT_TRUE(WriteSettingsFile(mine));
    EXPECT_EQ(Read(), mine);
    EXPECT_EQ(note_, "");
}

TEST(Settings, TheCommandLineChoosesTheWindowForTheRunOverTheFile) {
    Settings saved;
    const WindowStart plain = ChooseWindowStart(saved, false, false, 800, 600);
    EXPECT_TRUE(plain.fullScreen);
    EXPECT_EQ(plain.windowWidth, 0) << "no size saved: the largest that fits";
    const WindowStart window = ChooseWindowStart(saved, true, false, 800, 600);
    EXPECT_FALSE(window.fullScreen);
    EXPECT_EQ(window.windowWidth, 800);
    EXPECT_EQ(window.windowHeight, 600);

    saved.fullScreen = false;
    saved.windowWidth = 1200;
    saved.windowHeight = 900;
    EXPECT_FALSE(ChooseWindowStart(saved, false, false, 800, 600).fullScreen);
    EXPECT_TRUE(ChooseWindowStart(saved, false, true, 800, 600).fullScreen);
    const WindowStart sized = ChooseWindowStart(saved, true, false, 800, 600);
    EXPECT_EQ(sized.windowWidth, 1200) << "with --window a saved size is used";
    EXPECT_EQ(sized.windowHeight, 900);
}

TEST(Settings, OnlyWhatThePlayerChangedDuringTheRunIsKept) {
    const Settings read{6, 6, true, 0, 0, false};
    // --window made this run windowed at 800 x 600; the player only turned the music down.
    const SettingsState start{6, 6, false, 800, 600};
    SettingsState end = start;
    EXPECT_EQ(SettingsToKeep(read, start, end), read);
    end.musicVolume = 2;
    const Settings music = SettingsToKeep(read, start, end);
    EXPECT_EQ(music.musicVolume, 2);
    EXPECT_TRUE(music.fullScreen);
    EXPECT_EQ(music.windowWidth, 0);
    // F11 and a resized window are kept; a size the parser would refuse is brought into its range.
    const SettingsState plainStart{6, 6, true, 1600, 1200};
    SettingsState toggled = plainStart;
    toggled.fullScreen = false;
    toggled.windowWidth = 100000;
    toggled.windowHeight = 1000;
    const Settings changed = SettingsToKeep(read, plainStart, toggled);
    EXPECT_FALSE(changed.fullScreen);
    EXPECT_EQ(changed.windowWidth, kSettingsWindowMax);
    EXPECT_EQ(changed.windowHeight, 1000);
    EXPECT_EQ(ParseSettings(FormatSettings(changed)).settings, changed);
}

}  // namespace

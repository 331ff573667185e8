#include "core/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace {

using namespace std::string_view_literals;

TEST(Settings, EverySettingIsReadAndWritingReadsBackTheSame) {
    const SettingsReading r = ParseSettings(
        "\xEF\xBB\xBF# mine\r\nmusic 3\r\n\r\n  effects\t0  \nfullscreen off\n"
        "window 1600 1200\nvsync off");
    EXPECT_EQ(r.badLines, 0);
    EXPECT_EQ(r.settings, (Settings{3, 0, false, 1600, 1200, false}));
    for (const Settings& s : {r.settings, Settings{}}) EXPECT_EQ(ParseSettings(FormatSettings(s)).settings, s);
}

TEST(Settings, LinesNotUnderstoodLeaveTheirSettingAtItsDefaultAndAreCounted) {
    // Every one of the first twenty lines is refused; the two after them are taken.
    const SettingsReading r = ParseSettings(
        "music 11\nmusic -1\nmusic +5\nmusic 0000000000007\nmusic 99999999999999999999\nmusic\nmusic 5 5\n"
        "Music 5\neffects 5x\nfullscreen yes\nfullscreen\nwindow 1600\nwindow 200 150\nwindow 99999 1200\n"
        "window 1600 1200 2\nwindow -800 600\nvsync 1\nvolume 5\nmusic=5\nmusic \0 5\nmusic 4\nvsync off\n"sv);
    EXPECT_EQ(r.badLines, 20);
    EXPECT_EQ(r.firstBadLine, 1);
    EXPECT_EQ(r.settings, (Settings{4, kSettingsVolumeMax, true, 0, 0, false}));
}

TEST(Settings, AMissingEmptyUnreadableOrHostileFileGivesTheDefaultsAndANoteAndAWrittenOneNone) {
    TempWorkDir dir;
    std::string note;
    auto expectDefaults = [&](const char* says) {
        EXPECT_EQ(ReadSettingsFile(&note), Settings{});
        EXPECT_NE(note.find(says), std::string::npos) << note;
    };
    expectDefaults("not there");
    dir.WriteFile(kSettingsFile, "");
    expectDefaults("empty");
    dir.WriteFile(kSettingsFile, "music 999999\n\x01\xFF\xFE garbage\nwindow 4 3\n");
    expectDefaults("3 lines not understood, from line 1");
    const Settings mine{7, 2, false, 1024, 768, false};
    ASSERT_TRUE(WriteSettingsFile(mine));
    EXPECT_EQ(ReadSettingsFile(&note), mine);
    // The line it cannot read is the player's to mend: kept, and still told of.
    EXPECT_NE(note.find("1 line not understood, from line 2"), std::string::npos) << note;
    std::filesystem::remove(dir.Path() / kSettingsFile);
    std::filesystem::create_directory(dir.Path() / kSettingsFile);
    expectDefaults("cannot be read");
    EXPECT_FALSE(WriteSettingsFile(Settings{}));
}

TEST(Settings, ARewriteKeepsThePlayersNotesAndUnknownLinesInPlaceAndStartRemovesACutOffSave) {
    TempWorkDir dir;
    dir.WriteFile(".Settings.txt.tmp-a1B2c3", "music 0\n");
    dir.WriteFile(kSettingsFile, "# quiet at night\r\nmusic 3\r\nturbo on\n\n  # the old size\nwindow 1600 1200\nmusic 9\n");
    std::string note;
    EXPECT_EQ(ReadSettingsFile(&note).musicVolume, 9);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / ".Settings.txt.tmp-a1B2c3"));
    ASSERT_TRUE(WriteSettingsFile(Settings{5, 4, false, 0, 0, true}));
    EXPECT_EQ(dir.ReadFile(kSettingsFile),
              "# quiet at night\r\nmusic 5\nturbo on\n\n  # the old size\neffects 4\nfullscreen off\nvsync on\n");
}

TEST(Settings, TheCommandLineChoosesForTheRunAndOnlyWhatThePlayerChangedIsKept) {
    const Settings none;  // full screen, no size saved: a window is the largest that fits
    EXPECT_EQ(ChooseWindowStart(none, false, false, 800, 600), (WindowStart{true, 0, 0}));
    EXPECT_EQ(ChooseWindowStart(none, true, false, 800, 600), (WindowStart{false, 800, 600}));
    const Settings sized{10, 10, false, 1200, 900, true};
    EXPECT_EQ(ChooseWindowStart(sized, true, false, 800, 600), (WindowStart{false, 1200, 900}));
    EXPECT_EQ(ChooseWindowStart(sized, false, true, 800, 600), (WindowStart{true, 1200, 900}));

    // --window made this run windowed at 800 x 600 over the file's full screen: that is not kept, a
    // volume turned down is.
    const Settings read{6, 6, true, 0, 0, false};
    const SettingsState windowed{6, 6, false, 800, 600};
    EXPECT_EQ(SettingsToKeep(read, windowed, {2, 6, false, 800, 600}), (Settings{2, 6, true, 0, 0, false}));
    // F11 and a resized window are kept; a size the parser would refuse is brought into its range.
    const Settings changed = SettingsToKeep(read, {6, 6, true, 1600, 1200}, {6, 6, false, 100000, 1000});
    EXPECT_EQ(changed, (Settings{6, 6, false, kSettingsWindowMax, 1000, false}));
    EXPECT_EQ(ParseSettings(FormatSettings(changed)).settings, changed);
}

}  // namespace

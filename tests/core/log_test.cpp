#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/log.h"
#include "support/temp_dir.h"

TEST(Log, WritesTheStartUpLineInCodePage932) {
    TempWorkDir dir;
    LogSetFile("Log.txt");
    LogOpen();
    LogWrite("＞起動ログ\n");
    LogClose();
    // ＞ 起 動 ロ グ in Shift-JIS, then the line end.
    const std::string expected = "\x81\x84\x8b\x4e\x93\xae\x83\x8d\x83\x4f\n";
    EXPECT_EQ(dir.ReadFile("Log.txt"), expected);
}

TEST(Log, WritesBeforeOpenAndAfterCloseDoNothing) {
    TempWorkDir dir;
    LogSetFile("Log.txt");
    LogWrite("too early %d\n", 1);
    LogOpen();
    LogWrite("kept %d\n", 2);
    LogClose();
    LogWrite("too late\n");
    EXPECT_EQ(dir.ReadFile("Log.txt"), "kept 2\n");
    EXPECT_FALSE(LogIsOpen());
}

TEST(Log, SetFileDeletesTheOldLogEvenWhenNothingIsWritten) {
    TempWorkDir dir;
    dir.WriteFile("Log.txt", "left from an earlier run");
    LogSetFile("Log.txt");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Log.txt"));
}

TEST(Log, RefusesANameThatDoesNotFitAndStaysClosed) {
    TempWorkDir dir;
    dir.WriteFile("keep.txt", "x");
    std::string longName(300, 'a');
    LogSetFile(longName.c_str());
    LogOpen();
    EXPECT_FALSE(LogIsOpen());
    LogWrite("nothing\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / longName.substr(0, 255)));
    std::string justFits(255, 'b');
    LogSetFile(justFits.c_str());
    LogOpen();
    EXPECT_TRUE(LogIsOpen());
    LogClose();
}

TEST(Log, TwoThreadsNeverInterleaveWithinOneWrite) {
    TempWorkDir dir;
    LogSetFile("Log.txt");
    LogOpen();
    const std::string a(200, 'A'), b(200, 'B');
    auto writer = [](const std::string& line) {
        for (int i = 0; i < 300; ++i) LogWrite("%s\n", line.c_str());
    };
    std::thread t1(writer, a), t2(writer, b);
    t1.join();
    t2.join();
    LogClose();
    std::string all = dir.ReadFile("Log.txt");
    std::size_t lines = 0, pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        ASSERT_NE(end, std::string::npos);
        std::string line = all.substr(pos, end - pos);
        EXPECT_TRUE(line == a || line == b) << "a line mixed two writes";
        pos = end + 1;
        ++lines;
    }
    EXPECT_EQ(lines, 600u);
}

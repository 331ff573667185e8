#include <gtest/gtest.h>

#include "platform/core/game_path.h"
#include "platform/core/text_encoding.h"
#include "support/temp_dir.h"

TEST(GamePath, TurnsBackslashesIntoFoldersAndFallsBackToAnyCase) {
    TempWorkDir dir;
    dir.WriteFile("x/enemy04.x", "mesh");
    dir.WriteFile("t/stage 1.png", "png");
    EXPECT_EQ(platform::ResolveGamePath("x\\Enemy04.x"), "x/enemy04.x");
    EXPECT_EQ(platform::ResolveGamePath("t\\stage 1.png"), "t/stage 1.png");
    EXPECT_EQ(platform::ResolveGamePath("t\\missing.png"), "t/missing.png");
    EXPECT_EQ(platform::ResolveGamePath("q\\nowhere.png"), "q/nowhere.png");
}

TEST(GamePath, ShortNameIsTheStemTheFailureMessagesUse) {
    EXPECT_EQ(platform::ShortName("t\\osleft.png"), "osleft");
    EXPECT_EQ(platform::ShortName("t\\stage 1.png"), "stage 1");
    EXPECT_EQ(platform::ShortName("x\\plu2c.x"), "plu2c");
}

TEST(TextEncoding, RoundTripsJapaneseThroughCodePage932) {
    const std::string utf8 = "読み込めません";
    std::string sjis = platform::Utf8ToCp932(utf8);
    EXPECT_EQ(sjis, "\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1");
    EXPECT_EQ(platform::Cp932ToUtf8(sjis), utf8);
    EXPECT_EQ(platform::Utf8ToCp932("plain ascii\n"), "plain ascii\n");
}

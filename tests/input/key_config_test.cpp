#include "input/key_config.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t U = kButtonUnmapped;

TEST(KeyConfigParse, SeparatorsOfOneCharacterEach) {
    EXPECT_EQ(ParseKeyConfig("0,1,2\n"), (KeyConfig{0, 1, 2}));
    EXPECT_EQ(ParseKeyConfig("3 7 9 "), (KeyConfig{3, 7, 9}));
    EXPECT_EQ(ParseKeyConfig("3\r\n7\r\n9\r\n"), (KeyConfig{3, 7, 9}));
    EXPECT_EQ(ParseKeyConfig("3\n7\n9\n"), (KeyConfig{3, 7, 9}));
    EXPECT_EQ(ParseKeyConfig("3;7x9."), (KeyConfig{3, 7, 9}));
    EXPECT_EQ(ParseKeyConfig("\t 12,\n 31, 0"), (KeyConfig{12, 31, 0}));  // white space before a number is skipped
    EXPECT_EQ(ParseKeyConfig("+4,-0,07\n"), (KeyConfig{4, 0, 7}));
}

TEST(KeyConfigParse, TheLastSeparatorMayBeMissing) {
    EXPECT_EQ(ParseKeyConfig("1,2,3"), (KeyConfig{1, 2, 3}));
    EXPECT_EQ(ParseKeyConfig("1,2,3,4,5"), (KeyConfig{1, 2, 3}));
}

TEST(KeyConfigParse, WhereTheFormatStopsTheRestStaysUnmapped) {
    EXPECT_EQ(ParseKeyConfig(""), (KeyConfig{U, U, U}));
    EXPECT_EQ(ParseKeyConfig("\n"), (KeyConfig{U, U, U}));
    EXPECT_EQ(ParseKeyConfig("a,1,2"), (KeyConfig{U, U, U}));
    EXPECT_EQ(ParseKeyConfig("5"), (KeyConfig{5, U, U}));
    EXPECT_EQ(ParseKeyConfig("5,"), (KeyConfig{5, U, U}));
    // Two separators: the second is where a number should be.
    EXPECT_EQ(ParseKeyConfig("3,,9\n"), (KeyConfig{3, U, U}));
    EXPECT_EQ(ParseKeyConfig("3, ,9\n"), (KeyConfig{3, U, U}));
    EXPECT_EQ(ParseKeyConfig("3, 9, 1\n"), (KeyConfig{3, 9, 1}));  // a blank before a number is skipped
    EXPECT_EQ(ParseKeyConfig("1,-,2"), (KeyConfig{1, U, U}));
    // A separator may be a digit: "12" is one number, "1x2" two.
    EXPECT_EQ(ParseKeyConfig("1x2y3"), (KeyConfig{1, 2, 3}));
    EXPECT_EQ(ParseKeyConfig("0x5,6"), (KeyConfig{0, 5, 6}));
}

TEST(KeyConfigParse, NumbersOutOfRangeAreKeptOutOfRange) {
    EXPECT_EQ(ParseKeyConfig("32,-1,99\n"), (KeyConfig{32, -1, 99}));
    // Too large for 32 bits: saturated, never wrapped onto a real button (4294967296 would wrap to 0).
    const KeyConfig big = ParseKeyConfig("4294967296,-4294967297,99999999999999999999\n");
    EXPECT_EQ(big[0], 2147483647);
    EXPECT_EQ(big[1], -2147483647 - 1);
    EXPECT_EQ(big[2], 2147483647);
}

}  // namespace

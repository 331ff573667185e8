// Every picture the game loads is in t\ under its exact name, decodes through the game's own loader
// and has the power-of-two size its source rectangles were drawn for, so nothing gets stretched.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "assets/pictures_support.h"

namespace {

using picture_tests::Expected;
using picture_tests::ExpectedPictures;

TEST(PictureFiles, EveryPictureLoadsUnderItsExactNameAtItsOwnPowerOfTwoSize) {
    for (const Expected& e : ExpectedPictures()) {
        SCOPED_TRACE(e.name);
        // The loader would forgive a wrong case; the file must not need it.
        ASSERT_TRUE(std::filesystem::is_regular_file(picture_tests::PicturePath(e.name)));
        const auto raw = picture_tests::LoadRaw(e.name);
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->width, e.width);
        EXPECT_EQ(raw->height, e.height);
        const auto texture = picture_tests::LoadAsTexture(e.name, e.key);
        ASSERT_TRUE(texture);
        EXPECT_EQ(texture->width, e.width) << "the loader stretched it";
        EXPECT_EQ(texture->height, e.height) << "the loader stretched it";
        EXPECT_GT(picture_tests::CountVisible(*texture, {0, 0, e.width, e.height}), 0) << "nothing left to see";
    }
}

TEST(PictureFiles, TheFolderHoldsThePicturesAndNothingElse) {
    std::set<std::string> expected;
    for (const Expected& e : ExpectedPictures()) expected.insert(std::string(e.name) + ".png");
    // The 83 the game names, "bmagic", named by its failure text, and the pause panel's 9.
    EXPECT_EQ(expected.size(), 93u);
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KORVEX_DATA_DIR) / "t")) {
        found.insert(entry.path().filename().string());
    }
    EXPECT_EQ(found, expected);
}

}  // namespace

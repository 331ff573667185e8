// The files the build wrote are encoded for the loader's speed; what the game decodes from them must be,
// pixel for pixel, what the plain encoding of the same drawing decodes to.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/catalogue.h"
#include "assets/pictures_support.h"
#include "platform/gfx/image.h"

namespace {

namespace pictures = assetgen::pictures;

struct Outcome {
    bool decoded = false;
    int width = 0, height = 0;
    std::size_t differing = 0;
};

Outcome Compare(const pictures::Picture& picture) {
    Outcome outcome;
    pictures::Canvas canvas = picture.draw();
    pictures::ApplyKeyRules(canvas, picture.key);
    const std::vector<std::uint8_t> plain = pictures::EncodePng(canvas);
    platform::Image want, got;
    outcome.decoded = platform::DecodePng(plain.data(), plain.size(), &want) &&
                      platform::LoadPng(picture_tests::PicturePath(picture.name), &got);
    if (!outcome.decoded) return outcome;
    outcome.width = got.width;
    outcome.height = got.height;
    if (want.width != got.width || want.height != got.height) {
        outcome.differing = want.argb.size();
        return outcome;
    }
    for (std::size_t i = 0; i < want.argb.size(); ++i) outcome.differing += want.argb[i] != got.argb[i];
    return outcome;
}

TEST(PictureEncoding, EveryGeneratedFileDecodesToThePlainEncodingsPixels) {
    const std::vector<pictures::Picture> catalogue = pictures::Catalogue();
    std::vector<Outcome> outcomes(catalogue.size());
    // Each picture draws on its own surface with its own seeds, so two threads halve the wait.
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < catalogue.size(); i = next++) outcomes[i] = Compare(catalogue[i]);
    };
    std::thread helper(worker);
    worker();
    helper.join();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        SCOPED_TRACE(catalogue[i].name);
        ASSERT_TRUE(outcomes[i].decoded);
        EXPECT_EQ(catalogue[i].width, outcomes[i].width);
        EXPECT_EQ(catalogue[i].height, outcomes[i].height);
        EXPECT_EQ(0u, outcomes[i].differing) << "pixels differ";
    }
    EXPECT_EQ(93u, catalogue.size());
}

}  // namespace

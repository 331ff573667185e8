// PNG pictures through the CPU side of the texture loader: decoding, the colour key, the scaling to
// powers of two and the mip chain.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "platform/gfx/image.h"

using platform::Image;

namespace {

bool WellFormed(const Image& image) {
    return image.width > 0 && image.height > 0 &&
           image.argb.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

// Per channel, the smallest and largest value of any pixel.
struct ChannelRange {
    std::uint32_t low[4] = {255, 255, 255, 255};
    std::uint32_t high[4] = {0, 0, 0, 0};
};

ChannelRange RangeOf(const Image& image) {
    ChannelRange r;
    for (const std::uint32_t p : image.argb) {
        for (int c = 0; c < 4; ++c) {
            const std::uint32_t v = (p >> (8 * c)) & 0xFF;
            r.low[c] = std::min(r.low[c], v);
            r.high[c] = std::max(r.high[c], v);
        }
    }
    return r;
}

// Both filters only average: no channel of the result leaves the range it had in the source.
bool Within(const ChannelRange& outer, const ChannelRange& inner) {
    for (int c = 0; c < 4; ++c) {
        if (inner.low[c] < outer.low[c] || inner.high[c] > outer.high[c]) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Image image;
    if (!platform::DecodePng(data, size, &image)) return 0;
    FUZZ_REQUIRE(WellFormed(image));
    const int textureWidth = platform::NextPowerOfTwo(image.width);
    const int textureHeight = platform::NextPowerOfTwo(image.height);
    FUZZ_REQUIRE(static_cast<std::size_t>(textureWidth) * static_cast<std::size_t>(textureHeight) <=
                 platform::kMaxTexturePixels);

    // The loaders use all three keys; the input's length picks one.
    constexpr std::uint32_t kKeys[] = {platform::kNoColourKey, platform::kColourKeyBlack, platform::kColourKeyWhite};
    const std::uint32_t key = kKeys[size % 3];
    const std::size_t keyed = key == platform::kNoColourKey ? 0 : std::count(image.argb.begin(), image.argb.end(), key);
    const std::size_t clearBefore = std::count(image.argb.begin(), image.argb.end(), 0u);
    platform::ApplyColourKey(&image, key);
    FUZZ_REQUIRE(key == platform::kNoColourKey ||
                 std::find(image.argb.begin(), image.argb.end(), key) == image.argb.end());
    FUZZ_REQUIRE(static_cast<std::size_t>(std::count(image.argb.begin(), image.argb.end(), 0u)) == clearBefore + keyed);

    const ChannelRange source = RangeOf(image);
    const bool alreadyPowerOfTwo = textureWidth == image.width && textureHeight == image.height;
    const std::vector<std::uint32_t> keyedPixels = alreadyPowerOfTwo ? image.argb : std::vector<std::uint32_t>{};
    Image texture = platform::ScaleToPowerOfTwo(std::move(image));
    FUZZ_REQUIRE(WellFormed(texture));
    FUZZ_REQUIRE(texture.width == textureWidth && texture.height == textureHeight);
    FUZZ_REQUIRE(!alreadyPowerOfTwo || texture.argb == keyedPixels);
    FUZZ_REQUIRE(Within(source, RangeOf(texture)));

    const std::vector<Image> chain = platform::BuildMipChain(std::move(texture));
    FUZZ_REQUIRE(!chain.empty() && chain[0].width == textureWidth && chain[0].height == textureHeight);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        FUZZ_REQUIRE(WellFormed(chain[i]));
        FUZZ_REQUIRE(chain[i].width == std::max(1, chain[i - 1].width / 2));
        FUZZ_REQUIRE(chain[i].height == std::max(1, chain[i - 1].height / 2));
        FUZZ_REQUIRE(Within(source, RangeOf(chain[i])));
    }
    FUZZ_REQUIRE(chain.back().width == 1 && chain.back().height == 1);
    return 0;
}

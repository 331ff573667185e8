#include "assets/pictures_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace picture_tests {

const std::vector<Expected>& ExpectedPictures() {
    using platform::kColourKeyBlack;
    using platform::kColourKeyWhite;
    using platform::kNoColourKey;
    static const std::vector<Expected> all = {
        // Title, shutter, story, staff roll, stage cards, game over, clear.
        {"title", 1024, 1024, kColourKeyBlack},
        {"gamestart", 128, 64, kColourKeyBlack},
        {"exit", 128, 64, kColourKeyBlack},
        // The pause panel and what it shows.
        {"pause_panel", 512, 512, kColourKeyBlack},
        {"pause_resume", 256, 64, kColourKeyBlack},
        {"pause_music", 256, 64, kColourKeyBlack},
        {"pause_effects", 256, 64, kColourKeyBlack},
        {"pause_fullscreen", 256, 64, kColourKeyBlack},
        {"pause_quit", 256, 64, kColourKeyBlack},
        {"pause_on", 64, 32, kColourKeyBlack},
        {"pause_off", 64, 32, kColourKeyBlack},
        {"pause_volume", 256, 32, kColourKeyBlack},
        {"blue", 256, 256, kColourKeyBlack},
        {"red", 64, 64, kColourKeyBlack},
        {"osleft", 512, 1024, kColourKeyBlack},
        {"osright", 512, 1024, kColourKeyBlack},
        {"story", 1024, 2048, kColourKeyBlack},
        {"rocket", 1024, 1024, kColourKeyBlack},
        {"staffroll", 1024, 1024, kColourKeyBlack},
        {"stage 1", 1024, 1024, kColourKeyBlack},
        {"stage 2", 1024, 1024, kColourKeyBlack},
        {"stage 3", 1024, 1024, kColourKeyBlack},
        {"noise 1", 1024, 1024, kColourKeyBlack},
        {"noise 2", 1024, 1024, kColourKeyBlack},
        {"noise 3", 1024, 1024, kColourKeyBlack},
        {"noise 4", 1024, 1024, kColourKeyBlack},
        {"lostsignal", 512, 512, kColourKeyBlack},
        {"clear", 512, 256, kColourKeyBlack},
        // Stage scenery.
        {"ground", 512, 512, kColourKeyBlack},
        {"m2", 256, 256, kColourKeyBlack},
        {"space3", 64, 64, kColourKeyWhite},
        {"meteo", 256, 256, kColourKeyBlack},
        {"moon", 256, 256, kColourKeyBlack},
        {"space", 512, 256, kColourKeyBlack},
        {"sexpl", 64, 64, kColourKeyBlack},
        {"petal", 128, 128, kColourKeyBlack},
        {"cloud", 512, 512, kColourKeyBlack},
        {"cloud2", 512, 512, kColourKeyBlack},
        {"cloud3", 512, 512, kColourKeyBlack},
        {"flower", 512, 512, kColourKeyBlack},
        {"flower2", 512, 512, kColourKeyBlack},
        {"flower3", 512, 512, kColourKeyBlack},
        {"nazo", 512, 256, kColourKeyBlack},
        // Score board, player, enemies, effects.
        {"console4", 256, 32, kColourKeyBlack},
        {"score2", 256, 64, kColourKeyBlack},
        {"update", 128, 32, kColourKeyBlack},
        {"dashspark", 32, 32, kColourKeyBlack},
        {"booster 2", 256, 256, kColourKeyBlack},
        {"lightwing", 256, 256, kColourKeyBlack},
        {"kira", 256, 256, kColourKeyBlack},
        {"sight", 32, 32, kColourKeyBlack},
        {"sight2", 64, 64, kColourKeyBlack},
        {"explosion01", 1024, 512, kColourKeyBlack},
        {"explosionRuin", 256, 256, kColourKeyBlack},
        {"explosion3", 1024, 1024, kColourKeyBlack},
        {"yougan001", 256, 256, kColourKeyBlack},
        {"bom", 64, 64, kColourKeyBlack},
        // Bosses.
        {"hole", 128, 128, kColourKeyBlack},
        {"baria", 256, 256, kColourKeyBlack},
        {"bullet 2", 256, 256, kColourKeyBlack},
        {"warp2", 256, 256, kColourKeyBlack},
        {"join", 128, 128, kColourKeyBlack},
        {"mecha2", 256, 256, kColourKeyBlack},
        {"blackhole", 256, 256, kColourKeyBlack},
        {"flare", 256, 256, kColourKeyBlack},
        {"circuit", 256, 256, kColourKeyBlack},
        {"suik", 256, 256, kColourKeyBlack},
        {"smagic", 256, 256, kColourKeyBlack},
        {"magicup", 256, 256, kColourKeyBlack},
        {"magicdown", 256, 256, kColourKeyBlack},
        {"moonthunder", 256, 256, kColourKeyBlack},
        {"bmagic", 256, 256, kColourKeyBlack},
        {"amagic", 256, 256, kColourKeyBlack},
        {"holeHirami", 256, 256, kColourKeyBlack},
        {"athunder", 256, 256, kColourKeyBlack},
        {"flare2", 128, 128, kNoColourKey},
        {"darkmagic", 256, 256, kColourKeyBlack},
        {"denmagic", 256, 256, kColourKeyBlack},
        {"hanmagic", 256, 256, kColourKeyBlack},
        {"bumagic", 256, 256, kColourKeyBlack},
        {"sanmagic", 256, 256, kColourKeyBlack},
        {"eye2", 256, 256, kColourKeyBlack},
        {"snow", 64, 64, kColourKeyBlack},
        {"lasthole", 256, 256, kColourKeyBlack},
        {"bullet", 64, 64, kNoColourKey},
        // Portraits and the HUD (the console is loaded twice: white key for the HUD, black for the digits).
        {"boss01", 512, 512, kColourKeyBlack},
        {"boss02", 512, 512, kColourKeyBlack},
        {"boss03", 512, 512, kColourKeyBlack},
        {"boss04", 512, 512, kColourKeyBlack},
        {"boss05", 512, 512, kColourKeyBlack},
        {"boss06", 512, 512, kColourKeyBlack},
        {"console", 512, 512, kColourKeyWhite},
        {"getbom", 256, 256, kColourKeyBlack},
    };
    return all;
}

std::string PicturePath(const std::string& name) {
    return (std::filesystem::path(KORVEX_DATA_DIR) / "t" / (name + ".png")).string();
}

std::optional<platform::Image> LoadRaw(const std::string& name) {
    platform::Image image;
    if (!platform::LoadPng(PicturePath(name), &image)) {
        ADD_FAILURE() << "t\\" << name << ".png does not decode";
        return std::nullopt;
    }
    return image;
}

std::optional<platform::Image> LoadAsTexture(const std::string& name, std::uint32_t key) {
    std::optional<platform::Image> image = LoadRaw(name);
    if (!image) return std::nullopt;
    platform::ApplyColourKey(&*image, key);
    return platform::ScaleToPowerOfTwo(std::move(*image));
}

namespace {

template <typename Fn>
void ForEach(const platform::Image& image, const Rect& r, Fn&& fn) {
    for (int y = std::max(0, r.top); y < std::min(image.height, r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(image.width, r.right); ++x) fn(x, y, image.At(x, y));
    }
}

}  // namespace

int CountVisible(const platform::Image& image, const Rect& r, std::uint32_t aboveAlpha) {
    int n = 0;
    ForEach(image, r, [&](int, int, std::uint32_t p) { n += AlphaOf(p) > aboveAlpha; });
    return n;
}

int CountOpaque(const platform::Image& image, const Rect& r) {
    int n = 0;
    ForEach(image, r, [&](int, int, std::uint32_t p) { n += AlphaOf(p) == 255; });
    return n;
}

int CountEqual(const platform::Image& image, const Rect& r, std::uint32_t argb) {
    int n = 0;
    ForEach(image, r, [&](int, int, std::uint32_t p) { n += p == argb; });
    return n;
}

std::optional<Rect> VisibleBounds(const platform::Image& image, const Rect& r, std::uint32_t aboveAlpha) {
    Rect b{r.right, r.bottom, r.left, r.top};
    bool any = false;
    ForEach(image, r, [&](int x, int y, std::uint32_t p) {
        if (AlphaOf(p) <= aboveAlpha) return;
        any = true;
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
    });
    if (!any) return std::nullopt;
    return b;
}

bool SamePixels(const platform::Image& image, const Rect& a, const Rect& b) {
    const int w = a.right - a.left, h = a.bottom - a.top;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (image.At(a.left + x, a.top + y) != image.At(b.left + x, b.top + y)) return false;
        }
    }
    return true;
}

namespace {

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int shift = 0; shift < 32; shift += 8) d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return d;
}

}  // namespace

double SeamRatio(const platform::Image& image, bool acrossRows) {
    const int lines = acrossRows ? image.height : image.width;
    const int length = acrossRows ? image.width : image.height;
    auto at = [&](int line, int i) { return acrossRows ? image.At(i, line) : image.At(line, i); };
    // Grid lines and slab joints may fall on the edge itself, so the seam is measured against the
    // sharpest step inside the picture rather than an average one.
    double largest = 1.0;
    for (int line = 0; line + 1 < lines; ++line) {
        double step = 0.0;
        for (int i = 0; i < length; ++i) step += ChannelDistance(at(line, i), at(line + 1, i));
        largest = std::max(largest, step);
    }
    double seam = 0.0;
    for (int i = 0; i < length; ++i) seam += ChannelDistance(at(lines - 1, i), at(0, i));
    return seam / largest;
}

}  // namespace picture_tests

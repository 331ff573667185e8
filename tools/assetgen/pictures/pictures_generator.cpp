// Draws every picture of the game into t\, with a contact sheet and full-size screen previews.
#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "assetgen/asset_writer.h"
#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/contact_sheet.h"
#include "assetgen/pictures/hud_preview.h"

namespace assetgen::pictures {
namespace {

struct Result {
    std::optional<Canvas> thumbnail;
    std::optional<Canvas> keyed;  // kept only for the pictures of the HUD mock-up
    std::vector<std::uint8_t> png;
    std::vector<std::uint8_t> preview;
    std::exception_ptr error;
};

void Render(const Picture& picture, Result& result) {
    try {
        Canvas canvas = picture.draw();
        if (canvas.Width() != picture.width || canvas.Height() != picture.height) {
            throw std::runtime_error("picture " + picture.name + " was drawn at the wrong size");
        }
        ApplyKeyRules(canvas, picture.key);
        result.png = EncodeGamePng(canvas);
        if (picture.FullScreen()) {
            Canvas preview = ScreenPreview(picture, canvas);
            result.preview = EncodePng(preview);
        }
        result.thumbnail.emplace(Thumbnail(picture, canvas));
        for (const char* name : kHudPreviewPictures) {
            if (picture.name == name) result.keyed.emplace(std::move(canvas));
        }
    } catch (...) {
        result.error = std::current_exception();
    }
}

void GeneratePictures(AssetWriter& out) {
    const std::vector<Picture> catalogue = Catalogue();
    std::vector<Result> results(catalogue.size());
    // Every picture is drawn on its own surface with its own seeds, so drawing them on two threads
    // gives the same bytes as drawing them one after the other.
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < catalogue.size(); i = next++) Render(catalogue[i], results[i]);
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();

    ContactSheet sheet(static_cast<int>(catalogue.size()));
    std::map<std::string, const Canvas*> hudPictures;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const Picture& picture = catalogue[i];
        Result& result = results[i];
        if (result.error) std::rethrow_exception(result.error);
        out.Write("t\\" + picture.name + ".png", result.png);
        if (!result.preview.empty()) out.WritePreview("screens/" + picture.name + ".png", result.preview);
        sheet.Add(picture, *result.thumbnail);
        if (result.keyed) hudPictures[picture.name] = &*result.keyed;
    }
    Canvas hud = HudPreview(hudPictures);
    out.WritePreview("screens/hud.png", EncodePng(hud));
    out.WritePreview("pictures.png", EncodePng(sheet.Sheet()));
}

KORVEX_ASSET_GENERATOR("pictures", GeneratePictures, 10);

}  // namespace
}  // namespace assetgen::pictures

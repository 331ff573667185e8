// The "music" generator: composes the twelve songs and writes them as "m\track00.mid" to "m\track11.mid".
#include <cstdio>

#include "assetgen/asset_writer.h"
#include "assetgen/audio/songs/songs.h"

namespace assetgen {
namespace {

void GenerateMusic(AssetWriter& out) {
    std::vector<audio::Song> songs = audio::ComposeAllSongs();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "m\\track%02zu.mid", i);
        out.Write(name, audio::EncodeSong(songs[i]));
    }
}

KORVEX_ASSET_GENERATOR("music", GenerateMusic, 30);

}  // namespace
}  // namespace assetgen

// The "sounds" generator: synthesises the fifteen effects and writes them as 16-bit mono 44100 Hz waves.
#include "assetgen/asset_writer.h"
#include "assetgen/audio/sound_effects.h"
#include "assetgen/audio/wave_file.h"

namespace assetgen {
namespace {

void GenerateSounds(AssetWriter& out) {
    for (const audio::SoundEffect& e : audio::MakeSoundEffects()) {
        out.Write(e.file, audio::EncodeWave(audio::ToPcm16(e.samples), 1, audio::kSampleRate));
    }
}

KORVEX_ASSET_GENERATOR("sounds", GenerateSounds, 31);

}  // namespace
}  // namespace assetgen

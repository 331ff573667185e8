// The two small text files the game reads from its working directory.
#include "asset_writer.h"

namespace assetgen {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

void GenerateTextFiles(AssetWriter& out) {
    // Joystick buttons for fire/confirm, dash and bomb; the game needs the file even without a joystick.
    const auto keyConfig = Bytes("0,1,2\n");
    // A modest high score to beat, so the record banner does not show from the first frame.
    const auto score = Bytes("10000");
    // Both only when missing: the build runs on every ./run.sh, and the player edits these in build/data.
    out.WriteIfMissing("KeyConfig.txt", keyConfig);
    out.WriteIfMissing("score.txt", score);
    // An installation hands a new player these, untouched by whatever was played in the build folder.
    out.WriteInstallFile("KeyConfig.txt", keyConfig);
    out.WriteInstallFile("score.txt", score);
}

KORVEX_ASSET_GENERATOR("text files", GenerateTextFiles, 0);

}  // namespace
}  // namespace assetgen

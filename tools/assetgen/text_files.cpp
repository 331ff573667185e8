// The two small text files the game reads from its working directory.
#include "asset_writer.h"

namespace assetgen {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

void GenerateTextFiles(AssetWriter& out) {
    // Joystick buttons for fire/confirm, dash and bomb; the game needs the file even without a joystick.
    out.Write("KeyConfig.txt", Bytes("0,1,2\n"));
    // A modest high score to beat, so the record banner does not show from the first frame.
    out.WriteIfMissing("score.txt", Bytes("10000"));
}

KORVEX_ASSET_GENERATOR("text files", GenerateTextFiles, 0);

}  // namespace
}  // namespace assetgen

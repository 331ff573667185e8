#pragma once
// A look through a text X file before the importer converts it. The importer's parser checks its counts,
// but its conversion indexes with what it read unchecked: a face material beyond the materials listed, a
// position or normal index at or past the end, a face material list of another length than the faces.
// Such a file is refused here, reading the tokens exactly as the importer does.
//
// Deliberately narrower than the format: only text files (no BOM, no NUL byte), plain numbers (no
// "1.#IND", no exponent without digits, integers of at most nine digits, no negative count or index),
// materials written in place (no references), and no animations or skin weights. Every mesh the game
// ships is of that kind.

#include <cstddef>
#include <cstdint>

namespace platform {

bool XMeshTextIsSound(const std::uint8_t* bytes, std::size_t size);

}  // namespace platform

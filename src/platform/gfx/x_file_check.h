#pragma once
// A look through an X file before the importer converts it. The importer's parser checks most counts,
// but its conversion indexes with what it read unchecked: a face material beyond the materials listed
// (the fault behind a crash the fuzzing found: a list whose only material is misspelt), a position or
// normal index at or past the end, a skin weight's vertex past the end, more face materials than faces,
// a frame name longer than the scene's fixed name buffer. Its binary reader also steps past the end of a
// file cut short, and its allocations follow counts before any data backs them. Such a file is refused
// here, reading the tokens exactly as the importer does, in each of the format's forms: text, binary and
// both compressed.
//
// Beyond that only what no exporter writes is refused: text with a NUL byte, a byte-order mark before a
// binary or compressed file, numbers the importer reads as special cases ("1.#IND00", "nan", "inf",
// non-finite binary numbers), frames nested more than 64 deep. A text editor's UTF-8 byte-order mark
// before a text file is skipped, as the importer skips it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// True when the importer may be given the file. A compressed file is expanded here, by a reader that
// stays within its input, and *expanded receives the same file in its plain form (text or binary), which
// is what the importer must be given instead; so does a text file that starts with a UTF-8 byte-order
// mark, without the mark. For any other file *expanded is left empty.
bool XMeshIsSound(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint8_t>* expanded);

}  // namespace platform

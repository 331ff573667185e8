#pragma once
// Reads a Standard MIDI File's bytes into the sequencer's merged event list (see midi_song.h). Usable
// on its own, e.g. to check generated songs with the game's own reading of them.
//
// Untrusted input is safe: nothing is read outside `bytes`, nothing loops without progress. A file is
// refused (false) when its header or a track chunk is cut short, when it has no track chunk, a division
// of 0, or no event at all. Inside a track, the first malformed event (data running past the chunk's
// end, a variable-length number of more than four bytes, a data byte before any status) ends that track:
// what came before it is kept.

#include <cstddef>
#include <cstdint>

#include "audio/midi_song.h"

bool ParseMidiFile(const std::uint8_t* bytes, std::size_t size, MidiSong* song);

// Absolute tick of every record (the running sum of the deltas); the sentinel is not included.
std::vector<std::uint64_t> MidiRecordTicks(const MidiSong& song);

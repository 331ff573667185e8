#pragma once
// The fifteen sound effects, by slot, each with the file name the sound bank loads.

#include <string>
#include <vector>

#include "assetgen/audio/synth.h"

namespace assetgen::audio {

struct SoundEffect {
    std::string file;  // the game's name, "w\\pishun.wav"
    Signal samples;    // mono, 44100 Hz
};

// Slot order: the index is the slot number.
std::vector<SoundEffect> MakeSoundEffects();

}  // namespace assetgen::audio

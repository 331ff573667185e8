#include "audio/volume.h"

#include <algorithm>
#include <cmath>

#include "audio/sound_bank.h"

int ClampVolume(int level) { return std::clamp(level, 0, kVolumeFull); }

float VolumeGain(int level) {
    const int clamped = ClampVolume(level);
    if (clamped == kVolumeFull) return 1.0f;
    return static_cast<float>(std::pow(static_cast<double>(clamped) / kVolumeFull, 4.0 / 3.0));
}

void SetMusicVolume(int level) { GameSoundBank.SetMusicVolume(level); }
void SetEffectsVolume(int level) { GameSoundBank.SetEffectsVolume(level); }
int MusicVolume() { return GameSoundBank.MusicVolume(); }
int EffectsVolume() { return GameSoundBank.EffectsVolume(); }

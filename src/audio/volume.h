#pragma once
// The player's volume levels for the music and the effects: whole steps from 0 (silent) to 10 (the
// level the game was mixed at), each heard at once.

inline constexpr int kVolumeFull = 10;

// Levels outside 0..10 are taken as the nearest end.
int ClampVolume(int level);

// The gain of a level. The steps are even to the ear rather than to the meter: the gain goes as the
// level's power 4/3, so 5 is 8 dB under full, 1 is 27 dB under, and 0 is silence.
float VolumeGain(int level);

// The game's sound bank, and through its device the music.
void SetMusicVolume(int level);
void SetEffectsVolume(int level);
int MusicVolume();
int EffectsVolume();

#pragma once
// The music front-end the game uses: twelve songs played by track number.
//
//   0 story screen            4 title screen            8 battle against boss 4
//   1 stage 1                 5 stage-title screen      9 battle against boss 7
//   2 stage 2                 6 battle against boss 1  10 game over
//   3 stage 3                 7 battle against boss 3  11 staff roll

#include <cstdint>

inline constexpr int kMusicTrackCount = 12;

// Starts the sequencer on the given port (-2 = the system's default) and loads the twelve files
// "m\\track00.mid" to "m\\track11.mid"; a file that cannot be loaded leaves its track silent.
void MusicStartup(std::int32_t portChoice);
// A track whose file was missing leaves the music that plays playing.
void MusicPlayTrack(std::int32_t track);
void MusicFadeOut(std::int32_t milliseconds);
// The game paused and resumed: the song stops with its notes released and goes on from the same place.
void MusicPause();
void MusicResume();
// While paused, the song plays on to let a volume change be heard; the resume goes on from where it stood.
void MusicAudition();
void MusicShutdown();

// "m\\trackNN.mid"; nullptr outside 0-11.
const char* MusicTrackFile(std::int32_t track);
// The song slot of a track, -1 when its file was not loaded.
std::int32_t MusicTrackSlot(std::int32_t track);

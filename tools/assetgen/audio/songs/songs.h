#pragma once
// The twelve songs of the game, in the order of the music table (the track number is the position).

#include <vector>

#include "assetgen/audio/song.h"

namespace assetgen::audio {

Song ComposeStory();          // 0: under the story scroll
Song ComposeCityAtDusk();     // 1: stage 1
Song ComposeDeepSpace();      // 2: stage 2
Song ComposeFlowerField();    // 3: stage 3
Song ComposeTitle();          // 4: the title screen
Song ComposeStageCard();      // 5: the stage title card
Song ComposeFirstGuardian();  // 6: the stage-1 final boss
Song ComposeStarFortress();   // 7: the stage-2 final boss
Song ComposeMoons();          // 8: the moons of stage 3
Song ComposeLastBoss();       // 9: the last boss
Song ComposeGameOver();       // 10: game over, a jingle and then silence
Song ComposeStaffRoll();      // 11: the staff roll

// All twelve, track 0 first.
std::vector<Song> ComposeAllSongs();

}  // namespace assetgen::audio

#include "assetgen/audio/songs/songs.h"

namespace assetgen::audio {

std::vector<Song> ComposeAllSongs() {
    return {ComposeStory(), ComposeCityAtDusk(), ComposeDeepSpace(),     ComposeFlowerField(),
            ComposeTitle(), ComposeStageCard(),  ComposeFirstGuardian(), ComposeStarFortress(),
            ComposeMoons(), ComposeLastBoss(),   ComposeGameOver(),      ComposeStaffRoll()};
}

}  // namespace assetgen::audio

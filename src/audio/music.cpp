#include "audio/music.h"

#include "audio/gene_music.h"
#include "platform/core/clock.h"

namespace {

constexpr std::uint32_t kMaxSongs = 16;

constexpr const char* kTrackFiles[kMusicTrackCount] = {
    "m\\track00.mid", "m\\track01.mid", "m\\track02.mid", "m\\track03.mid", "m\\track04.mid", "m\\track05.mid",
    "m\\track06.mid", "m\\track07.mid", "m\\track08.mid", "m\\track09.mid", "m\\track10.mid", "m\\track11.mid",
};

std::int32_t g_trackSlots[kMusicTrackCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

bool ValidTrack(std::int32_t track) { return track >= 0 && track < kMusicTrackCount; }

}  // namespace

void MusicStartup(std::int32_t portChoice) {
    GeneMusic::SetMaxSongs(kMaxSongs);
    GeneMusic::Initialize(portChoice);
    GeneMusic::LoadCollection(nullptr);
    platform::Sleep(10);
    for (int i = 0; i < kMusicTrackCount; ++i) g_trackSlots[i] = GeneMusic::LoadSong(kTrackFiles[i]);
}

void MusicPlayTrack(std::int32_t track) {
    if (ValidTrack(track)) GeneMusic::Play(g_trackSlots[track]);
}

void MusicFadeOut(std::int32_t milliseconds) { GeneMusic::FadeOut(milliseconds); }

void MusicPause() { GeneMusic::Pause(); }

void MusicResume() { GeneMusic::Resume(); }

void MusicAudition() { GeneMusic::Audition(); }

void MusicShutdown() {
    GeneMusic::Destroy();
    for (std::int32_t& slot : g_trackSlots) slot = -1;
}

const char* MusicTrackFile(std::int32_t track) { return ValidTrack(track) ? kTrackFiles[track] : nullptr; }

std::int32_t MusicTrackSlot(std::int32_t track) { return ValidTrack(track) ? g_trackSlots[track] : -1; }

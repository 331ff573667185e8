#pragma once
// The music and sound cues the game gives, recorded instead of played: every test that runs game code
// installs this one in place of the sequencer and the sound bank.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/scene_audio.h"

class RecordingAudio : public SceneAudio {
public:
    void PlayTrack(std::int32_t track) override { tracks.push_back(track); }
    void FadeOut(std::int32_t ms) override { fades.push_back(ms); }
    void PlaySound(std::int32_t slot) override { sounds.push_back(slot); }
    void Pause() override { ++pauses; }
    void Resume() override { ++resumes; }
    void AuditionMusic() override { ++auditions; }

    int Count(int slot) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), slot)); }
    void Clear() {
        tracks.clear();
        fades.clear();
        sounds.clear();
        pauses = resumes = auditions = 0;
    }

    std::vector<int> tracks;
    std::vector<int> fades;
    std::vector<int> sounds;
    int pauses = 0, resumes = 0, auditions = 0;
};

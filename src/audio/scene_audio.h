#pragma once
// The music and sound cues the scene flow gives. The game plays them through the sequencer and the
// sound bank; tests listen in instead.

#include <cstdint>

class SceneAudio {
public:
    virtual ~SceneAudio() = default;
    virtual void PlayTrack(std::int32_t track);
    virtual void FadeOut(std::int32_t milliseconds);
    virtual void PlaySound(std::int32_t slot);
    virtual void Pause();
    virtual void Resume();
};

// The cues as the game plays them (the default); a test may install its own for a while.
SceneAudio& Audio();
void InstallSceneAudio(SceneAudio* audio);

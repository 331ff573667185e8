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
    // The game paused: the music holds its place with every note released and the effects fall silent.
    virtual void Pause();
    // The music goes on from where it stood; effects sound again when next cued.
    virtual void Resume();
    // While paused the music plays on, so that a change of its volume is heard; the resume still goes on
    // from where it stood.
    virtual void AuditionMusic();
};

// The cues as the game plays them (the default); a test may install its own for a while.
SceneAudio& Audio();
void InstallSceneAudio(SceneAudio* audio);

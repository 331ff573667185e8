#include "audio/scene_audio.h"

#include "audio/music.h"
#include "audio/sound_bank.h"

void SceneAudio::PlayTrack(std::int32_t track) { MusicPlayTrack(track); }

void SceneAudio::FadeOut(std::int32_t milliseconds) { MusicFadeOut(milliseconds); }

void SceneAudio::PlaySound(std::int32_t slot) { ::PlaySound(slot); }

void SceneAudio::Pause() {
    MusicPause();
    GameSoundBank.StopAll();
}

void SceneAudio::Resume() { MusicResume(); }

void SceneAudio::AuditionMusic() { MusicAudition(); }

namespace {
SceneAudio g_gameAudio;
SceneAudio* g_installed = nullptr;
}  // namespace

SceneAudio& Audio() { return g_installed ? *g_installed : g_gameAudio; }

void InstallSceneAudio(SceneAudio* audio) { g_installed = audio; }

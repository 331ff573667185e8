#pragma once
// The background music sequencer. It reads Standard MIDI Files into merged event lists, runs its own
// clock on a playback thread woken every millisecond, converts ticks to time with the current tempo and
// sends every message to the MIDI output port, keeping each channel's set-up so that it can resend it
// after a silent seek or a catch-up. Every song loops (to its marker "L" if it has one) and can be faded
// out. There is one per process: Initialize creates its state and Destroy removes it; every other
// operation does nothing when there is no state or when the objects it would use are missing.

#include <cstddef>
#include <cstdint>

namespace GeneMusic {

// Song slots made by the next Initialize (64 if never set).
void SetMaxSongs(std::uint32_t count);
// portChoice: -2 = the system's default port; -1 = the port at enumeration index 1; else that index.
bool Initialize(std::int32_t portChoice);
// The instrument collection downloaded at each play: a file, or the default General MIDI set (nullptr).
void LoadCollection(const char* file);
// Slot index, or -1 when the file cannot be read or parsed or no slot is free.
std::int32_t LoadSong(const char* path);
std::int32_t LoadSongFromMemory(const std::uint8_t* bytes, std::size_t size);
// -1 does nothing at all, so whatever plays goes on.
void Play(std::int32_t slot);
void Stop();
bool FadeOut(std::int32_t milliseconds);
// Pause holds the song where it stands with every note released; Resume goes on from there with the
// channels set up again. A second Pause, or a Resume when not paused, does nothing. Play and Stop end a
// pause; a fade asked while paused runs after the resume.
void Pause();
void Resume();
// While paused: the song plays on from where it stands, so that a change of the music's volume is heard.
// The next Pause or Resume takes it back to that place first, so the song goes on as if it had stood.
void Audition();
bool Unload(std::int32_t slot);
void Destroy();

}  // namespace GeneMusic

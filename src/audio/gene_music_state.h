#pragma once
// The sequencer's program-wide record and the operations shared by its source files.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/midi_song.h"
#include "platform/audio/counting_semaphore.h"
#include "platform/audio/midi_system.h"
#include "platform/audio/sound_device.h"

namespace GeneMusic::detail {

struct ChannelState {
    std::uint8_t program;
    std::uint8_t bank;    // controller 0
    std::uint8_t pan;     // controller 10
    std::uint8_t reverb;  // controller 91
    std::uint8_t chorus;  // controller 93
    std::uint8_t volume;  // controller 7 as the file gives it
};

// Where a paused song stood, kept while it plays on for an audition.
struct HeldPlace {
    std::uint32_t cursor = 0;
    std::uint64_t position = 0;
    std::uint32_t countdown = 0;
    std::uint32_t dispatched = 0;
    std::uint32_t tempo = 0;
    std::uint32_t tickScale = 0;
    std::uint32_t period = 1;
    std::uint32_t elapsed = 0;
    std::int32_t startDelayLeft = 0;
    bool starting = false;
    bool catchingUp = false;
    ChannelState channels[16] = {};
};

struct SongSlot {
    bool inUse = false;
    std::int32_t refCount = 0;
    std::unique_ptr<MidiSong> song;
    bool playing = false;
};

inline constexpr std::uint32_t kDefaultTempo = 500000;
inline constexpr std::uint32_t kSemaphoreMax = 100000;
inline constexpr std::uint32_t kCatchUpTicks = 200;
inline constexpr int kFadeSteps = 90;

struct State {
    std::shared_ptr<platform::SoundDevice> soundDevice;
    std::unique_ptr<platform::MidiSystem> music;
    std::unique_ptr<platform::MidiPort> port;
    std::unique_ptr<platform::MidiBuffer> messageBuffer;
    std::unique_ptr<platform::MidiBuffer> sysexBuffer;
    std::unique_ptr<platform::InstrumentLoader> loader;
    std::unique_ptr<platform::InstrumentCollection> collection;
    platform::ReferenceClock* latencyClock = nullptr;  // belongs to the port
    std::unique_ptr<platform::ReferenceClock> systemClock;
    std::vector<SongSlot> slots;

    std::thread thread;
    std::unique_ptr<platform::CountingSemaphore> tickSemaphore;
    std::atomic<bool> stopSignalled{false};
    std::uint32_t adviseCookie = 0;

    std::int32_t currentSlot = -1;
    bool downloadOnPlay = false;

    // Held by the playback thread for a whole wake-up and by the game thread's play, stop, fade, load and
    // unload, so the two threads never work on the playback state at the same time.
    std::recursive_mutex control;
    // Held while a message is packed, played and flushed.
    std::mutex sendLock;

    bool inTick = false;
    bool stopRequested = false;

    std::uint32_t period = 1;
    std::uint32_t tickScale = 0;
    std::uint32_t elapsed = 0;
    std::uint32_t timingOrigin = 0;
    std::uint32_t targetTick = 0;
    std::uint32_t dispatched = 0;
    std::uint32_t startMark = 0;
    std::uint32_t tempo = kDefaultTempo;
    float fadeOffset = 0;
    std::int32_t fadeStep = 0;
    std::uint32_t countdown = 0;
    ChannelState channels[16] = {};
    std::int32_t fadeLength = 0;
    std::int32_t fadeCount = 0;
    bool fadingOut = false;
    bool silent = false;
    bool catchingUp = false;
    bool looping = false;
    std::uint64_t loopStart = 0;

    // While paused the wake-ups do nothing and the timer is off; `elapsed` (or, before the song has
    // started, the start delay still to wait) is what the resume measures the song's time from again.
    bool paused = false;
    std::int32_t startDelayLeft = 0;
    // An audition plays the paused song on (paused is then false) so that its volume is heard; the next
    // Pause or Resume takes it back to `held`.
    bool auditioning = false;
    HeldPlace held;
};

// The record; null outside Initialize .. Destroy.
State* Current();

// Sending (gene_music_send.cpp).
void SendShort(State& s, std::uint8_t status, std::uint8_t d1, std::uint8_t d2);
void SendSysEx(State& s, const SysExBlock& block);
void SendChannelSetup(State& s);
void SendAllVolumes(State& s, int extraOffset);
void SendAllSoundOff(State& s);
void SendControllerToAll(State& s, std::uint8_t controller, std::uint8_t value);
int TruncatedFade(const State& s);

// Playback (gene_music_playback.cpp).
void StopPlayback(State& s);
void ReleaseEveryNote(State& s);
// Out of a pause: the song's time goes on from where it stood.
void GoOn(State& s);
// An audition's end: back, paused, to the place held when it began.
void ReturnToHeldPlace(State& s);
void Wakeup(State& s);
MidiSong* CurrentSong(State& s);

}  // namespace GeneMusic::detail

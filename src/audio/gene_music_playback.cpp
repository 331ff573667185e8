// Playback: play, stop, fade-out, and the sequencer's wake-ups on the playback thread.

#include <algorithm>
#include <iterator>
#include <limits>

#include "audio/gene_music.h"
#include "audio/gene_music_state.h"
#include "platform/core/clock.h"

namespace GeneMusic::detail {

namespace {

constexpr std::uint32_t kStartDelayHalf = 50;  // the start mark is set 50 ms ahead and waited out 50 ms past it
constexpr std::uint32_t kMicrosPerMilli = 1000;

void CancelTimer(State& s) {
    if (s.adviseCookie != 0 && s.systemClock) s.systemClock->Unadvise(s.adviseCookie);
    s.adviseCookie = 0;
}

void ResetChannels(State& s) {
    for (ChannelState& ch : s.channels) ch = ChannelState{0, 0, 64, 0, 0, 100};
}

void AdviseTimer(State& s) {
    CancelTimer(s);
    if (s.systemClock && s.tickSemaphore) {
        const std::uint64_t t = s.systemClock->GetTime();
        s.adviseCookie =
            s.systemClock->AdvisePeriodic(t, std::uint64_t{s.period} * kMicrosPerMilli, s.tickSemaphore.get());
    }
}

// Play's reset, also used when a song loops. A loop keeps a fade-out that is under way: the fade was
// asked for and must still end the song.
enum class Fade { kCancel, kKeep };

void ResetPlayback(State& s, Fade fade) {
    s.countdown = 0;
    ResetChannels(s);
    s.tempo = kDefaultTempo;
    if (fade == Fade::kCancel) s.fadingOut = false;
    s.startMark = 0;
}

void StartTiming(State& s) {
    if (s.stopRequested) return;
    s.period = 1;
    if (const MidiSong* song = CurrentSong(s)) s.tickScale = std::uint32_t{song->division} * 1000u;
    s.timingOrigin = platform::TimeGetTime();
    s.elapsed = platform::TimeGetTime() - s.timingOrigin;
    s.dispatched = 0;
    if (s.silent) return;
    AdviseTimer(s);
}

void DispatchChannelMessage(State& s, const MidiEvent& rec) {
    const std::uint8_t status = rec.b[0];
    const std::uint8_t kind = status & 0xF0;
    ChannelState& ch = s.channels[status & 0x0F];
    std::uint8_t b2 = rec.b[2];
    if (kind == 0xB0) {
        switch (rec.b[1]) {
            case 0:
                ch.bank = b2;
                break;
            case 7:
                ch.volume = b2;
                b2 = static_cast<std::uint8_t>(std::clamp(TruncatedFade(s) + b2, 0, 127));
                break;
            case 10:
                ch.pan = b2;
                break;
            case 91:
                ch.reverb = b2;
                break;
            case 93:
                ch.chorus = b2;
                break;
            default:
                break;
        }
    } else if (kind == 0xC0) {
        ch.program = rec.b[1];
    }
    if (s.silent || (s.catchingUp && kind == 0x90)) return;
    SendShort(s, status, rec.b[1], b2);
}

void DispatchRecord(State& s, MidiSong& song) {
    const MidiEvent& rec = song.records[song.cursor];
    const std::uint8_t b0 = rec.b[0];
    if (b0 == kMidiSysExStatus) {
        const std::size_t index = rec.b[1] | (std::size_t{rec.b[2]} << 8);
        if (index < song.sysex.size()) SendSysEx(s, song.sysex[index]);
    } else if (b0 == kMidiMetaStatus) {
        if (rec.b[1] != kMidiMetaTempo) return;
        const std::uint32_t tempo = MidiTempoAt(song, song.cursor);
        song.cursor = std::min(song.cursor + 2, song.recordCount);
        // A tempo of 0 would stop time (and divide by zero); the song keeps the tempo it had.
        if (tempo == 0) return;
        s.tempo = tempo;
        StartTiming(s);
    } else if (b0 >= 0x80) {
        DispatchChannelMessage(s, rec);
    }
}

void DispatchOneTick(State& s, MidiSong& song) {
    while (s.countdown == 0 && song.HasRecordsLeft()) {
        DispatchRecord(s, song);
        ++song.cursor;
        s.countdown = song.records[std::min(song.cursor, song.recordCount)].delta;
    }
    ++song.position;
    --s.countdown;
}

// Ticks before the next record falls due: during them a tick only counts, so they can be taken together.
std::uint64_t QuietTicksAhead(const State& s, const MidiSong& song) {
    if (!song.HasRecordsLeft()) return std::numeric_limits<std::uint64_t>::max();
    return s.countdown;
}

void SkipQuietTicks(State& s, MidiSong& song, std::uint64_t n) {
    song.position += n;
    s.countdown -= static_cast<std::uint32_t>(n);
}

void EndSong(State& s) {
    s.inTick = false;
    s.stopRequested = true;
    CancelTimer(s);
    SendAllVolumes(s, -128);
    SendControllerToAll(s, 123, 0);
    s.fadingOut = false;
    StopPlayback(s);
}

void LoopSong(State& s, MidiSong& song) {
    song.Rewind();
    CancelTimer(s);
    ResetPlayback(s, Fade::kKeep);
    s.silent = true;
    if (s.loopStart != 0) {
        while (song.HasRecordsLeft() && song.position < s.loopStart) {
            const std::uint64_t quiet = std::min(QuietTicksAhead(s, song), s.loopStart - song.position);
            if (quiet > 0) {
                SkipQuietTicks(s, song, quiet);
            } else {
                DispatchOneTick(s, song);
            }
        }
    }
    s.silent = false;
    SendChannelSetup(s);
    StartTiming(s);
    s.stopRequested = false;
    if (!s.fadingOut) s.fadeOffset = 0;
}

void RunToTarget(State& s, MidiSong& song) {
    for (;;) {
        s.targetTick = static_cast<std::uint32_t>(std::uint64_t{s.elapsed} * s.tickScale / s.tempo);
        if (s.dispatched > s.targetTick) return;
        const std::uint32_t gap = s.targetTick - s.dispatched;
        if (gap >= kCatchUpTicks && !s.catchingUp) {
            SendAllSoundOff(s);
            s.catchingUp = true;
        }
        if (gap < kCatchUpTicks && s.catchingUp) {
            SendChannelSetup(s);
            s.catchingUp = false;
        }
        std::uint64_t n = std::min<std::uint64_t>(QuietTicksAhead(s, song), std::uint64_t{gap} + 1);
        // While catching up, stop where the gap falls below the limit, so the set-up goes out on time.
        if (s.catchingUp) n = std::min<std::uint64_t>(n, gap - (kCatchUpTicks - 1));
        if (n > 0) {
            SkipQuietTicks(s, song, n);
            s.dispatched += static_cast<std::uint32_t>(n);
        } else {
            DispatchOneTick(s, song);
            ++s.dispatched;
        }
    }
}

void SequencerTick(State& s) {
    if (s.fadingOut) {
        if (s.fadeCount < s.fadeLength) {
            s.fadeOffset -= static_cast<float>(kFadeSteps) / static_cast<float>(s.fadeLength);
            const int step = TruncatedFade(s);
            if (step != s.fadeStep) SendAllVolumes(s, 0);
            s.fadeStep = step;
            ++s.fadeCount;
        } else {
            s.fadeOffset = 0;
            s.fadingOut = false;
            EndSong(s);
            return;
        }
    }
    MidiSong* song = CurrentSong(s);
    if (!song) return;
    if (!song->HasRecordsLeft()) {
        if (s.looping) {
            LoopSong(s, *song);
        } else {
            EndSong(s);
        }
        return;
    }
    RunToTarget(s, *song);
}

}  // namespace

void ReleaseEveryNote(State& s) {
    // Notes off, the pedal lifted and every voice cut, reverb tails included: nothing rings on.
    SendControllerToAll(s, 64, 0);
    SendControllerToAll(s, 123, 0);
    SendControllerToAll(s, 120, 0);
}

void GoOn(State& s) {
    s.paused = false;
    const std::uint32_t now = platform::TimeGetTime();
    // The paused stretch is taken out of the song's time: it goes on from the tick it stood at.
    if (s.startMark != 0) {
        s.startMark = now + static_cast<std::uint32_t>(s.startDelayLeft);
    } else {
        s.timingOrigin = now - s.elapsed;
    }
    SendChannelSetup(s);
    AdviseTimer(s);
}

void ReturnToHeldPlace(State& s) {
    CancelTimer(s);
    ReleaseEveryNote(s);
    const HeldPlace& h = s.held;
    if (MidiSong* song = CurrentSong(s)) {
        song->cursor = h.cursor;
        song->position = h.position;
    }
    s.countdown = h.countdown;
    s.dispatched = h.dispatched;
    s.tempo = h.tempo;
    s.tickScale = h.tickScale;
    s.period = h.period;
    s.elapsed = h.elapsed;
    s.startDelayLeft = h.startDelayLeft;
    // Only whether it is set counts while paused: the resume sets it anew from the delay left.
    s.startMark = h.starting ? 1 : 0;
    s.catchingUp = h.catchingUp;
    std::copy(std::begin(h.channels), std::end(h.channels), std::begin(s.channels));
    s.auditioning = false;
    s.paused = true;
}

MidiSong* CurrentSong(State& s) {
    if (s.currentSlot < 0 || static_cast<std::size_t>(s.currentSlot) >= s.slots.size()) return nullptr;
    return s.slots[static_cast<std::size_t>(s.currentSlot)].song.get();
}

void StopPlayback(State& s) {
    std::lock_guard<std::recursive_mutex> lock(s.control);
    s.paused = false;
    s.auditioning = false;
    if (s.currentSlot < 0 || static_cast<std::size_t>(s.currentSlot) >= s.slots.size()) return;
    SongSlot& slot = s.slots[static_cast<std::size_t>(s.currentSlot)];
    if (!slot.inUse || !slot.playing) return;
    s.stopRequested = true;
    CancelTimer(s);
    // The playback thread ends a song itself with the flag cleared, so it never waits here for itself.
    while (s.inTick) platform::Sleep(1);
    SendAllVolumes(s, -128);
    SendControllerToAll(s, 123, 0);
    s.fadingOut = false;
    if (slot.song) slot.song->Rewind();
    slot.playing = false;
    s.currentSlot = -1;
}

void Wakeup(State& s) {
    std::lock_guard<std::recursive_mutex> lock(s.control);
    if (s.stopRequested) {
        CancelTimer(s);
        return;
    }
    // The pause cancels the timer, but releases it gave just before may still be waiting.
    if (s.paused) return;
    if (s.startMark != 0) {
        if (static_cast<std::int32_t>(platform::TimeGetTime() - s.startMark) <
            static_cast<std::int32_t>(kStartDelayHalf)) {
            return;
        }
        s.timingOrigin = platform::TimeGetTime();
        s.startMark = 0;
    }
    s.elapsed = platform::TimeGetTime() - s.timingOrigin;
    if (s.inTick) return;
    s.inTick = true;
    SequencerTick(s);
    s.inTick = false;
}

void DownloadInstruments(State& s, const MidiSong& song) {
    std::lock_guard<std::mutex> lock(s.sendLock);
    if (!s.collection || !s.port) return;
    auto download = [&s](std::uint32_t patch) {
        std::unique_ptr<platform::Instrument> instrument = s.collection->GetInstrument(patch);
        if (!instrument) {
            // The same program from bank 0 stands in for a bank the collection lacks.
            instrument = s.collection->GetInstrument(patch & 0xFF0000FFu);
            if (instrument) instrument->SetPatch(patch);
        }
        if (instrument) s.port->DownloadInstrument(*instrument);
    };
    for (std::uint32_t patch : song.patches) download(patch);
    download(platform::kDrumPatchFlag);
    s.port->Compact();
}

}  // namespace GeneMusic::detail

namespace GeneMusic {

using namespace detail;

void Play(std::int32_t slotIndex) {
    if (slotIndex == -1) return;
    State* s = Current();
    if (!s) return;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    if (slotIndex < 0 || static_cast<std::size_t>(slotIndex) >= s->slots.size()) return;
    StopPlayback(*s);
    s->currentSlot = slotIndex;
    ResetPlayback(*s, Fade::kCancel);
    SongSlot& slot = s->slots[static_cast<std::size_t>(slotIndex)];
    s->loopStart = slot.song ? slot.song->loopStart : 0;
    if (s->downloadOnPlay && slot.song) DownloadInstruments(*s, *slot.song);
    if (slot.song) slot.song->Rewind();
    if (!slot.inUse || !slot.song) return;
    s->silent = true;
    SendChannelSetup(*s);
    s->silent = false;
    s->startMark = platform::TimeGetTime() + kStartDelayHalf;
    s->stopRequested = false;
    s->fadeOffset = 0;
    StartTiming(*s);
    slot.playing = true;
    s->looping = true;
}

void Stop() {
    if (State* s = Current()) StopPlayback(*s);
}

void Pause() {
    State* s = Current();
    if (!s) return;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    if (s->auditioning) {
        ReturnToHeldPlace(*s);
        return;
    }
    if (s->paused || s->stopRequested || !CurrentSong(*s)) return;
    if (!s->slots[static_cast<std::size_t>(s->currentSlot)].playing) return;
    s->paused = true;
    CancelTimer(*s);
    const std::uint32_t now = platform::TimeGetTime();
    if (s->startMark != 0) {
        s->startDelayLeft = static_cast<std::int32_t>(s->startMark - now);
    } else {
        s->elapsed = now - s->timingOrigin;
    }
    ReleaseEveryNote(*s);
}

void Resume() {
    State* s = Current();
    if (!s) return;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    if (s->auditioning) ReturnToHeldPlace(*s);
    if (s->paused) GoOn(*s);
}

void Audition() {
    State* s = Current();
    if (!s) return;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    const MidiSong* song = CurrentSong(*s);
    if (!s->paused || s->auditioning || !song) return;
    HeldPlace& h = s->held;
    h = HeldPlace{song->cursor, song->position, s->countdown,     s->dispatched,     s->tempo,     s->tickScale,
                  s->period,    s->elapsed,    s->startDelayLeft, s->startMark != 0, s->catchingUp};
    std::copy(std::begin(s->channels), std::end(s->channels), std::begin(h.channels));
    s->auditioning = true;
    GoOn(*s);
}

bool FadeOut(std::int32_t milliseconds) {
    State* s = Current();
    if (!s) return true;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    s->fadeOffset = 0;
    s->fadeLength = milliseconds / static_cast<std::int32_t>(s->period);
    s->fadeCount = 0;
    s->fadingOut = true;
    return true;
}

}  // namespace GeneMusic

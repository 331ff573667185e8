// The sequencer's lifetime: initialisation, song loading, the playback thread and destruction.

#include "audio/gene_music.h"

#include <fstream>
#include <iterator>
#include <new>
#include <system_error>

#include "core/log.h"
#include "audio/gene_music_state.h"
#include "audio/gene_music_testing.h"
#include "audio/midi_parser.h"
#include "audio/sound_bank.h"
#include "platform/audio/thread_priority.h"
#include "platform/core/clock.h"
#include "platform/core/game_path.h"

namespace GeneMusic::detail {

namespace {

State* g_state = nullptr;
std::uint32_t g_maxSongs = 64;
bool g_stepped = false;

constexpr std::size_t kMessageBufferBytes = 24;

void PlaybackThread(State* s) {
    platform::RaiseThreadPriority();
    platform::NameThisThread("korvex-music");
    for (;;) {
        s->tickSemaphore->Acquire();
        if (s->stopSignalled.exchange(false)) break;
        Wakeup(*s);
    }
    LogWrite("＞MIDIスレッドを終了します\n");
}

}  // namespace

State* Current() { return g_state; }

}  // namespace GeneMusic::detail

namespace GeneMusic {

using namespace detail;

void SetMaxSongs(std::uint32_t count) { g_maxSongs = count; }

bool Initialize(std::int32_t portChoice) {
    // A second initialisation replaces the first rather than leaking its thread.
    if (g_state) Destroy();
    LogWrite("GeneMusicクラスの初期化\n");
    g_state = new State();
    State& s = *g_state;
    LogWrite("ミュージック用メモリ確保\n");
    LogWrite("　　　最大ミュージック数 [ %u ]\n", g_maxSongs);
    try {
        s.slots.resize(g_maxSongs);
    } catch (const std::bad_alloc&) {
        LogWrite("　　　ミュージック用メモリの確保に失敗\n");
        return false;
    } catch (const std::length_error&) {
        LogWrite("　　　ミュージック用メモリの確保に失敗\n");
        return false;
    }

    s.currentSlot = -1;
    s.music = platform::CreateMidiSystem();
    if (!s.music) {
        LogWrite("　エラー : DirectMusicの生成に失敗\n");
        return false;
    }
    LogWrite("　■ DirectMusicオブジェクトを生成\n");

    GameSoundBank.GetDevice(&s.soundDevice);
    s.music->SetSoundDevice(s.soundDevice);

    platform::MidiPortCaps caps;
    for (std::uint32_t i = 0; s.music->EnumPort(i, &caps); ++i) {
    }
    if (portChoice == -2) {
        s.music->GetDefaultPort(&caps);
    } else if (portChoice == -1) {
        s.music->EnumPort(1, &caps);
    } else {
        s.music->EnumPort(static_cast<std::uint32_t>(portChoice), &caps);
    }
    LogWrite("＞MIDI出力先を[%s]に設定します\n", caps.description.c_str());

    const std::int32_t result = s.music->CreatePort(caps, &s.port);
    if (result != platform::kMidiOk || !s.port) {
        LogWrite("Error:ポート作成失敗しとるでげす %x\n", static_cast<unsigned>(result));
        return false;
    }
    s.messageBuffer = s.music->CreateMusicBuffer(kMessageBufferBytes);
    if (!s.messageBuffer) {
        LogWrite("Error:メッセージバッファ確保できませんでした\n");
        return false;
    }
    s.latencyClock = s.port->GetLatencyClock();
    if (!s.latencyClock) {
        LogWrite("Error:遅延時間クロックが確保できませんでした\n");
        return false;
    }
    s.systemClock = s.music->CreateSystemClock();
    if (!s.systemClock) {
        LogWrite("Error:同期用タイマーが確保できませんでした\n");
        return false;
    }
    if (!s.music->Activate(true)) {
        LogWrite("Error:MIDIデバイスの確保に失敗しとるでげす\n");
        return false;
    }
    s.loader = s.music->CreateLoader();
    if (!s.loader) {
        LogWrite("Error:ローダの確保に失敗しとるでげす\n");
        return false;
    }

    s.countdown = 0;
    for (ChannelState& ch : s.channels) ch = ChannelState{};
    s.fadingOut = false;
    // The semaphore is the state's, made before the thread and the clock can use it, and destroyed only
    // after both are gone.
    s.tickSemaphore = std::make_unique<platform::CountingSemaphore>(0, kSemaphoreMax);
    if (!g_stepped) {
        try {
            s.thread = std::thread(PlaybackThread, &s);
        } catch (const std::system_error&) {
            LogWrite("Error:演奏用スレッドの起動に失敗しました\n");
            return false;
        }
    }
    s.currentSlot = -1;
    return true;
}

void LoadCollection(const char* file) {
    State* s = Current();
    if (!s) return;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    s->collection.reset();
    if (s->loader) {
        s->collection = file ? s->loader->GetCollectionFromFile(file) : s->loader->GetDefaultCollection();
    }
    s->downloadOnPlay = true;
}

std::int32_t LoadSong(const char* path) {
    if (!path || !Current()) return -1;
    std::ifstream in(platform::ResolveGamePath(path), std::ios::binary);
    if (!in) return -1;
    std::vector<std::uint8_t> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return LoadSongFromMemory(bytes.data(), bytes.size());
}

std::int32_t LoadSongFromMemory(const std::uint8_t* bytes, std::size_t size) {
    State* s = Current();
    if (!s) return -1;
    // Parsed before a slot is taken, so the playback thread is not held up by it.
    auto song = std::make_unique<MidiSong>();
    if (!ParseMidiFile(bytes, size, song.get())) return -1;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    for (std::size_t i = 0; i < s->slots.size(); ++i) {
        SongSlot& slot = s->slots[i];
        if (slot.inUse) continue;
        slot.inUse = true;
        slot.refCount = 1;
        slot.song = std::move(song);
        slot.playing = false;
        return static_cast<std::int32_t>(i);
    }
    return -1;
}

bool Unload(std::int32_t slotIndex) {
    State* s = Current();
    if (!s || slotIndex < 0) return false;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    if (static_cast<std::size_t>(slotIndex) >= s->slots.size()) return false;
    SongSlot& slot = s->slots[static_cast<std::size_t>(slotIndex)];
    if (!slot.inUse) return false;
    StopPlayback(*s);
    if (--slot.refCount > 0) return true;
    slot = SongSlot{};
    return true;
}

void Destroy() {
    LogWrite("GeneMusicクラスの解放\n");
    State* s = Current();
    if (!s) return;
    Stop();
    platform::Sleep(10);
    if (s->thread.joinable()) {
        s->stopSignalled = true;
        s->tickSemaphore->Release(1);
        s->thread.join();
    }
    for (std::size_t i = 0; i < s->slots.size(); ++i) {
        {
            std::lock_guard<std::recursive_mutex> lock(s->control);
            s->slots[i].refCount = 1;
        }
        if (Unload(static_cast<std::int32_t>(i))) LogWrite("Music Destroy [ No.%u ]\n", static_cast<unsigned>(i));
    }
    s->slots.clear();

    if (s->soundDevice) {
        s->soundDevice.reset();
        LogWrite("　■ DirectSoundを解体\n");
    }
    if (s->music) {
        s->music.reset();
        LogWrite("　■ DirectMusicを解体\n");
    }
    if (s->port) {
        s->port.reset();
        LogWrite("　■ DirectMusicPortを解体\n");
    }
    if (s->messageBuffer) {
        s->messageBuffer.reset();
        LogWrite("　■ DirectMusicBufferを解体\n");
    }
    if (s->latencyClock) {
        s->latencyClock = nullptr;
        LogWrite("　■ 遅延時間クロックを解体\n");
    }
    if (s->systemClock) {
        s->systemClock.reset();
        LogWrite("　■ 同期用タイマーを解体\n");
    }
    if (s->loader) {
        s->loader.reset();
        LogWrite("　■ DirectMusicLoaderを解体\n");
    }
    s->collection.reset();
    delete s;
    g_state = nullptr;
}

}  // namespace GeneMusic

namespace GeneMusic::testing {

void SetStepped(bool stepped) { detail::g_stepped = stepped; }

int RunPendingWakeups() {
    detail::State* s = detail::Current();
    if (!s || !s->tickSemaphore) return 0;
    int ran = 0;
    while (s->tickSemaphore->TryAcquire()) {
        detail::Wakeup(*s);
        ++ran;
    }
    return ran;
}

Snapshot Inspect() {
    Snapshot shot;
    detail::State* s = detail::Current();
    if (!s) return shot;
    std::lock_guard<std::recursive_mutex> lock(s->control);
    shot.exists = true;
    shot.currentSlot = s->currentSlot;
    if (s->currentSlot >= 0 && static_cast<std::size_t>(s->currentSlot) < s->slots.size()) {
        shot.playing = s->slots[static_cast<std::size_t>(s->currentSlot)].playing;
    }
    if (const MidiSong* song = detail::CurrentSong(*s)) shot.position = song->position;
    shot.tempo = s->tempo;
    shot.fadingOut = s->fadingOut;
    shot.catchingUp = s->catchingUp;
    shot.timerRunning = s->adviseCookie != 0;
    shot.threadRunning = s->thread.joinable();
    shot.downloadOnPlay = s->downloadOnPlay;
    return shot;
}

}  // namespace GeneMusic::testing

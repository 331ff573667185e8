// Sending to the output port: every message is stamped with the port's latency clock as it is sent.

#include <algorithm>

#include "audio/gene_music_state.h"

namespace GeneMusic::detail {

namespace {

constexpr std::uint32_t kChannelGroup = 0;
// Room the port's packing needs around a system-exclusive block.
constexpr std::size_t kSysExBufferExtra = 20;

std::uint8_t ClampToData(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

}  // namespace

int TruncatedFade(const State& s) { return static_cast<int>(s.fadeOffset); }

void SendShort(State& s, std::uint8_t status, std::uint8_t d1, std::uint8_t d2) {
    std::lock_guard<std::mutex> lock(s.sendLock);
    if (!s.port || !s.messageBuffer || !s.latencyClock) return;
    const std::uint64_t t = s.latencyClock->GetTime();
    const std::uint32_t message = std::uint32_t{status} | (std::uint32_t{d1} << 8) | (std::uint32_t{d2} << 16);
    s.messageBuffer->PackStructured(t, kChannelGroup, message);
    s.port->PlayBuffer(*s.messageBuffer);
    s.messageBuffer->Flush();
}

void SendSysEx(State& s, const SysExBlock& block) {
    std::lock_guard<std::mutex> lock(s.sendLock);
    if (!s.port || !s.music || !s.latencyClock) return;
    const std::uint64_t t = s.latencyClock->GetTime();
    s.sysexBuffer = s.music->CreateMusicBuffer(block.data.size() + kSysExBufferExtra);
    if (!s.sysexBuffer) return;
    s.sysexBuffer->PackUnstructured(t, kChannelGroup, block.data.data(), block.data.size());
    s.port->PlayBuffer(*s.sysexBuffer);
    s.sysexBuffer->Flush();
    s.sysexBuffer.reset();
}

// During a fade-out (a loop or a catch-up in the middle of one) the volumes keep the fade, so the
// music does not jump back to full volume; otherwise the fade offset is cleared as the set-up goes out.
void SendChannelSetup(State& s) {
    if (!s.fadingOut) s.fadeOffset = 0;
    const int fade = TruncatedFade(s);
    for (int pass = 0; pass < 2; ++pass) {
        for (int c = 0; c < 16; ++c) {
            const ChannelState& ch = s.channels[c];
            const auto cc = static_cast<std::uint8_t>(0xB0 + c);
            SendShort(s, static_cast<std::uint8_t>(0xC0 + c), ch.program, 0);
            SendShort(s, cc, 0, ch.bank);
            SendShort(s, cc, 10, ch.pan);
            SendShort(s, cc, 91, ch.reverb);
            SendShort(s, cc, 93, ch.chorus);
            SendShort(s, cc, 7, ClampToData(ch.volume + fade));
        }
    }
}

void SendAllVolumes(State& s, int extraOffset) {
    if (s.silent) return;
    const int fade = TruncatedFade(s);
    for (int c = 0; c < 16; ++c) {
        SendShort(s, static_cast<std::uint8_t>(0xB0 + c), 7, ClampToData(extraOffset + s.channels[c].volume + fade));
    }
}

void SendAllSoundOff(State& s) {
    if (s.silent) return;
    SendControllerToAll(s, 120, 0);
}

void SendControllerToAll(State& s, std::uint8_t controller, std::uint8_t value) {
    for (int c = 0; c < 16; ++c) SendShort(s, static_cast<std::uint8_t>(0xB0 + c), controller, value);
}

}  // namespace GeneMusic::detail

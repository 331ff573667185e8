#pragma once
// The MIDI output system the music sequencer plays through: port enumeration, an output port that
// takes buffers of timestamped messages, instrument collections downloaded by patch number, and the
// system reference clock. The game's implementation is one FluidSynth synthesiser rendered inside the
// sound device's mixer; tests install a factory of their own (a port that records what it is sent).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/midi_buffer.h"
#include "platform/audio/reference_clock.h"

namespace platform {

class SoundDevice;

// Result codes of CreatePort (0 = success).
inline constexpr std::int32_t kMidiOk = 0;
inline constexpr std::int32_t kMidiNoSuchPort = 0x101;
inline constexpr std::int32_t kMidiNoSoundDevice = 0x102;
inline constexpr std::int32_t kMidiSynthFailed = 0x103;

// Patch numbers: program in bits 0-7, bank LSB in 8-15, bank MSB in 16-23, bit 31 for a drum kit.
inline constexpr std::uint32_t kDrumPatchFlag = 0x80000000u;

struct MidiPortCaps {
    std::uint32_t id = 0;
    std::string description;
};

class Instrument {
public:
    explicit Instrument(std::uint32_t patch) : patch_(patch) {}
    std::uint32_t Patch() const { return patch_; }
    void SetPatch(std::uint32_t patch) { patch_ = patch; }

private:
    std::uint32_t patch_;
};

class InstrumentCollection {
public:
    virtual ~InstrumentCollection() = default;
    // Null when the collection has no instrument under that patch.
    virtual std::unique_ptr<Instrument> GetInstrument(std::uint32_t patch) = 0;
};

class InstrumentLoader {
public:
    virtual ~InstrumentLoader() = default;
    // The General MIDI set; null when the system has none.
    virtual std::unique_ptr<InstrumentCollection> GetDefaultCollection() = 0;
    virtual std::unique_ptr<InstrumentCollection> GetCollectionFromFile(const std::string& path) = 0;
};

class MidiPort {
public:
    virtual ~MidiPort() = default;
    // The earliest time at which a message sent now can sound; messages are stamped with it.
    virtual ReferenceClock* GetLatencyClock() = 0;
    // Queues every event of the buffer to sound at its time stamp. Never blocks.
    virtual void PlayBuffer(const MidiBuffer& buffer) = 0;
    virtual bool DownloadInstrument(const Instrument& instrument) = 0;
    virtual void Compact() = 0;
};

class MidiSystem {
public:
    virtual ~MidiSystem() = default;
    // The sound device the ports render through; none means a port cannot be made.
    virtual void SetSoundDevice(std::shared_ptr<SoundDevice> device) = 0;
    // Fills `caps` with the port at `index`; false (caps untouched) past the last port.
    virtual bool EnumPort(std::uint32_t index, MidiPortCaps* caps) = 0;
    virtual bool GetDefaultPort(MidiPortCaps* caps) = 0;
    virtual std::int32_t CreatePort(const MidiPortCaps& caps, std::unique_ptr<MidiPort>* port) = 0;
    virtual std::unique_ptr<MidiBuffer> CreateMusicBuffer(std::size_t bytes);
    virtual bool Activate(bool enable) = 0;
    virtual std::unique_ptr<ReferenceClock> CreateSystemClock() = 0;
    virtual std::unique_ptr<InstrumentLoader> CreateLoader() = 0;
};

using MidiSystemFactory = std::function<std::unique_ptr<MidiSystem>()>;

// The installed factory's system; FluidSynth unless a test installed another.
std::unique_ptr<MidiSystem> CreateMidiSystem();
// An empty factory restores FluidSynth.
void InstallMidiSystemFactory(MidiSystemFactory factory);

}  // namespace platform

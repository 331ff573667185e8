#pragma once
// A MIDI system for tests: its one port records every message with its time stamp, its system clock is
// driven by whoever moves the ManualClock, and its collection knows the patches it is told about.

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/audio/midi_system.h"
#include "platform/audio/system_reference_clock.h"

struct RecordedMessage {
    std::uint64_t time = 0;
    bool structured = true;
    std::uint32_t message = 0;
    std::vector<std::uint8_t> bytes;

    std::uint8_t Status() const { return static_cast<std::uint8_t>(message & 0xFF); }
    std::uint8_t D1() const { return static_cast<std::uint8_t>((message >> 8) & 0xFF); }
    std::uint8_t D2() const { return static_cast<std::uint8_t>((message >> 16) & 0xFF); }
    bool IsNoteOn() const { return structured && (Status() & 0xF0) == 0x90 && D2() > 0; }
    bool IsControl(int controller) const { return structured && (Status() & 0xF0) == 0xB0 && D1() == controller; }
    bool IsProgram() const { return structured && (Status() & 0xF0) == 0xC0; }
};

// What the port saw; outlives the system and port so tests can look after Destroy.
struct RecordingLog {
    std::mutex mutex;
    std::vector<RecordedMessage> messages;
    std::vector<std::uint32_t> downloads;
    int compacts = 0;

    std::vector<RecordedMessage> Snapshot() {
        std::lock_guard<std::mutex> lock(mutex);
        return messages;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex);
        messages.clear();
        downloads.clear();
        compacts = 0;
    }
};

struct RecordingOptions {
    std::int32_t createPortResult = platform::kMidiOk;
    bool clockByCaller = true;                  // false: the clock runs its own thread
    std::set<std::uint32_t> collectionPatches;  // patches the default collection holds
    std::string description = "Recording port";
};

class RecordingMidiSystem final : public platform::MidiSystem {
public:
    RecordingMidiSystem(std::shared_ptr<RecordingLog> log, RecordingOptions options,
                        platform::SystemReferenceClock** clockOut)
        : log_(std::move(log)), options_(std::move(options)), clockOut_(clockOut) {}

    void SetSoundDevice(std::shared_ptr<platform::SoundDevice> device) override { device_ = std::move(device); }
    bool EnumPort(std::uint32_t index, platform::MidiPortCaps* caps) override;
    bool GetDefaultPort(platform::MidiPortCaps* caps) override { return EnumPort(0, caps); }
    std::int32_t CreatePort(const platform::MidiPortCaps& caps, std::unique_ptr<platform::MidiPort>* port) override;
    bool Activate(bool) override { return true; }
    std::unique_ptr<platform::ReferenceClock> CreateSystemClock() override;
    std::unique_ptr<platform::InstrumentLoader> CreateLoader() override;

private:
    std::shared_ptr<RecordingLog> log_;
    RecordingOptions options_;
    platform::SystemReferenceClock** clockOut_;
    std::shared_ptr<platform::SoundDevice> device_;
};

// Installs the recording system for the lifetime of the object.
class ScopedRecordingMidi {
public:
    explicit ScopedRecordingMidi(RecordingOptions options = {});
    ~ScopedRecordingMidi();
    RecordingLog& Log() { return *log_; }
    // The system clock the sequencer made (kByCaller); null before Initialize.
    platform::SystemReferenceClock* Clock() const { return clock_; }

private:
    std::shared_ptr<RecordingLog> log_ = std::make_shared<RecordingLog>();
    platform::SystemReferenceClock* clock_ = nullptr;
};

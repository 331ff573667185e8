#include "audio/recording_midi_system.h"

#include "platform/core/clock.h"

namespace {

class RecordingLatencyClock final : public platform::ReferenceClock {
public:
    std::uint64_t GetTime() const override { return platform::CurrentClock().Micros(); }
    std::uint32_t AdvisePeriodic(std::uint64_t, std::uint64_t, platform::CountingSemaphore*) override { return 0; }
    void Unadvise(std::uint32_t) override {}
};

class RecordingPort final : public platform::MidiPort {
public:
    explicit RecordingPort(std::shared_ptr<RecordingLog> log) : log_(std::move(log)) {}
    platform::ReferenceClock* GetLatencyClock() override { return &clock_; }
    void PlayBuffer(const platform::MidiBuffer& buffer) override {
        std::lock_guard<std::mutex> lock(log_->mutex);
        for (std::size_t i = 0; i < buffer.EventCount(); ++i) {
            const auto& e = buffer.EventAt(i);
            RecordedMessage m;
            m.time = e.time;
            m.structured = e.structured;
            m.message = e.message;
            if (!e.structured) m.bytes.assign(buffer.BytesOf(e), buffer.BytesOf(e) + e.size);
            log_->messages.push_back(std::move(m));
        }
    }
    bool DownloadInstrument(const platform::Instrument& instrument) override {
        std::lock_guard<std::mutex> lock(log_->mutex);
        log_->downloads.push_back(instrument.Patch());
        return true;
    }
    void Compact() override {
        std::lock_guard<std::mutex> lock(log_->mutex);
        ++log_->compacts;
    }

private:
    std::shared_ptr<RecordingLog> log_;
    RecordingLatencyClock clock_;
};

class SetCollection final : public platform::InstrumentCollection {
public:
    explicit SetCollection(std::set<std::uint32_t> patches) : patches_(std::move(patches)) {}
    std::unique_ptr<platform::Instrument> GetInstrument(std::uint32_t patch) override {
        if (!patches_.count(patch)) return nullptr;
        return std::make_unique<platform::Instrument>(patch);
    }

private:
    std::set<std::uint32_t> patches_;
};

class SetLoader final : public platform::InstrumentLoader {
public:
    explicit SetLoader(std::set<std::uint32_t> patches) : patches_(std::move(patches)) {}
    std::unique_ptr<platform::InstrumentCollection> GetDefaultCollection() override {
        return std::make_unique<SetCollection>(patches_);
    }
    std::unique_ptr<platform::InstrumentCollection> GetCollectionFromFile(const std::string&) override {
        return nullptr;
    }

private:
    std::set<std::uint32_t> patches_;
};

}  // namespace

bool RecordingMidiSystem::EnumPort(std::uint32_t index, platform::MidiPortCaps* caps) {
    if (index != 0 || !caps) return false;
    caps->id = 0;
    caps->description = options_.description;
    return true;
}

std::int32_t RecordingMidiSystem::CreatePort(const platform::MidiPortCaps&, std::unique_ptr<platform::MidiPort>* port) {
    if (options_.createPortResult != platform::kMidiOk) return options_.createPortResult;
    *port = std::make_unique<RecordingPort>(log_);
    return platform::kMidiOk;
}

std::unique_ptr<platform::ReferenceClock> RecordingMidiSystem::CreateSystemClock() {
    auto clock = std::make_unique<platform::SystemReferenceClock>(
        options_.clockByCaller ? platform::SystemReferenceClock::Drive::kByCaller
                               : platform::SystemReferenceClock::Drive::kOwnThread);
    if (clockOut_) *clockOut_ = clock.get();
    return clock;
}

std::unique_ptr<platform::InstrumentLoader> RecordingMidiSystem::CreateLoader() {
    return std::make_unique<SetLoader>(options_.collectionPatches);
}

ScopedRecordingMidi::ScopedRecordingMidi(RecordingOptions options) {
    auto log = log_;
    platform::SystemReferenceClock** clockOut = &clock_;
    platform::InstallMidiSystemFactory(
        [log, options, clockOut] { return std::make_unique<RecordingMidiSystem>(log, options, clockOut); });
}

ScopedRecordingMidi::~ScopedRecordingMidi() { platform::InstallMidiSystemFactory(nullptr); }

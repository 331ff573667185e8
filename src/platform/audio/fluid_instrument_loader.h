#pragma once
// Instrument collections over SoundFont 2 files: an instrument is found when the sound font has a
// preset for the patch's bank and program (a drum patch looks in the percussion bank, 128).

#include <string>

#include "platform/audio/midi_system.h"

namespace platform {

class FluidInstrumentLoader final : public InstrumentLoader {
public:
    explicit FluidInstrumentLoader(std::string defaultSoundFont) : default_(std::move(defaultSoundFont)) {}
    std::unique_ptr<InstrumentCollection> GetDefaultCollection() override;
    std::unique_ptr<InstrumentCollection> GetCollectionFromFile(const std::string& path) override;

private:
    std::string default_;
};

}  // namespace platform

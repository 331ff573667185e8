#pragma once
// The game's MIDI system: one port, the FluidSynth synthesiser with the General MIDI sound font, rendered
// through the sound device it is given. Its default instrument collection is that sound font.

#include <memory>
#include <string>

#include "platform/audio/midi_system.h"

namespace platform {

class FluidMidiSystem final : public MidiSystem {
public:
    FluidMidiSystem();  // looks the sound font up
    explicit FluidMidiSystem(std::string soundFont);

    void SetSoundDevice(std::shared_ptr<SoundDevice> device) override { device_ = std::move(device); }
    bool EnumPort(std::uint32_t index, MidiPortCaps* caps) override;
    bool GetDefaultPort(MidiPortCaps* caps) override { return EnumPort(0, caps); }
    std::int32_t CreatePort(const MidiPortCaps& caps, std::unique_ptr<MidiPort>* port) override;
    bool Activate(bool) override { return true; }
    std::unique_ptr<ReferenceClock> CreateSystemClock() override;
    std::unique_ptr<InstrumentLoader> CreateLoader() override;

    const std::string& SoundFont() const { return soundFont_; }
    std::string Description() const;

private:
    std::string soundFont_;
    std::shared_ptr<SoundDevice> device_;
};

}  // namespace platform

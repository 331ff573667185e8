#include "platform/audio/fluid_midi_system.h"

#include <fluidsynth.h>

#include "platform/audio/fluid_instrument_loader.h"
#include "platform/audio/fluid_synth_port.h"
#include "platform/audio/soundfont_lookup.h"
#include "platform/audio/system_reference_clock.h"

namespace platform {

FluidMidiSystem::FluidMidiSystem() : soundFont_(FindSoundFont()) {}

FluidMidiSystem::FluidMidiSystem(std::string soundFont) : soundFont_(std::move(soundFont)) {}

std::string FluidMidiSystem::Description() const {
    std::string text = std::string("FluidSynth ") + FLUIDSYNTH_VERSION + " (";
    text += soundFont_.empty() ? std::string("no SoundFont") : soundFont_;
    return text + ")";
}

bool FluidMidiSystem::EnumPort(std::uint32_t index, MidiPortCaps* caps) {
    if (index != 0 || !caps) return false;
    caps->id = 0;
    caps->description = Description();
    return true;
}

std::int32_t FluidMidiSystem::CreatePort(const MidiPortCaps& caps, std::unique_ptr<MidiPort>* port) {
    if (!port) return kMidiSynthFailed;
    port->reset();
    if (caps.id != 0) return kMidiNoSuchPort;
    if (!device_) return kMidiNoSoundDevice;
    std::unique_ptr<FluidSynthPort> made = FluidSynthPort::Create(device_, soundFont_);
    if (!made) return kMidiSynthFailed;
    *port = std::move(made);
    return kMidiOk;
}

std::unique_ptr<ReferenceClock> FluidMidiSystem::CreateSystemClock() {
    // The sequencer's own thread keeps the deadlines while it waits for them: one wake-up per tick
    // instead of a clock thread's and then the sequencer's.
    return std::make_unique<SystemReferenceClock>(SystemReferenceClock::Drive::kOnDemand);
}

std::unique_ptr<InstrumentLoader> FluidMidiSystem::CreateLoader() {
    return std::make_unique<FluidInstrumentLoader>(soundFont_);
}

}  // namespace platform

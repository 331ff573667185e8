#include "platform/audio/fluid_instrument_loader.h"

#include <fluidsynth.h>

#include "platform/audio/fluid_log.h"

namespace platform {

namespace {

class FluidCollection final : public InstrumentCollection {
public:
    FluidCollection(fluid_settings_t* settings, fluid_synth_t* synth, fluid_sfont_t* sfont)
        : settings_(settings), synth_(synth), sfont_(sfont) {}
    ~FluidCollection() override {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }

    std::unique_ptr<Instrument> GetInstrument(std::uint32_t patch) override {
        const std::uint32_t program = patch & 0xFF;
        if (program > 127) return nullptr;
        const int bank = (patch & kDrumPatchFlag) ? 128 : static_cast<int>((patch >> 16) & 0x7F);
        if (!fluid_sfont_get_preset(sfont_, bank, static_cast<int>(program))) return nullptr;
        return std::make_unique<Instrument>(patch);
    }

private:
    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    fluid_sfont_t* sfont_;
};

std::unique_ptr<InstrumentCollection> OpenCollection(const std::string& path) {
    if (path.empty()) return nullptr;
    SilenceFluidSynthLog();
    if (!fluid_is_soundfont(path.c_str())) return nullptr;
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    // Only the preset table is wanted here, not the samples.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const int id = synth ? fluid_synth_sfload(synth, path.c_str(), 0) : FLUID_FAILED;
    fluid_sfont_t* sfont = id == FLUID_FAILED ? nullptr : fluid_synth_get_sfont_by_id(synth, id);
    if (!sfont) {
        if (synth) delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return nullptr;
    }
    return std::make_unique<FluidCollection>(settings, synth, sfont);
}

}  // namespace

std::unique_ptr<InstrumentCollection> FluidInstrumentLoader::GetDefaultCollection() { return OpenCollection(default_); }

std::unique_ptr<InstrumentCollection> FluidInstrumentLoader::GetCollectionFromFile(const std::string& path) {
    return OpenCollection(path);
}

}  // namespace platform

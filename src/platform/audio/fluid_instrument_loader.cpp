#include "platform/audio/fluid_instrument_loader.h"

#include <fluidsynth.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/audio/fluid_log.h"

namespace platform {

namespace {

int PresetKey(int bank, int program) { return bank * 128 + program; }

// Only the sound font's preset table, read once: the synthesiser that read it is gone before the
// collection is handed out, so a second copy of the font's zones does not stay beside the player's.
class FluidCollection final : public InstrumentCollection {
public:
    explicit FluidCollection(std::vector<int> presets) : presets_(std::move(presets)) {}

    std::unique_ptr<Instrument> GetInstrument(std::uint32_t patch) override {
        const std::uint32_t program = patch & 0xFF;
        if (program > 127) return nullptr;
        const int bank = (patch & kDrumPatchFlag) ? 128 : static_cast<int>((patch >> 16) & 0x7F);
        if (!std::binary_search(presets_.begin(), presets_.end(), PresetKey(bank, static_cast<int>(program)))) {
            return nullptr;
        }
        return std::make_unique<Instrument>(patch);
    }

private:
    std::vector<int> presets_;  // sorted
};

std::unique_ptr<InstrumentCollection> OpenCollection(const std::string& path) {
    if (path.empty()) return nullptr;
    SilenceFluidSynthLog();
    if (!fluid_is_soundfont(path.c_str())) return nullptr;
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    // Only the preset table is wanted here: no samples, and the fewest voices the synthesiser allows.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.polyphony", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const int id = synth ? fluid_synth_sfload(synth, path.c_str(), 0) : FLUID_FAILED;
    fluid_sfont_t* sfont = id == FLUID_FAILED ? nullptr : fluid_synth_get_sfont_by_id(synth, id);
    std::vector<int> presets;
    if (sfont) {
        fluid_sfont_iteration_start(sfont);
        while (fluid_preset_t* preset = fluid_sfont_iteration_next(sfont)) {
            presets.push_back(PresetKey(fluid_preset_get_banknum(preset), fluid_preset_get_num(preset)));
        }
        std::sort(presets.begin(), presets.end());
    }
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    if (!sfont) return nullptr;
    return std::make_unique<FluidCollection>(std::move(presets));
}

}  // namespace

std::unique_ptr<InstrumentCollection> FluidInstrumentLoader::GetDefaultCollection() { return OpenCollection(default_); }

std::unique_ptr<InstrumentCollection> FluidInstrumentLoader::GetCollectionFromFile(const std::string& path) {
    return OpenCollection(path);
}

}  // namespace platform

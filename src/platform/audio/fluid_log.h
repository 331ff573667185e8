#pragma once
// FluidSynth reports to stderr by default (missing presets, files looked for); the game keeps quiet.

namespace platform {

void SilenceFluidSynthLog();

}  // namespace platform

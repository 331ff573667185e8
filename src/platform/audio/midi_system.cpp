#include "platform/audio/midi_system.h"

#include <mutex>

#include "platform/audio/fluid_midi_system.h"

namespace platform {

namespace {

std::mutex g_factoryLock;
MidiSystemFactory g_factory;

}  // namespace

std::unique_ptr<MidiBuffer> MidiSystem::CreateMusicBuffer(std::size_t bytes) {
    if (bytes == 0) return nullptr;
    return std::make_unique<MidiBuffer>(bytes);
}

std::unique_ptr<MidiSystem> CreateMidiSystem() {
    MidiSystemFactory factory;
    {
        std::lock_guard<std::mutex> lock(g_factoryLock);
        factory = g_factory;
    }
    if (factory) return factory();
    return std::make_unique<FluidMidiSystem>();
}

void InstallMidiSystemFactory(MidiSystemFactory factory) {
    std::lock_guard<std::mutex> lock(g_factoryLock);
    g_factory = std::move(factory);
}

}  // namespace platform

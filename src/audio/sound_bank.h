#pragma once
// The sound effects: fifteen wave files loaded at start-up into buffers of the sound device, one per
// slot, played by slot number from anywhere in the game. Playing a slot restarts it from its beginning;
// a slot never overlaps itself. The bank's device is lent to the music sequencer, which renders through it.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/audio/sound_device.h"
#include "platform/core/window.h"

class SoundBank {
public:
    static constexpr int kSlotCount = 40;
    static constexpr int kEffectCount = 15;

    SoundBank();
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // Opens the sound device and loads the fifteen effects from "w\\". False when no device can be had;
    // the game then goes on silent. A missing or unplayable file leaves only its slot silent.
    bool Init(platform::WindowHandle window);
    // Init with a device already open (an offline one in tests and tools).
    bool InitWithDevice(std::shared_ptr<platform::SoundDevice> device);

    bool Play(std::int32_t slot);
    // Silences every effect that is playing (the game paused); each plays again when next played.
    void StopAll();
    // Music and effects volume levels (0 to kVolumeFull, see audio/volume.h), heard at once; kept for a
    // device opened later.
    void SetMusicVolume(int level);
    void SetEffectsVolume(int level);
    int MusicVolume() const { return musicVolume_; }
    int EffectsVolume() const { return effectsVolume_; }
    // Hands out the device with one more reference; false (and none) when there is no device.
    bool GetDevice(std::shared_ptr<platform::SoundDevice>* device) const;
    void FreeSlot(std::int32_t slot);
    bool HasSound(std::int32_t slot) const;

    // The file of each of the fifteen effects, by slot.
    static const char* EffectFile(int slot);

private:
    void LoadSlot(int slot, const char* file);
    void ApplyVolumes();

    std::shared_ptr<platform::SoundDevice> device_;
    std::array<std::unique_ptr<platform::SoundBuffer>, kSlotCount> buffers_;
    int musicVolume_;
    int effectsVolume_;
};

// The program's one bank: constructed before the entry function runs, destroyed after it returns.
extern SoundBank GameSoundBank;

// GameSoundBank.Play for the rest of the game.
bool PlaySound(std::int32_t slot);

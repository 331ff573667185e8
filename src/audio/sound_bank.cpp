#include "audio/sound_bank.h"

#include "audio/volume.h"
#include "audio/wave_file.h"

SoundBank GameSoundBank;

namespace {

constexpr const char* kEffectFiles[SoundBank::kEffectCount] = {
    "w\\pishun.wav", "w\\bokan.wav",  "w\\bokaan.wav", "w\\don20.wav",   "w\\warp1.wav",
    "w\\get1.wav",   "w\\sinpi5.wav", "w\\bse9.wav",   "w\\bse10.wav",   "w\\bse8.wav",
    "w\\don14.wav",  "w\\se8.wav",    "w\\pikabu.wav", "w\\don09_a.wav", "w\\se6.wav",
};

bool ValidSlot(std::int32_t slot) { return slot >= 0 && slot < SoundBank::kSlotCount; }

}  // namespace

const char* SoundBank::EffectFile(int slot) { return slot >= 0 && slot < kEffectCount ? kEffectFiles[slot] : nullptr; }

SoundBank::SoundBank() : musicVolume_(kVolumeFull), effectsVolume_(kVolumeFull) {}

SoundBank::~SoundBank() {
    for (int i = 0; i < kSlotCount; ++i) FreeSlot(i);
    device_.reset();
}

bool SoundBank::Init(platform::WindowHandle) {
    std::shared_ptr<platform::SoundDevice> device = platform::SoundDevice::Open();
    if (!device) return false;
    return InitWithDevice(std::move(device));
}

bool SoundBank::InitWithDevice(std::shared_ptr<platform::SoundDevice> device) {
    if (!device) return false;
    device_ = std::move(device);
    ApplyVolumes();
    for (int slot = 0; slot < kEffectCount; ++slot) LoadSlot(slot, kEffectFiles[slot]);
    return true;
}

void SoundBank::LoadSlot(int slot, const char* file) {
    FreeSlot(slot);
    WaveData wave;
    if (!device_ || !ReadWaveFile(file, &wave)) return;
    buffers_[static_cast<std::size_t>(slot)] = device_->CreateBuffer(wave.format, wave.pcm.data(), wave.pcm.size());
}

bool SoundBank::Play(std::int32_t slot) {
    if (ValidSlot(slot) && buffers_[static_cast<std::size_t>(slot)]) buffers_[static_cast<std::size_t>(slot)]->Play();
    return true;
}

void SoundBank::StopAll() {
    for (const std::unique_ptr<platform::SoundBuffer>& buffer : buffers_) {
        if (buffer) buffer->Stop();
    }
}

void SoundBank::SetMusicVolume(int level) {
    musicVolume_ = ClampVolume(level);
    ApplyVolumes();
}

void SoundBank::SetEffectsVolume(int level) {
    effectsVolume_ = ClampVolume(level);
    ApplyVolumes();
}

void SoundBank::ApplyVolumes() {
    if (!device_) return;
    device_->Mixer().SetMusicGain(VolumeGain(musicVolume_));
    device_->Mixer().SetEffectsGain(VolumeGain(effectsVolume_));
}

bool SoundBank::GetDevice(std::shared_ptr<platform::SoundDevice>* device) const {
    if (!device) return false;
    *device = device_;
    return device_ != nullptr;
}

void SoundBank::FreeSlot(std::int32_t slot) {
    if (ValidSlot(slot)) buffers_[static_cast<std::size_t>(slot)].reset();
}

bool SoundBank::HasSound(std::int32_t slot) const {
    return ValidSlot(slot) && buffers_[static_cast<std::size_t>(slot)] != nullptr;
}

bool PlaySound(std::int32_t slot) { return GameSoundBank.Play(slot); }

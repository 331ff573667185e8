#include "platform/audio/audio_mixer.h"

#include <algorithm>
#include <cstring>

namespace platform {

MixerVoice::MixerVoice(std::vector<float> stereoFrames) : samples_(std::move(stereoFrames)) {}

// A restart or a stop cuts the old sound off over 1.5 ms: long enough not to click, short enough to be unheard.
AudioMixer::AudioMixer(int sampleRate)
    : rate_(sampleRate), fadeFrames_(std::max(1, sampleRate * 3 / 2000)), limiter_(sampleRate) {}

void AudioMixer::AddVoice(MixerVoice* voice) {
    std::lock_guard<std::mutex> lock(mutex_);
    voices_.push_back(voice);
}

void AudioMixer::RemoveVoice(MixerVoice* voice) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase(voices_, voice);
}

void AudioMixer::AddSource(AudioSource* source) {
    std::lock_guard<std::mutex> lock(mutex_);
    sources_.push_back(source);
}

void AudioMixer::RemoveSource(AudioSource* source) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase(sources_, source);
}

void AudioMixer::MixVoice(MixerVoice& v, float* out, int frames, float volume) {
    const std::uint32_t requests = v.requests_.load(std::memory_order_acquire);
    if (requests != v.seen_) {
        v.seen_ = requests;
        if (v.position_ >= 0) {
            v.tail_ = v.position_;
            v.tailLeft_ = fadeFrames_;
        }
        v.position_ = (requests & MixerVoice::kStopBit) != 0 ? -1 : 0;
    }
    const auto length = static_cast<std::int64_t>(v.Frames());
    const float* s = v.samples_.data();

    if (v.tail_ >= 0) {
        const std::int64_t n = std::min<std::int64_t>({frames, v.tailLeft_, length - v.tail_});
        for (std::int64_t i = 0; i < n; ++i) {
            const float gain = volume * static_cast<float>(v.tailLeft_ - i - 1) / static_cast<float>(fadeFrames_);
            out[2 * i] += s[2 * (v.tail_ + i)] * gain;
            out[2 * i + 1] += s[2 * (v.tail_ + i) + 1] * gain;
        }
        v.tail_ += n;
        v.tailLeft_ -= static_cast<std::int32_t>(n);
        if (v.tailLeft_ <= 0 || v.tail_ >= length) v.tail_ = -1;
    }

    if (v.position_ >= 0) {
        const std::int64_t n = std::min<std::int64_t>(frames, length - v.position_);
        const float* from = s + 2 * v.position_;
        for (std::int64_t i = 0; i < 2 * n; ++i) out[i] += from[i] * volume;
        v.position_ += n;
        if (v.position_ >= length) v.position_ = -1;
    }
}

void AudioMixer::Render(float* out, int frames, std::uint64_t nowMicros) {
    if (frames <= 0) return;
    std::memset(out, 0, sizeof(float) * 2 * static_cast<std::size_t>(frames));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const std::uint64_t first = framesRendered_.load(std::memory_order_relaxed);
        const float effects = EffectsGain();
        for (MixerVoice* v : voices_) MixVoice(*v, out, frames, effects);
        for (AudioSource* src : sources_) src->MixInto(out, frames, first, nowMicros);
        framesRendered_.store(first + static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
        limiter_.Process(out, frames);
    }
}

}  // namespace platform

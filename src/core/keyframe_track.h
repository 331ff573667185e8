#pragma once
// A float value over the tick count: keys at phases 0..1 of a pass of `duration` ms from `start`,
// interpolated linearly (or as one cubic Bezier curve over the first four keys).

#include <cstdint>
#include <memory>

class KeyframeTrack {
public:
    KeyframeTrack() = default;
    KeyframeTrack(const KeyframeTrack&) = delete;
    KeyframeTrack& operator=(const KeyframeTrack&) = delete;

    // Discards every key and makes room for n (contents undefined until set).
    void SetKeyCount(int n);
    int SetKey(int index, float time, float value);
    std::uint32_t SetStart(std::uint32_t tick);
    void SetDuration(std::uint32_t ms);
    std::uint32_t SetLooping(std::uint32_t flag);

    // 1 on success; 0 (outputs untouched) when an output is missing or there are no keys.
    int Evaluate(std::uint32_t tick, float* value, int* clamped) const;
    int EvaluateBezier(std::uint32_t tick, float* value, int* clamped) const;
    // The value at a phase of the pass (0..1), by the keys alone: what Evaluate gives at a tick of that
    // phase. The track must have keys.
    float ValueAt(float phase) const;
    float BezierAt(float phase) const;

    std::uint32_t Start() const { return start_; }
    std::uint32_t Duration() const { return duration_; }
    int Count() const { return count_; }
    std::uint32_t Looping() const { return looping_; }
    float KeyTime(int i) const { return times_[static_cast<std::size_t>(i)]; }
    float KeyValue(int i) const { return values_[static_cast<std::size_t>(i)]; }

private:
    // Play-once clamping before the start and after the end; true when it produced the value.
    bool Clamp(std::uint32_t tick, float* value, int* clamped) const;

    std::uint32_t start_ = 0;
    std::uint32_t duration_ = 0;
    std::unique_ptr<float[]> values_;
    int count_ = 0;
    std::unique_ptr<float[]> times_;
    std::uint32_t looping_ = 1;
};

#pragma once
// A piecewise-constant value over the tick count (the key at or before the current phase), used to
// pick the picture of a flip-book by index.

#include <cstdint>
#include <memory>

class StepTrack {
public:
    StepTrack() = default;
    StepTrack(const StepTrack&) = delete;
    StepTrack& operator=(const StepTrack&) = delete;

    // Grows to n keys (discarding the old ones); never shrinks.
    void Reserve(int n);
    int SetKey(int index, float time, float value);
    std::uint32_t SetStart(std::uint32_t tick);
    void SetDuration(std::uint32_t ms);
    std::uint32_t SetLooping(std::uint32_t flag);

    int Evaluate(std::uint32_t tick, float* value, int* clamped) const;

    std::uint32_t Start() const { return start_; }
    std::uint32_t Duration() const { return duration_; }
    int Count() const { return count_; }

private:
    std::uint32_t start_ = 0;
    std::uint32_t duration_ = 0;
    int count_ = 0;
    std::unique_ptr<float[]> times_;
    std::unique_ptr<float[]> values_;
    std::uint32_t looping_ = 1;
};

#include <gtest/gtest.h>

#include "core/keyframe_track.h"
#include "core/step_track.h"

namespace {

void TwoKeys(KeyframeTrack& t, float a, float b, std::uint32_t start, std::uint32_t duration, bool loop) {
    t.SetKeyCount(2);
    t.SetKey(0, 0.0f, a);
    t.SetKey(1, 1.0f, b);
    t.SetStart(start);
    t.SetDuration(duration);
    t.SetLooping(loop ? 1 : 0);
}

struct Sample {
    float value = -999.0f;
    int clamped = -1;
};

Sample Eval(const KeyframeTrack& t, std::uint32_t tick) {
    Sample s;
    EXPECT_EQ(t.Evaluate(tick, &s.value, &s.clamped), 1);
    return s;
}

}  // namespace

TEST(KeyframeTrack, PhaseIsOneAtTheStartTickAndWrapsToZeroAtTheEnd) {
    KeyframeTrack t;
    TwoKeys(t, 10.0f, 20.0f, 5000, 1000, false);
    Sample atStart = Eval(t, 5000);
    EXPECT_FLOAT_EQ(atStart.value, 20.0f);  // phase 1.0: the last key, not yet clamped
    EXPECT_EQ(atStart.clamped, 0);
    Sample atEnd = Eval(t, 6000);
    EXPECT_FLOAT_EQ(atEnd.value, 10.0f);  // phase wraps to 0.0, still not clamped
    EXPECT_EQ(atEnd.clamped, 0);
    Sample quarter = Eval(t, 5250);
    EXPECT_FLOAT_EQ(quarter.value, 12.5f);
    EXPECT_EQ(quarter.clamped, 0);
}

TEST(KeyframeTrack, PlayOnceClampsBeforeStartAndAfterEnd) {
    KeyframeTrack t;
    TwoKeys(t, 10.0f, 20.0f, 5000, 1000, false);
    Sample before = Eval(t, 4999);
    EXPECT_FLOAT_EQ(before.value, 10.0f);
    EXPECT_EQ(before.clamped, 1);
    Sample after = Eval(t, 6001);
    EXPECT_FLOAT_EQ(after.value, 20.0f);
    EXPECT_EQ(after.clamped, 1);
}

TEST(KeyframeTrack, LoopingRunsBackwardsBeforeItsStart) {
    KeyframeTrack t;
    TwoKeys(t, 0.0f, 100.0f, 5000, 1000, true);
    // 250 ms before the start is the same point of the cycle as 750 ms after it.
    EXPECT_FLOAT_EQ(Eval(t, 4750).value, 75.0f);
    EXPECT_FLOAT_EQ(Eval(t, 5750).value, 75.0f);
    EXPECT_EQ(Eval(t, 4750).clamped, 0);
    // Periodic far past the end too.
    EXPECT_FLOAT_EQ(Eval(t, 5000 + 7 * 1000 + 500).value, 50.0f);
}

TEST(KeyframeTrack, ZeroDurationEvaluatesAtPhaseOne) {
    KeyframeTrack t;
    TwoKeys(t, 3.0f, 7.0f, 100, 0, true);
    EXPECT_FLOAT_EQ(Eval(t, 100).value, 7.0f);
    EXPECT_FLOAT_EQ(Eval(t, 12345).value, 7.0f);
    EXPECT_FLOAT_EQ(Eval(t, 3).value, 7.0f);
}

TEST(KeyframeTrack, PhaseBelowFirstKeyAndBeyondLastKeyHoldTheEndValues) {
    KeyframeTrack t;
    t.SetKeyCount(3);
    t.SetKey(0, 0.2f, 1.0f);
    t.SetKey(1, 0.5f, 2.0f);
    t.SetKey(2, 0.8f, 5.0f);
    t.SetStart(0);
    t.SetDuration(1000);
    t.SetLooping(1);
    EXPECT_FLOAT_EQ(Eval(t, 100).value, 1.0f);   // phase 0.1 < first key
    EXPECT_FLOAT_EQ(Eval(t, 650).value, 3.5f);   // halfway between 0.5 and 0.8
    EXPECT_FLOAT_EQ(Eval(t, 900).value, 5.0f);   // beyond the last key
}

TEST(KeyframeTrack, RefusesMissingOutputsAndEmptyTracksWithoutTouchingOutputs) {
    KeyframeTrack empty;
    float v = 42.0f;
    int c = 7;
    EXPECT_EQ(empty.Evaluate(10, &v, &c), 0);
    EXPECT_EQ(empty.EvaluateBezier(10, &v, &c), 0);
    EXPECT_EQ(v, 42.0f);
    EXPECT_EQ(c, 7);
    KeyframeTrack t;
    TwoKeys(t, 0, 1, 0, 10, true);
    EXPECT_EQ(t.Evaluate(5, nullptr, &c), 0);
    EXPECT_EQ(t.Evaluate(5, &v, nullptr), 0);
    EXPECT_EQ(v, 42.0f);
}

TEST(KeyframeTrack, SetKeyCountDiscardsKeysAndSetKeyIgnoresBadIndices) {
    KeyframeTrack t;
    TwoKeys(t, 1.0f, 2.0f, 0, 100, true);
    EXPECT_EQ(t.SetKey(5, 0.5f, 99.0f), 5);
    EXPECT_EQ(t.SetKey(-1, 0.5f, 99.0f), -1);
    EXPECT_FLOAT_EQ(Eval(t, 50).value, 1.5f);
    t.SetKeyCount(2);
    t.SetKey(0, 0.0f, 8.0f);
    t.SetKey(1, 1.0f, 8.0f);
    EXPECT_FLOAT_EQ(Eval(t, 50).value, 8.0f);
    t.SetKeyCount(0);
    float v = 0;
    int c = 0;
    EXPECT_EQ(t.Evaluate(50, &v, &c), 0);
}

TEST(KeyframeTrack, BezierRunsOneCurveOverTheFirstFourKeys) {
    KeyframeTrack t;
    t.SetKeyCount(4);
    t.SetKey(0, 0.0f, 0.0f);
    t.SetKey(1, 0.3f, 10.0f);
    t.SetKey(2, 0.6f, 20.0f);
    t.SetKey(3, 1.0f, 40.0f);
    t.SetStart(0);
    t.SetDuration(1000);
    t.SetLooping(1);
    float v = 0;
    int c = -1;
    ASSERT_EQ(t.EvaluateBezier(500, &v, &c), 1);
    // p = q = 0.5: (0 + 3*10 + 3*20 + 40) / 8
    EXPECT_FLOAT_EQ(v, 16.25f);
    EXPECT_EQ(c, 0);
    ASSERT_EQ(t.EvaluateBezier(250, &v, &c), 1);
    const float p = 0.25f, q = 0.75f;
    EXPECT_FLOAT_EQ(v, 3 * q * q * p * 10 + 3 * q * p * p * 20 + p * p * p * 40);
    // At the start tick the phase is 1.0, past the segment range: the last key holds.
    ASSERT_EQ(t.EvaluateBezier(0, &v, &c), 1);
    EXPECT_FLOAT_EQ(v, 40.0f);
}

TEST(KeyframeTrack, BezierWithTooFewKeysHoldsTheLastInsteadOfReadingPastTheKeys) {
    KeyframeTrack t;
    TwoKeys(t, 1.0f, 9.0f, 0, 1000, true);
    float v = 0;
    int c = 0;
    ASSERT_EQ(t.EvaluateBezier(500, &v, &c), 1);
    EXPECT_FLOAT_EQ(v, 9.0f);
}

TEST(StepTrack, PicksTheKeyAtOrBeforeThePhaseWithoutInterpolating) {
    StepTrack s;
    s.Reserve(5);
    const float values[] = {0, 1, 2, 3, 0};
    for (int i = 0; i < 5; ++i) s.SetKey(i, 0.25f * static_cast<float>(i), values[i]);
    s.SetStart(1000);
    s.SetDuration(200);
    float v = -1;
    int c = -1;
    ASSERT_EQ(s.Evaluate(1000 + 10, &v, &c), 1);
    EXPECT_EQ(v, 0.0f);
    s.Evaluate(1000 + 60, &v, &c);
    EXPECT_EQ(v, 1.0f);
    s.Evaluate(1000 + 149, &v, &c);
    EXPECT_EQ(v, 2.0f);
    s.Evaluate(1000 + 199, &v, &c);
    EXPECT_EQ(v, 3.0f);
    s.Evaluate(1000 + 200, &v, &c);  // wraps to phase 0
    EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(c, 0);
}

TEST(StepTrack, ReserveOnlyGrowsAndKeepsKeysWhenAskedForLess) {
    StepTrack s;
    s.Reserve(3);
    s.SetKey(0, 0.0f, 4.0f);
    s.SetKey(1, 0.5f, 5.0f);
    s.SetKey(2, 1.0f, 6.0f);
    s.Reserve(2);
    EXPECT_EQ(s.Count(), 3);
    s.SetStart(0);
    s.SetDuration(100);
    float v = 0;
    int c = 0;
    s.Evaluate(60, &v, &c);
    EXPECT_EQ(v, 5.0f);
    s.Reserve(4);
    EXPECT_EQ(s.Count(), 4);
}

TEST(StepTrack, PlayOnceClamps) {
    StepTrack s;
    s.Reserve(2);
    s.SetKey(0, 0.0f, 1.0f);
    s.SetKey(1, 0.5f, 2.0f);
    s.SetStart(100);
    s.SetDuration(100);
    s.SetLooping(0);
    float v = 0;
    int c = 0;
    s.Evaluate(50, &v, &c);
    EXPECT_EQ(v, 1.0f);
    EXPECT_EQ(c, 1);
    s.Evaluate(201, &v, &c);
    EXPECT_EQ(v, 2.0f);
    EXPECT_EQ(c, 1);
}

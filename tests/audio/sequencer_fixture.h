#pragma once
// Runs the sequencer without real time: a ManualClock, the recording port, and wake-ups stepped one
// millisecond at a time.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio/gene_music.h"
#include "audio/gene_music_testing.h"
#include "audio/recording_midi_system.h"
#include "platform/core/clock.h"
#include "support/temp_dir.h"

class SequencerTest : public ::testing::Test {
protected:
    explicit SequencerTest(RecordingOptions options = {}) : scopedClock_(clock_), midi_(std::move(options)) {}
    void SetUp() override { GeneMusic::testing::SetStepped(true); }
    void TearDown() override {
        GeneMusic::Destroy();
        GeneMusic::testing::SetStepped(false);
    }
    void Start() { ASSERT_TRUE(GeneMusic::Initialize(-2)); }

    std::int32_t Load(const std::vector<std::uint8_t>& bytes) {
        return GeneMusic::LoadSongFromMemory(bytes.data(), bytes.size());
    }

    // Moves time on one millisecond at a time, running the wake-ups each millisecond releases.
    void Step(int ms) {
        for (int i = 0; i < ms; ++i) {
            clock_.Advance(1);
            if (midi_.Clock()) midi_.Clock()->ReleaseDue();
            GeneMusic::testing::RunPendingWakeups();
        }
    }

    std::uint64_t NowMs() const { return clock_.Micros() / 1000; }
    std::vector<RecordedMessage> Messages() { return midi_.Log().Snapshot(); }

    // Note-ons sent from `fromMs` on, as (time in ms, key).
    std::vector<std::pair<std::uint64_t, int>> NoteOns(std::uint64_t fromMs = 0) {
        std::vector<std::pair<std::uint64_t, int>> out;
        for (const RecordedMessage& m : Messages()) {
            if (m.IsNoteOn() && m.time / 1000 >= fromMs) out.emplace_back(m.time / 1000, m.D1());
        }
        return out;
    }

    TempWorkDir dir_;
    platform::ManualClock clock_{100000};
    platform::ScopedClock scopedClock_;
    ScopedRecordingMidi midi_;
};

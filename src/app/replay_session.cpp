#include "app/replay_session.h"

#include <algorithm>

#include <cinttypes>
#include <cstdio>
#include <string_view>

#include "core/command_line.h"
#include "app/main_loop.h"
#include "core/registry.h"
#include "platform/core/atomic_file.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "app/input_tap.h"
#include "app/journal_recorder.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"
#include "scenes/game_digest.h"

// Records each frame's raw input with the frame's tick, or gives back the journal's frame by frame.
class JournalTap final : public InputTap {
public:
    // recorder: where a recording's frames go, null for a replay.
    JournalTap(Journal* journal, JournalRecorder* recorder)
        : journal_(journal), recorder_(recorder), recording_(recorder != nullptr) {}

    bool ReadsDevices() const override { return recording_; }

    void Frame(std::int32_t deviceKind, RawInput* raw) override {
        if (recording_) {
            Record(deviceKind, *raw);
        } else {
            Give(deviceKind, raw);
        }
    }

    void SetFrameTicks(std::uint32_t ticks) { ticks_ = ticks; }
    // Frames given so far (replay) or recorded (record).
    std::size_t Position() const { return recording_ ? recorder_->Frames() : next_; }
    bool Exhausted() const { return !recording_ && next_ >= journal_->frames.size(); }
    std::uint32_t NextTicks() const { return journal_->frames[next_].ticks; }
    bool TitleQuitBeforeNext() const {
        return std::binary_search(journal_->titleQuits.begin(), journal_->titleQuits.end(), next_);
    }

private:
    void Record(std::int32_t deviceKind, const RawInput& raw) {
        JournalFrame frame;
        frame.ticks = ticks_;
        if (deviceKind == 1) {
            frame.input.padRead = raw.padRead ? 1 : 0;
            if (raw.padRead) {
                frame.input.padX = raw.pad.x;
                frame.input.padY = raw.pad.y;
                for (int i = 0; i < platform::kJoystickButtonCount; ++i) {
                    if (raw.pad.buttons[static_cast<std::size_t>(i)] & platform::kButtonDownBit) {
                        frame.input.padButtons |= 1u << i;
                    }
                }
            }
        } else {
            for (int code = 1; code <= kJournalMaxKeyCode; ++code) {
                if (raw.keys[code] & platform::kKeyDownBit) frame.input.SetKey(code, true);
            }
        }
        recorder_->Frame(*journal_, frame);
    }

    void Give(std::int32_t deviceKind, RawInput* raw) {
        if (Exhausted()) return;
        const JournalInput& in = journal_->frames[next_++].input;
        if (deviceKind == 1) {
            raw->padRead = in.padRead != 0;
            raw->pad.x = in.padX;
            raw->pad.y = in.padY;
            for (int i = 0; i < platform::kJoystickButtonCount; ++i) {
                raw->pad.buttons[static_cast<std::size_t>(i)] =
                    (in.padButtons >> i) & 1u ? platform::kButtonDownBit : 0;
            }
        } else {
            for (int code = 0; code < platform::kKeyStateSize; ++code) {
                raw->keys[code] = in.KeyDown(code) ? platform::kKeyDownBit : 0;
            }
        }
    }

    Journal* journal_;
    JournalRecorder* recorder_;
    bool recording_;
    std::uint32_t ticks_ = 0;
    std::size_t next_ = 0;
};

ReplaySession::ReplaySession(const CommandLine& commandLine, std::uint32_t maxRecordedFrames)
    : maxRecordedFrames_(maxRecordedFrames) {
    conflict_ = !commandLine.recordPath.empty() && !commandLine.replayPath.empty();
    if (!commandLine.replayPath.empty()) {
        mode_ = Mode::kReplay;
        path_ = commandLine.replayPath;
    } else if (!commandLine.recordPath.empty()) {
        mode_ = Mode::kRecord;
        path_ = commandLine.recordPath;
        journal_.startStage = commandLine.startStage;
    }
    fast_ = commandLine.fast;
    fingerprintPath_ = commandLine.frameHashPath;
}

ReplaySession::~ReplaySession() {
    if (fingerprints_) std::fclose(fingerprints_);
}

bool ReplaySession::Open() {
    if (conflict_) {
        std::fprintf(stderr, "korvex: --record and --replay cannot be given together\n");
        return false;
    }
    if (Recording()) {
        // Made now, so a path that cannot be written is known before the run, not after it.
        recorder_ = std::make_unique<JournalRecorder>(maxRecordedFrames_);
        if (!recorder_->Open(path_)) {
            std::fprintf(stderr, "korvex: the journal %s cannot be written\n", path_.c_str());
            return false;
        }
    } else if (Replaying()) {
        std::string bytes;
        bool tooLarge = false;
        if (!platform::ReadWholeFile(path_, &bytes, kJournalMaxBytes, &tooLarge)) {
            if (tooLarge) {
                std::fprintf(stderr, "korvex: the journal %s is invalid: %s\n", path_.c_str(),
                             JournalErrorText(JournalError::kTooLarge));
            } else {
                std::fprintf(stderr, "korvex: the journal %s cannot be read\n", path_.c_str());
            }
            return false;
        }
        const JournalError e =
            ParseJournal(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &journal_);
        if (e != JournalError::kNone) {
            std::fprintf(stderr, "korvex: the journal %s is invalid: %s\n", path_.c_str(), JournalErrorText(e));
            return false;
        }
    }
    if (mode_ != Mode::kOff) tap_ = std::make_unique<JournalTap>(&journal_, recorder_.get());
    if (Replaying() && !fingerprintPath_.empty()) {
        fingerprints_ = std::fopen(fingerprintPath_.c_str(), "w");
        if (!fingerprints_) {
            std::fprintf(stderr, "korvex: the frame fingerprints %s cannot be written\n", fingerprintPath_.c_str());
            return false;
        }
    }
    return true;
}

std::uint32_t ReplaySession::Seed(std::uint32_t wallClockSeed) {
    if (Recording()) journal_.seed = wallClockSeed;
    return Replaying() ? journal_.seed : wallClockSeed;
}

std::int32_t ReplaySession::StartStage(std::int32_t commandLineStage) const {
    return Replaying() ? journal_.startStage : commandLineStage;
}

void ReplaySession::InitInput(RenderFramework& framework, platform::WindowHandle window) {
    if (Replaying()) {
        framework.InitReplayInput(
            journal_.deviceKind,
            KeyConfig{journal_.padButtonNumbers[0], journal_.padButtonNumbers[1], journal_.padButtonNumbers[2]});
    } else {
        framework.InitInput(window);
    }
    if (Recording()) {
        journal_.deviceKind = GetInputDeviceKind();
        const KeyConfig& numbers = framework.Pad().ButtonNumbers();
        for (std::size_t i = 0; i < numbers.size(); ++i) journal_.padButtonNumbers[i] = numbers[i];
    }
    if (tap_) framework.SetInputTap(tap_.get());
    // A fast replay only steps the game, unless the pictures are wanted.
    if (Fast() && !fingerprints_) framework.SetDrawing(false);
    if (fingerprints_) {
        framework.SetPictureFingerprints([this](std::uint64_t hash) {
            std::fprintf(fingerprints_, "%u %016llx\n", static_cast<unsigned>(++fingerprinted_),
                         static_cast<unsigned long long>(hash));
        });
    }
}

std::uint32_t ReplaySession::StartUpTick(std::uint32_t now) {
    if (Recording() && !startTaken_) {
        journal_.startTicks = now;
        startTaken_ = true;
    }
    return mode_ == Mode::kOff ? now : journal_.startTicks;
}

void ReplaySession::RunFrame(RenderFramework& framework, GameApp* game, std::uint32_t now, std::int32_t fps,
                             bool quitToTitle) {
    if (tap_ && Recording()) {
        tap_->SetFrameTicks(now);
        if (quitToTitle) recorder_->TitleQuit();
    } else if (tap_) {
        if (tap_->Exhausted()) {
            platform::PostQuitMessage(0);
            return;
        }
        now = tap_->NextTicks();
        quitToTitle = tap_->TitleQuitBeforeNext();
    }
    if (quitToTitle && game) game->QuitToTitle(now);
    framework.RunFrame(game, now, fps);
    if (Recording() && game) NoteRecordingStopped(*game);
    if (!tap_) return;
    // The journal's end ends the replay before another frame is paced.
    if (tap_->Exhausted()) platform::PostQuitMessage(0);
}

int ReplaySession::Run(MainLoop& loop, const LoopPorts& ports) {
    if (!Fast()) return loop.Run(ports);
    int exitCode = 0;
    // Without pacing the journal supplies every frame's tick; the clock's reading is not used.
    while (!ports.pumpMessages(&exitCode)) ports.runFrame(0, 0);
    return exitCode;
}

void ReplaySession::NoteRecordingStopped(GameApp& game) {
    if (!stoppedLine_.empty() || !(recorder_->Full() || recorder_->Failed())) return;
    // The game goes on unrecorded; what a replay of the journal ends on is the state after its last frame.
    stoppedLine_ = ClosingLine("record", recorder_->Frames(), game);
    if (recorder_->Failed()) {
        std::fprintf(stderr, "korvex: the journal %s could not be written further; recording stops at frame %u\n",
                     path_.c_str(), static_cast<unsigned>(recorder_->Frames()));
    } else {
        std::fprintf(stderr,
                     "korvex: the journal %s holds the most frames a replay reads (%u, about %.1f hours); "
                     "recording stops, the game goes on\n",
                     path_.c_str(), static_cast<unsigned>(recorder_->Frames()),
                     recorder_->Frames() / (30.0 * 3600.0));
    }
}

int ReplaySession::Finish(GameApp& game, int exitCode) {
    if (Recording()) {
        if (!recorder_->Finish(journal_)) {
            std::fprintf(stderr, "korvex: the journal %s could not be written\n", path_.c_str());
            return exitCode != 0 ? exitCode : 1;
        }
        // The same line a replay of the journal ends on, so that a replay can be checked against the run.
        const std::string line = stoppedLine_.empty() ? ClosingLine("record", recorder_->Frames(), game) : stoppedLine_;
        std::fprintf(stderr, "korvex: journal written to %s\n%s\n", path_.c_str(), line.c_str());
    } else if (Replaying()) {
        const auto frames = static_cast<std::uint32_t>(tap_->Position());
        std::string line = ClosingLine("replay", frames, game);
        // A journal cut off by a crash or a kill plays to its last whole frame, and says so.
        if (journal_.endedEarly) line += " (journal ends early at frame " + std::to_string(frames) + ")";
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return exitCode;
}

std::string ClosingLine(const char* what, std::uint32_t frames, GameApp& game) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "%s: frames %" PRIu32 " stage %" PRId32 " score %" PRId32 " life %" PRId32 " digest %016" PRIx64,
                  what, frames, GetStage(), GetScore(), game.Ship().State().life, GameStateDigest(game));
    return line;
}

#pragma once
// "--record FILE" and "--replay FILE [--fast]": the wiring between the start-up, the frame loop and the
// journal. The game reads no clock of its own: every frame runs at the one tick the loop hands it, so a
// recording keeps that tick and a replay hands the journal's in its place. The random generator is
// seeded from the journal's seed, and the input passes through a tap that writes the devices' snapshot
// into the journal or puts the journal's in its place. Without either option nothing here is installed
// and the game runs as it always has.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/journal.h"
#include "platform/core/window.h"

struct CommandLine;
struct LoopPorts;
class MainLoop;
class GameApp;
class RenderFramework;
class JournalTap;
class JournalRecorder;

class ReplaySession {
public:
    // maxRecordedFrames: where a recording stops, the most frames a replay reads unless a test says less.
    explicit ReplaySession(const CommandLine& commandLine, std::uint32_t maxRecordedFrames = kJournalMaxFrames);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Reads the journal to replay, or makes sure the one to record can be written. False after a message
    // on standard error; the game must not start then.
    bool Open();

    bool Recording() const { return mode_ == Mode::kRecord; }
    bool Replaying() const { return mode_ == Mode::kReplay; }
    // A replay without pacing, without sound, and without drawing unless frame fingerprints are asked for.
    bool Fast() const { return Replaying() && fast_; }

    // The seed the game starts from: the journal's for a replay, the given one otherwise (and recorded).
    std::uint32_t Seed(std::uint32_t wallClockSeed);
    std::int32_t StartStage(std::int32_t commandLineStage) const;
    // In place of RenderFramework::InitInput: a replay opens no device and takes the recorded kind. Also
    // sets what the frame host draws for the session.
    void InitInput(RenderFramework& framework, platform::WindowHandle window);
    // The tick the start-up runs at, given the clock's reading now. A recorded or replayed start-up stands
    // at one tick from the loading to the first frame, the journal's; a plain run takes the reading.
    std::uint32_t StartUpTick(std::uint32_t now);
    // One frame of the loop at the loop's tick, or at the journal's when replaying. quitToTitle: the player
    // left the stage for the title from the pause panel before this frame; a recording keeps it, and a
    // replay takes it from the journal instead.
    void RunFrame(RenderFramework& framework, GameApp* game, std::uint32_t now, std::int32_t fps,
                  bool quitToTitle = false);
    // The loop: paced by the main loop on the real clock, or as fast as it goes for --fast.
    int Run(MainLoop& loop, const LoopPorts& ports);
    // Ends the journal, or prints the replay's closing line. Returns the exit code to end with.
    int Finish(GameApp& game, int exitCode);

private:
    enum class Mode { kOff, kRecord, kReplay };

    // Once the journal is full (or the disk refused it), one line on standard error and the closing line
    // as it stands after the journal's last frame.
    void NoteRecordingStopped(GameApp& game);

    Mode mode_ = Mode::kOff;
    bool fast_ = false;
    bool conflict_ = false;
    std::string path_;
    Journal journal_;
    bool startTaken_ = false;
    std::uint32_t maxRecordedFrames_;
    std::unique_ptr<JournalRecorder> recorder_;
    std::string stoppedLine_;
    std::unique_ptr<JournalTap> tap_;
    std::string fingerprintPath_;
    std::FILE* fingerprints_ = nullptr;
    std::uint32_t fingerprinted_ = 0;
};

// The line a run ends on, "replay: frames N stage S score P life L digest XXXXXXXXXXXXXXXX" (what is
// "replay" or "record"): the frames played, the stage, score and ship's life, and the game state's digest.
std::string ClosingLine(const char* what, std::uint32_t frames, GameApp& game);

#pragma once
// "--record FILE" and "--replay FILE [--fast]": the wiring between the start-up, the frame loop and the
// journal. While recording or replaying, the game's clock is latched for each frame (the recorded tick,
// or the journal's), the random generator is seeded from the journal's seed, and the input passes
// through a tap that writes the devices' snapshot into the journal or puts the journal's in its place.
// Without either option nothing here is installed and the game runs as it always has.

#include <cstdint>
#include <memory>
#include <string>

#include "app/journal.h"
#include "platform/core/frame_latched_clock.h"
#include "platform/core/window.h"

struct CommandLine;
struct LoopPorts;
class MainLoop;
class GameApp;
class RenderFramework;
class JournalTap;

class ReplaySession {
public:
    explicit ReplaySession(const CommandLine& commandLine);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Reads the journal to replay, or makes sure the one to record can be written. False after a message
    // on standard error; the game must not start then.
    bool Open();

    bool Recording() const { return mode_ == Mode::kRecord; }
    bool Replaying() const { return mode_ == Mode::kReplay; }
    // A replay without pacing and without sound.
    bool Fast() const { return Replaying() && fast_; }

    // The seed the game starts from: the journal's for a replay, the given one otherwise (and recorded).
    std::uint32_t Seed(std::uint32_t wallClockSeed);
    std::int32_t StartStage(std::int32_t commandLineStage) const;
    // In place of RenderFramework::InitInput: a replay opens no device and takes the recorded kind.
    void InitInput(RenderFramework& framework, platform::WindowHandle window);
    // From the loading to the first frame the clock stands at the start tick; before GameApp::Load.
    void BeginStartUp();
    void EndStartUp();
    // One frame of the loop, with the clock latched for it.
    void RunFrame(RenderFramework& framework, GameApp* game, std::int32_t fps);
    // The loop: paced by the main loop on the real clock, or as fast as it goes for --fast.
    int Run(MainLoop& loop, const LoopPorts& ports);
    // Writes the journal, or prints the replay's closing line. Returns the exit code to end with.
    int Finish(GameApp& game, int exitCode);

private:
    enum class Mode { kOff, kRecord, kReplay };

    Mode mode_ = Mode::kOff;
    bool fast_ = false;
    bool conflict_ = false;
    std::string path_;
    Journal journal_;
    // Never destroyed: the sound device's thread may still be reading it after main has returned.
    platform::FrameLatchedClock* clock_ = nullptr;
    std::unique_ptr<JournalTap> tap_;
};

// The line a run ends on, "replay: frames N stage S score P life L digest XXXXXXXXXXXXXXXX" (what is
// "replay" or "record"): the frames played, the stage, score and ship's life, and the game state's digest.
std::string ClosingLine(const char* what, std::uint32_t frames, GameApp& game);

#pragma once
// What the command line may say: "--window" or "/w" for a window instead of full screen, "--fullscreen"
// for full screen (the later of the two wins; either wins over the settings file for the run);
// "--stage N" (1 to 3) to begin GAME START at stage N, for practice and testing. "/f" is accepted and
// changes nothing. "--record FILE" writes a journal of the run; "--replay FILE" plays one back, and with
// "--fast" as fast as it goes, without sound, ending on one line of results; "--frame-hashes FILE"
// beside a replay writes a fingerprint of every frame's picture. "--help" and "--version"
// answer and end. Anything else is a mistake the player is told about before a window opens.

#include <cstdint>
#include <string>

struct CommandLine {
    enum class Action { kPlay, kHelp, kVersion, kMistake };

    Action action = Action::kPlay;
    // For kMistake: what is wrong, as one short sentence.
    std::string mistake;
    bool windowed = false;
    bool fullScreen = false;
    std::int32_t startStage = 1;
    std::string recordPath;
    std::string replayPath;
    bool fast = false;
    // With a replay: one line per frame with a fingerprint of its finished picture, to compare two builds
    // that should draw alike.
    std::string frameHashPath;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The scripts that start the game change to its data folder first; they name the folder the player
// typed the command in through this variable, and the journal paths are taken relative to it.
inline constexpr char kCallerDirVariable[] = "KORVEX_CALLER_DIR";

// Makes relative --record and --replay paths relative to callerDir (when it is an absolute path).
void ResolveJournalPaths(CommandLine* commandLine, const char* callerDir);

// For help, version and mistakes: prints the answer (help and version on standard output, a mistake as
// one line on standard error) and returns the exit status (0, or 2 for a mistake). -1 when the game is
// to be played.
int AnswerCommandLine(const CommandLine& commandLine, const char* version);

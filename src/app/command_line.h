#pragma once
// What the command line may say: "--window" or "/w" for a window instead of full screen, "--fullscreen"
// for full screen (the later of the two wins; either wins over the settings file for the run);
// "--stage N" (1 to 3) to begin GAME START at stage N, for practice and testing. "/f" is accepted and
// changes nothing. "--record FILE" writes a journal of the run; "--replay FILE" plays one back, and with
// "--fast" as fast as it goes, without sound, ending on one line of results.

#include <cstdint>
#include <string>

struct CommandLine {
    bool windowed = false;
    bool fullScreen = false;
    std::int32_t startStage = 1;
    std::string recordPath;
    std::string replayPath;
    bool fast = false;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

#pragma once
// What the command line may say: "--window" or "/w" for an 800 x 600 window instead of full screen.
// "/f" is accepted and changes nothing.

struct CommandLine {
    bool windowed = false;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

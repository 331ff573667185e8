#include "core/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kHelp[] =
    "Usage: korvex [OPTION]...\n"
    "A 3D shooting game. It plays in the current folder, which holds its data: t/, x/, m/, w/,\n"
    "KeyConfig.txt and score.txt; Settings.txt, when there, holds one setting a line:\n"
    "music 0..10, effects 0..10, fullscreen on|off, window W H, vsync on|off.\n"
    "\n"
    "Options:\n"
    "  --window, /w     play in a window instead of full screen\n"
    "  --fullscreen     play full screen (the later of the two wins over Settings.txt)\n"
    "  --stage N        GAME START begins at stage N (1, 2 or 3)\n"
    "  --record FILE    write a journal of the run to FILE\n"
    "  --replay FILE    play the journal FILE back\n"
    "  --fast           with --replay: as fast as it goes, without sound, ending on one line\n"
    "  --frame-hashes FILE  with --replay: a fingerprint of every frame's picture, one a line\n"
    "  /f               accepted; changes nothing\n"
    "  --help           print this help and end\n"
    "  --version        print the version and end\n"
    "\n"
    "Keys:\n"
    "  arrow keys       fly; up and down choose in the title menu\n"
    "  Z                fire; confirm on the screens\n"
    "  X                dash\n"
    "  C                bomb\n"
    "  P, Pause         pause a stage, and resume (a pad's Start too); on the title: the options\n"
    "                   (in the panel up/down choose, left/right change a value, fire, Enter or\n"
    "                   Space confirms, Escape closes it)\n"
    "  Escape           quit (in the panels: close them)\n"
    "  F11, Alt+Enter   full screen or a window\n"
    "  F12              screenshot (a PNG in the current folder)\n"
    "A joystick attached at start-up steers instead; KeyConfig.txt names its fire, dash and bomb buttons;\n"
    "the keyboard still works the panels.\n"
    "Minimising or leaving the window pauses a stage; a replay ignores that and the pause keys.\n";

// A word that is an option itself, not the value an option before it asked for: "--record --window"
// lacks its file. A file whose name starts with '-' can still be given as "--record=-x" or "./-x".
bool LooksLikeOption(const char* word) {
    return word[0] == '-' || !std::strcmp(word, "/w") || !std::strcmp(word, "/f");
}

// For "--name" with its value in the next word or after "--name=". Returns false when the word is
// neither; sets *mistake when it is one of them without a value (`what` names the value).
bool TakeValue(const char* name, const char* what, int argc, const char* const* argv, int* i, std::string* value,
               std::string* mistake) {
    const char* word = argv[*i];
    const std::size_t length = std::strlen(name);
    if (std::strncmp(word, name, length) != 0) return false;
    if (word[length] == '=') {
        *value = word + length + 1;
    } else if (word[length] != '\0') {
        return false;
    } else if (*i + 1 < argc && !LooksLikeOption(argv[*i + 1])) {
        *value = argv[++*i];
    } else {
        value->clear();
    }
    if (value->empty()) *mistake = std::string(name) + " needs " + what;
    return true;
}

CommandLine Mistake(std::string what) {
    CommandLine cl;
    cl.action = CommandLine::Action::kMistake;
    cl.mistake = std::move(what);
    return cl;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine cl;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        std::string value;
        std::string mistake;
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
            cl.action = CommandLine::Action::kHelp;
            return cl;
        } else if (!std::strcmp(a, "--version")) {
            cl.action = CommandLine::Action::kVersion;
            return cl;
        } else if (!std::strcmp(a, "--window") || !std::strcmp(a, "/w") || !std::strcmp(a, "-w")) {
            cl.windowed = true;
            cl.fullScreen = false;
        } else if (!std::strcmp(a, "--fullscreen")) {
            cl.fullScreen = true;
            cl.windowed = false;
        } else if (!std::strcmp(a, "/f")) {
            // The old switch for full screen, which is the default anyway.
        } else if (!std::strcmp(a, "--fast")) {
            cl.fast = true;
        } else if (TakeValue("--stage", "a number (1, 2 or 3)", argc, argv, &i, &value, &mistake)) {
            if (!mistake.empty()) return Mistake(mistake);
            if (value.size() != 1 || value[0] < '1' || value[0] > '3') {
                return Mistake("--stage takes 1, 2 or 3, not " + value);
            }
            cl.startStage = value[0] - '0';
        } else if (TakeValue("--record", "a file name", argc, argv, &i, &cl.recordPath, &mistake) ||
                   TakeValue("--replay", "a file name", argc, argv, &i, &cl.replayPath, &mistake) ||
                   TakeValue("--frame-hashes", "a file name", argc, argv, &i, &cl.frameHashPath, &mistake)) {
            if (!mistake.empty()) return Mistake(mistake);
        } else if (LooksLikeOption(a) || a[0] == '/') {
            return Mistake(std::string("unknown option ") + a);
        } else {
            return Mistake(std::string("unexpected argument ") + a);
        }
    }
    if (cl.fast && cl.replayPath.empty()) return Mistake("--fast goes only with --replay FILE");
    if (!cl.frameHashPath.empty() && cl.replayPath.empty()) {
        return Mistake("--frame-hashes goes only with --replay FILE");
    }
    return cl;
}

void ResolveJournalPaths(CommandLine* commandLine, const char* callerDir) {
    if (!callerDir || callerDir[0] != '/') return;
    for (std::string* path : {&commandLine->recordPath, &commandLine->replayPath, &commandLine->frameHashPath}) {
        if (!path->empty() && (*path)[0] != '/') *path = std::string(callerDir) + "/" + *path;
    }
}

int AnswerCommandLine(const CommandLine& commandLine, const char* version) {
    switch (commandLine.action) {
        case CommandLine::Action::kPlay:
            return -1;
        case CommandLine::Action::kHelp:
            std::fputs(kHelp, stdout);
            return 0;
        case CommandLine::Action::kVersion:
            std::printf("korvex %s\n", version);
            return 0;
        case CommandLine::Action::kMistake:
            std::fprintf(stderr, "korvex: %s (korvex --help lists the options)\n", commandLine.mistake.c_str());
            return 2;
    }
    return -1;
}

#pragma once
// The journal of a recording, written as the game goes rather than when it ends, so that the runs most
// worth replaying (a crash, a kill, a power cut) leave one: the header with the first frame, each frame
// and each quit to the title as it happens, the end record at a normal end. Every record goes to the
// operating system at once; a process that dies loses none of them.

#include <cstdint>
#include <string>

#include "core/journal.h"
#include "platform/core/append_file.h"

class JournalRecorder {
public:
    // maxFrames: the most frames a replay reads; recording stops there.
    explicit JournalRecorder(std::uint32_t maxFrames = kJournalMaxFrames) : maxFrames_(maxFrames) {}

    // Makes the file anew, empty. False when it cannot be written.
    bool Open(const std::string& path);
    // The player quit to the title from the pause panel before the next frame.
    void TitleQuit();
    // Appends a frame, the header first with the first one (the seed, the device and the start tick are
    // known by then). False when it was not kept: the journal is full, or the file refused it.
    bool Frame(const Journal& header, const JournalFrame& frame);
    // The end record. False when the file could not take it or an earlier record.
    bool Finish(const Journal& header);

    std::uint32_t Frames() const { return frames_; }
    bool Full() const { return frames_ >= maxFrames_; }
    bool Failed() const { return failed_; }

private:
    bool Write(const std::string& bytes);

    std::uint32_t maxFrames_;
    platform::AppendFile file_;
    std::uint32_t frames_ = 0;
    bool headerWritten_ = false;
    bool quitPending_ = false;
    bool failed_ = false;
    bool finished_ = false;
};

#include "app/journal_recorder.h"

bool JournalRecorder::Open(const std::string& path) { return file_.Open(path); }

bool JournalRecorder::Write(const std::string& bytes) {
    if (failed_ || !file_.Append(bytes)) failed_ = true;
    return !failed_;
}

void JournalRecorder::TitleQuit() {
    // Written with the frame it comes before: a quit with no frame after it is nothing to replay.
    quitPending_ = true;
}

bool JournalRecorder::Frame(const Journal& header, const JournalFrame& frame) {
    if (Full() || failed_ || finished_) return false;
    std::string bytes;
    if (!headerWritten_) bytes = StreamedJournalHeader(header);
    headerWritten_ = true;
    if (quitPending_) AppendStreamedTitleQuit(&bytes);
    quitPending_ = false;
    AppendStreamedFrame(&bytes, header.deviceKind, frame);
    if (!Write(bytes)) return false;
    ++frames_;
    return true;
}

bool JournalRecorder::Finish(const Journal& header) {
    if (finished_) return !failed_;
    finished_ = true;
    std::string bytes;
    if (!headerWritten_) bytes = StreamedJournalHeader(header);
    headerWritten_ = true;
    AppendStreamedEnd(&bytes, frames_);
    const bool written = Write(bytes);
    file_.Close();
    return written;
}

#include "core/journal.h"

#include <cstring>

namespace {

constexpr char kMagic[4] = {'K', 'V', 'X', 'J'};
constexpr std::size_t kKeyboardFrameMin = 5;
constexpr std::size_t kPadFrameSize = 13;
// The streamed form's record tags.
constexpr std::uint8_t kFrameRecord = 0;
constexpr std::uint8_t kTitleQuitRecord = 1;
constexpr std::uint8_t kEndRecord = 2;
static_assert(kKeyboardFrameMin + kJournalMaxKeyCode == kJournalLargestFrame && kPadFrameSize < kJournalLargestFrame);

class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t Left() const { return size_ - at_; }
    bool Has(std::size_t n) const { return n <= Left(); }
    // Callers check Has first.
    std::uint8_t U8() { return bytes_[at_++]; }
    std::uint16_t U16() {
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        at_ += 2;
        return v;
    }
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[at_ + static_cast<std::size_t>(i)];
        at_ += 4;
        return v;
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    const std::uint8_t* Here() const { return bytes_ + at_; }
    void Skip(std::size_t n) { at_ += n; }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void PutU8(std::string* out, std::uint32_t v) { out->push_back(static_cast<char>(v & 0xFF)); }
void PutU16(std::string* out, std::uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}
void PutU32(std::string* out, std::uint32_t v) {
    PutU16(out, v);
    PutU16(out, v >> 16);
}

// The tick may wrap at 2^32 like the system's: "later" is a step of less than half the range forward.
bool NotBefore(std::uint32_t later, std::uint32_t earlier) { return static_cast<std::int32_t>(later - earlier) >= 0; }

bool ValidPadButton(std::int32_t n) { return n >= -1 && n < kJournalPadButtons; }
bool ValidAxis(std::int32_t v) { return v >= -kJournalPadAxisLimit && v <= kJournalPadAxisLimit; }

JournalError ReadKeyboardFrame(Reader& r, JournalFrame* frame) {
    if (!r.Has(kKeyboardFrameMin)) return JournalError::kTruncatedFrame;
    frame->ticks = r.U32();
    const std::size_t count = r.U8();
    if (count > static_cast<std::size_t>(kJournalMaxKeyCode)) return JournalError::kBadKeyCode;
    if (!r.Has(count)) return JournalError::kTruncatedFrame;
    int previous = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int code = r.U8();
        // Rising order also rules out repeats, and code 0 is no key.
        if (code <= previous || code > kJournalMaxKeyCode) return JournalError::kBadKeyCode;
        frame->input.SetKey(code, true);
        previous = code;
    }
    return JournalError::kNone;
}

JournalError ReadPadFrame(Reader& r, JournalFrame* frame) {
    if (!r.Has(kPadFrameSize)) return JournalError::kTruncatedFrame;
    frame->ticks = r.U32();
    JournalInput& in = frame->input;
    in.padRead = r.U8();
    in.padX = r.I16();
    in.padY = r.I16();
    in.padButtons = r.U32();
    if (in.padRead > 1 || !ValidAxis(in.padX) || !ValidAxis(in.padY)) return JournalError::kBadPadState;
    // A frame whose read failed has no state to give.
    if (in.padRead == 0 && (in.padX != 0 || in.padY != 0 || in.padButtons != 0)) return JournalError::kBadPadState;
    return JournalError::kNone;
}

JournalError ReadTitleQuits(Reader& r, std::uint32_t frameCount, std::vector<std::uint32_t>* quits) {
    if (!r.Has(4)) return JournalError::kTruncatedTitleQuits;
    const std::uint32_t count = r.U32();
    // Checked before anything is reserved, as the frame count is.
    if (count > frameCount) return JournalError::kBadTitleQuit;
    if (count > r.Left() / 4) return JournalError::kTruncatedTitleQuits;
    quits->reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t frame = r.U32();
        if (frame >= frameCount || (!quits->empty() && frame <= quits->back())) return JournalError::kBadTitleQuit;
        quits->push_back(frame);
    }
    return JournalError::kNone;
}

JournalError ReadFrame(Reader& r, std::int32_t deviceKind, std::uint32_t* previousTicks, JournalFrame* frame) {
    const JournalError e = deviceKind == 0 ? ReadKeyboardFrame(r, frame) : ReadPadFrame(r, frame);
    if (e != JournalError::kNone) return e;
    if (!NotBefore(frame->ticks, *previousTicks)) return JournalError::kClockBackwards;
    *previousTicks = frame->ticks;
    return JournalError::kNone;
}

// The records of a streamed journal, to its end record or to wherever it was cut off. A cut inside a
// record drops that record: what reached the disk whole is what the run played.
JournalError ReadStreamedRecords(Reader& r, Journal* j) {
    std::uint32_t previous = j->startTicks;
    bool quitPending = false;
    while (r.Has(1)) {
        const std::uint8_t tag = r.U8();
        if (tag == kFrameRecord) {
            if (j->frames.size() >= kJournalMaxFrames) return JournalError::kAbsurdFrameCount;
            JournalFrame frame;
            const JournalError e = ReadFrame(r, j->deviceKind, &previous, &frame);
            // A frame runs short only where the bytes run out.
            if (e == JournalError::kTruncatedFrame) break;
            if (e != JournalError::kNone) return e;
            if (quitPending) j->titleQuits.push_back(static_cast<std::uint32_t>(j->frames.size()));
            quitPending = false;
            j->frames.push_back(frame);
        } else if (tag == kTitleQuitRecord) {
            // Two quits with no frame between them cannot both have been made.
            if (quitPending) return JournalError::kBadTitleQuit;
            quitPending = true;
        } else if (tag == kEndRecord) {
            if (quitPending) return JournalError::kBadTitleQuit;
            if (!r.Has(4)) break;
            if (r.U32() != j->frames.size()) return JournalError::kEndCountMismatch;
            return r.Left() == 0 ? JournalError::kNone : JournalError::kTrailingBytes;
        } else {
            return JournalError::kBadRecord;
        }
    }
    j->endedEarly = true;
    return JournalError::kNone;
}

void PutHeader(std::string* out, const Journal& journal, std::uint16_t version, std::uint32_t frameCount) {
    out->assign(kMagic, sizeof kMagic);
    PutU16(out, version);
    PutU8(out, journal.deviceKind == 1 ? 1 : 0);
    PutU8(out, static_cast<std::uint32_t>(journal.startStage));
    PutU32(out, journal.seed);
    PutU32(out, journal.startTicks);
    for (std::int32_t n : journal.padButtonNumbers) {
        PutU8(out, static_cast<std::uint32_t>(n >= 0 && n < kJournalPadButtons ? n : -1));
    }
    PutU8(out, 0);
    PutU32(out, frameCount);
}

void PutFrame(std::string* out, bool pad, const JournalFrame& frame) {
    PutU32(out, frame.ticks);
    const JournalInput& in = frame.input;
    if (pad) {
        PutU8(out, in.padRead ? 1 : 0);
        // Only the exact end values steer; anything else outside the range steers as the centre does.
        PutU16(out, static_cast<std::uint32_t>(in.padRead && ValidAxis(in.padX) ? in.padX : 0));
        PutU16(out, static_cast<std::uint32_t>(in.padRead && ValidAxis(in.padY) ? in.padY : 0));
        PutU32(out, in.padRead ? in.padButtons : 0);
    } else {
        std::string codes;
        for (int code = 1; code <= kJournalMaxKeyCode; ++code) {
            if (in.KeyDown(code)) PutU8(&codes, static_cast<std::uint32_t>(code));
        }
        PutU8(out, static_cast<std::uint32_t>(codes.size()));
        *out += codes;
    }
}

// A quit that does not come after the one before, or that no frame follows, can never be reached.
std::vector<std::uint32_t> ReachableTitleQuits(const Journal& journal) {
    std::vector<std::uint32_t> quits;
    for (const std::uint32_t frame : journal.titleQuits) {
        if (frame < journal.frames.size() && (quits.empty() || frame > quits.back())) quits.push_back(frame);
    }
    return quits;
}

}  // namespace

void JournalInput::SetKey(int code, bool down) {
    if (code < 0 || code >= 256) return;
    const auto bit = static_cast<std::uint8_t>(1u << (code & 7));
    std::uint8_t& byte = keys[static_cast<std::size_t>(code) >> 3];
    byte = static_cast<std::uint8_t>(down ? (byte | bit) : (byte & ~bit));
}

const char* JournalErrorText(JournalError error) {
    switch (error) {
        case JournalError::kNone:
            return "no error";
        case JournalError::kTruncatedHeader:
            return "too short for a journal header";
        case JournalError::kBadMagic:
            return "not a journal (bad magic)";
        case JournalError::kUnknownVersion:
            return "a journal version this game does not know";
        case JournalError::kBadHeader:
            return "a header field out of range";
        case JournalError::kAbsurdFrameCount:
            return "a frame count the file cannot hold";
        case JournalError::kTruncatedFrame:
            return "a frame cut short";
        case JournalError::kBadKeyCode:
            return "a key code out of range or out of order";
        case JournalError::kBadPadState:
            return "a joystick state out of range";
        case JournalError::kClockBackwards:
            return "a frame's clock reading earlier than the one before";
        case JournalError::kTrailingBytes:
            return "bytes after the last frame";
        case JournalError::kTooLarge:
            return "larger than any journal the game writes";
        case JournalError::kTruncatedTitleQuits:
            return "the quits to the title cut short";
        case JournalError::kBadTitleQuit:
            return "a quit to the title out of order or after the last frame";
        case JournalError::kBadRecord:
            return "a record of a kind this game does not know";
        case JournalError::kEndCountMismatch:
            return "an end record whose frame count is not the frames before it";
    }
    return "unknown error";
}

JournalError ParseJournal(const std::uint8_t* bytes, std::size_t size, Journal* out) {
    if (!out || (!bytes && size != 0)) return JournalError::kTruncatedHeader;
    if (size > kJournalMaxBytes) return JournalError::kTooLarge;
    Reader r(bytes, size);
    if (!r.Has(kJournalHeaderSize)) return JournalError::kTruncatedHeader;
    if (std::memcmp(r.Here(), kMagic, sizeof kMagic) != 0) return JournalError::kBadMagic;
    r.Skip(sizeof kMagic);
    const std::uint16_t version = r.U16();
    if (version != kJournalVersion && version != kJournalVersionTitleQuits && version != kJournalVersionStreamed) {
        return JournalError::kUnknownVersion;
    }

    Journal j;
    j.deviceKind = r.U8();
    j.startStage = r.U8();
    j.seed = r.U32();
    j.startTicks = r.U32();
    for (std::int32_t& n : j.padButtonNumbers) n = static_cast<std::int8_t>(r.U8());
    const std::uint8_t reserved = r.U8();
    const std::uint32_t frameCount = r.U32();
    if (j.deviceKind > 1 || j.startStage < 1 || j.startStage > 3 || reserved != 0) return JournalError::kBadHeader;
    for (std::int32_t n : j.padButtonNumbers) {
        if (!ValidPadButton(n)) return JournalError::kBadHeader;
    }
    if (version == kJournalVersionStreamed) {
        if (frameCount != kJournalFramesNotKnown) return JournalError::kBadHeader;
        const JournalError e = ReadStreamedRecords(r, &j);
        if (e != JournalError::kNone) return e;
        *out = std::move(j);
        return JournalError::kNone;
    }
    // Checked before anything is reserved: a forged count must not make us allocate gigabytes.
    const std::size_t minFrame = j.deviceKind == 0 ? kKeyboardFrameMin : kPadFrameSize;
    if (frameCount > kJournalMaxFrames || frameCount > r.Left() / minFrame) return JournalError::kAbsurdFrameCount;

    j.frames.resize(frameCount);
    std::uint32_t previous = j.startTicks;
    for (JournalFrame& frame : j.frames) {
        const JournalError e = ReadFrame(r, j.deviceKind, &previous, &frame);
        if (e != JournalError::kNone) return e;
    }
    if (version == kJournalVersionTitleQuits) {
        const JournalError e = ReadTitleQuits(r, frameCount, &j.titleQuits);
        if (e != JournalError::kNone) return e;
    }
    if (r.Left() != 0) return JournalError::kTrailingBytes;
    *out = std::move(j);
    return JournalError::kNone;
}

std::string SerializeJournal(const Journal& journal) {
    const std::vector<std::uint32_t> quits = ReachableTitleQuits(journal);
    std::string out;
    PutHeader(&out, journal, quits.empty() ? kJournalVersion : kJournalVersionTitleQuits,
              static_cast<std::uint32_t>(journal.frames.size()));
    for (const JournalFrame& frame : journal.frames) PutFrame(&out, journal.deviceKind == 1, frame);
    if (!quits.empty()) {
        PutU32(&out, static_cast<std::uint32_t>(quits.size()));
        for (const std::uint32_t frame : quits) PutU32(&out, frame);
    }
    return out;
}

std::string StreamedJournalHeader(const Journal& header) {
    std::string out;
    PutHeader(&out, header, kJournalVersionStreamed, kJournalFramesNotKnown);
    return out;
}

void AppendStreamedFrame(std::string* out, std::int32_t deviceKind, const JournalFrame& frame) {
    PutU8(out, kFrameRecord);
    PutFrame(out, deviceKind == 1, frame);
}

void AppendStreamedTitleQuit(std::string* out) { PutU8(out, kTitleQuitRecord); }

void AppendStreamedEnd(std::string* out, std::uint32_t frames) {
    PutU8(out, kEndRecord);
    PutU32(out, frames);
}

std::string SerializeStreamedJournal(const Journal& journal) {
    const std::vector<std::uint32_t> quits = ReachableTitleQuits(journal);
    std::string out = StreamedJournalHeader(journal);
    auto quit = quits.begin();
    for (std::size_t i = 0; i < journal.frames.size(); ++i) {
        if (quit != quits.end() && *quit == i) {
            AppendStreamedTitleQuit(&out);
            ++quit;
        }
        AppendStreamedFrame(&out, journal.deviceKind, journal.frames[i]);
    }
    if (!journal.endedEarly) AppendStreamedEnd(&out, static_cast<std::uint32_t>(journal.frames.size()));
    return out;
}

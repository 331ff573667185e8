#pragma once
// The journal of a run: everything a replay needs to play it again exactly. A header (the random seed,
// the stage GAME START begins at, the input device kind, the tick at start-up, the pad's button
// numbers), then for every frame the tick the frame read and the input devices' raw snapshot of that
// frame, taken before the input gate, so that the replay runs the gate itself; and the frames before
// which the player left a stage for the title from the pause panel (a paused stretch is no game time,
// so the quit is all of it the replay needs).
//
// On disk, little-endian:
//   "KVXJ", u16 version, u8 device kind (0 keyboard, 1 joystick), u8 start stage (1..3),
//   u32 seed, u32 start tick, i8 x3 pad button numbers (-1 unmapped, 0..31) and a zero byte, u32 frames;
//   a keyboard frame: u32 tick, u8 n, n key codes in rising order;
//   a joystick frame: u32 tick, u8 read (0/1), i16 x, i16 y (-1000..1000), u32 buttons (bit i: button i).
// Version 1 ends there. Version 2, written only when there are quits to the title, adds
//   u32 count (at most the frames), count x u32 frame index (rising, each below the frame count).
//
// Version 3 is the form the game records in as it plays, so that a crash, a power cut or a kill leaves a
// journal that replays up to the last frame that reached the disk. Its header's frame count is 0xFFFFFFFF
// (not known when the header is written), and records follow, each a u8 tag:
//   0: a frame, as above;  1: the player quit to the title before the next frame;
//   2: the end of a run that closed normally, u32 frames, and nothing after it.
// A version-3 journal that stops anywhere before its end record is one that was cut off: it is read up
// to its last whole frame, and says so.
// A journal comes from outside: the parser checks every field and never reads past the end.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint16_t kJournalVersion = 1;
inline constexpr std::uint16_t kJournalVersionTitleQuits = 2;
inline constexpr std::uint16_t kJournalVersionStreamed = 3;
inline constexpr std::uint32_t kJournalFramesNotKnown = 0xFFFFFFFFu;
inline constexpr std::size_t kJournalHeaderSize = 24;
// About 38 hours at 30 frames a second: more is no journal the game wrote.
inline constexpr std::uint32_t kJournalMaxFrames = 1u << 22;
// The highest DirectInput key code a keyboard reports.
inline constexpr int kJournalMaxKeyCode = 0xED;
inline constexpr int kJournalPadButtons = 32;
inline constexpr std::int32_t kJournalPadAxisLimit = 1000;
// The largest frame is a keyboard frame with every key down; no journal the game writes is larger than
// the frame cap of those, and a larger file is refused before it is read.
inline constexpr std::size_t kJournalLargestFrame = 5 + kJournalMaxKeyCode;
// The quits to the title at most one before every frame.
inline constexpr std::uint64_t kJournalLargestTitleQuits = 4 + std::uint64_t{kJournalMaxFrames} * 4;
// The streamed form spends a tag on every frame, a one-byte record on every quit and five on its end,
// which comes to less than the whole form's four bytes a quit.
inline constexpr std::uint64_t kJournalMaxStreamedBytes =
    kJournalHeaderSize + std::uint64_t{kJournalMaxFrames} * (1 + kJournalLargestFrame + 1) + 5;
inline constexpr std::uint64_t kJournalMaxBytes =
    kJournalHeaderSize + std::uint64_t{kJournalMaxFrames} * kJournalLargestFrame + kJournalLargestTitleQuits;
static_assert(kJournalMaxStreamedBytes <= kJournalMaxBytes);

// One frame's raw input: the keyboard's keys down, or the joystick's state.
struct JournalInput {
    std::array<std::uint8_t, 32> keys{};  // bit per key code
    std::uint8_t padRead = 0;             // 1 when the joystick gave its state this frame
    std::int32_t padX = 0;
    std::int32_t padY = 0;
    std::uint32_t padButtons = 0;

    bool KeyDown(int code) const {
        return code >= 0 && code < 256 && (keys[static_cast<std::size_t>(code) >> 3] & (1u << (code & 7))) != 0;
    }
    void SetKey(int code, bool down);
    bool operator==(const JournalInput&) const = default;
};

struct JournalFrame {
    std::uint32_t ticks = 0;
    JournalInput input;
    bool operator==(const JournalFrame&) const = default;
};

struct Journal {
    std::uint32_t seed = 0;
    std::int32_t startStage = 1;
    std::int32_t deviceKind = 0;
    std::uint32_t startTicks = 0;
    std::array<std::int32_t, 3> padButtonNumbers{-1, -1, -1};
    std::vector<JournalFrame> frames;
    // Rising indices into `frames`: before frame i ran, the player quit to the title from the pause panel.
    std::vector<std::uint32_t> titleQuits;
    // A streamed journal that stops before its end record: a run that was cut off, read to its last
    // whole frame.
    bool endedEarly = false;
    bool operator==(const Journal&) const = default;
};

enum class JournalError {
    kNone,
    kTruncatedHeader,
    kBadMagic,
    kUnknownVersion,
    kBadHeader,
    kAbsurdFrameCount,
    kTruncatedFrame,
    kBadKeyCode,
    kBadPadState,
    kClockBackwards,
    kTrailingBytes,
    kTooLarge,
    kTruncatedTitleQuits,
    kBadTitleQuit,
    kBadRecord,
    kEndCountMismatch,
};

// A short sentence for the message a replay gives.
const char* JournalErrorText(JournalError error);

// Reads a whole journal. On an error *out is left in an unspecified state.
JournalError ParseJournal(const std::uint8_t* bytes, std::size_t size, Journal* out);

// The journal's bytes: version 1 when there are no quits to the title, so older games read it. A key code
// above the highest and a pad button number out of 0..31 (which reads as unmapped) are written as what the
// game makes of them: no key, and -1. A quit that does not come after the one before, or that no frame
// follows, can never be reached by a replay and is left out.
std::string SerializeJournal(const Journal& journal);

// The streamed form, a piece at a time as the game plays: the header (the frame count not known), then
// a record for each frame and each quit to the title, then the end record at a normal end. Values out of
// range are written as SerializeJournal writes them.
std::string StreamedJournalHeader(const Journal& header);
void AppendStreamedFrame(std::string* out, std::int32_t deviceKind, const JournalFrame& frame);
void AppendStreamedTitleQuit(std::string* out);
void AppendStreamedEnd(std::string* out, std::uint32_t frames);
// A whole journal in the streamed form; without the end record where it ended early.
std::string SerializeStreamedJournal(const Journal& journal);

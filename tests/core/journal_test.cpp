#include "core/journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

Journal KeyboardJournal() {
    Journal j;
    j.seed = 0xDEADBEEF;
    j.startStage = 2;
    j.deviceKind = 0;
    j.startTicks = 12000;
    JournalFrame a;
    a.ticks = 15000;
    JournalFrame b;
    b.ticks = 15033;
    b.input.SetKey(0x2C, true);  // Z
    b.input.SetKey(0xC8, true);  // up
    b.input.SetKey(kJournalMaxKeyCode, true);
    JournalFrame c;
    c.ticks = 15033;  // a frame may read the tick of the one before
    c.input.SetKey(0x01, true);
    j.frames = {a, b, c};
    return j;
}

Journal PadJournal() {
    Journal j;
    j.seed = 7;
    j.deviceKind = 1;
    j.startTicks = 0xFFFFFF00u;
    j.padButtonNumbers = {3, -1, 31};
    JournalFrame a;
    a.ticks = 0xFFFFFFF0u;
    a.input.padRead = 1;
    a.input.padX = -1000;
    a.input.padY = 1000;
    a.input.padButtons = 0x80000009u;
    JournalFrame b;
    b.ticks = 0x10;  // the tick wrapped
    j.frames = {a, b};
    return j;
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

JournalError Parse(const std::vector<std::uint8_t>& bytes, Journal* out = nullptr) {
    Journal scratch;
    // An exact-size heap copy: a read past the end is a sanitizer error, not a silent success.
    std::vector<std::uint8_t> exact(bytes);
    return ParseJournal(exact.empty() ? nullptr : exact.data(), exact.size(), out ? out : &scratch);
}

// Offsets of the header's fields.
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kKindAt = 6;
constexpr std::size_t kStageAt = 7;
constexpr std::size_t kPadNumbersAt = 16;
constexpr std::size_t kReservedAt = 19;
constexpr std::size_t kCountAt = 20;

void PutU32(std::vector<std::uint8_t>* b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) (*b)[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(JournalTest, KeyboardAndPadJournalsComeBackAsWritten) {
    for (const Journal& written : {KeyboardJournal(), PadJournal()}) {
        const std::string bytes = SerializeJournal(written);
        Journal read;
        ASSERT_EQ(JournalError::kNone, Parse(Bytes(bytes), &read));
        EXPECT_EQ(written, read);
    }
}

TEST(JournalTest, KeyboardFramesHoldOnlyTheKeysDown) {
    const std::string bytes = SerializeJournal(KeyboardJournal());
    // Header, then 5 bytes per frame plus one per key down: 0, 3 and 1 keys.
    EXPECT_EQ(kJournalHeaderSize + 3 * 5 + 4, bytes.size());
    const auto* frame2 = reinterpret_cast<const std::uint8_t*>(bytes.data()) + kJournalHeaderSize + 5;
    EXPECT_EQ(3, frame2[4]);
    EXPECT_EQ(0x2C, frame2[5]);
    EXPECT_EQ(0xC8, frame2[6]);
    EXPECT_EQ(kJournalMaxKeyCode, frame2[7]);
}

TEST(JournalTest, WriterStoresWhatTheGameMakesOfOutOfRangeValues) {
    Journal j = PadJournal();
    j.padButtonNumbers = {40, -7, 2};
    j.frames[0].input.padX = 1500;        // not an end value: steers as the centre
    j.frames[1].input.padButtons = 0xFF;  // a failed read has no buttons
    j.startStage = 3;
    Journal read;
    ASSERT_EQ(JournalError::kNone, Parse(Bytes(SerializeJournal(j)), &read));
    EXPECT_EQ((std::array<std::int32_t, 3>{-1, -1, 2}), read.padButtonNumbers);
    EXPECT_EQ(0, read.frames[0].input.padX);
    EXPECT_EQ(1000, read.frames[0].input.padY);
    EXPECT_EQ(0u, read.frames[1].input.padButtons);

    Journal keys = KeyboardJournal();
    keys.frames[0].input.SetKey(0xFE, true);  // above the highest key code
    ASSERT_EQ(JournalError::kNone, Parse(Bytes(SerializeJournal(keys)), &read));
    EXPECT_FALSE(read.frames[0].input.KeyDown(0xFE));
}

TEST(JournalTest, HeaderRejections) {
    const std::vector<std::uint8_t> good = Bytes(SerializeJournal(KeyboardJournal()));
    EXPECT_EQ(JournalError::kTruncatedHeader, Parse({}));
    EXPECT_EQ(JournalError::kTruncatedHeader, Parse({good.begin(), good.begin() + kJournalHeaderSize - 1}));

    auto with = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> b = good;
        b[at] = value;
        return Parse(b);
    };
    EXPECT_EQ(JournalError::kBadMagic, with(0, 'k'));
    EXPECT_EQ(JournalError::kBadMagic, with(3, 'K'));
    EXPECT_EQ(JournalError::kUnknownVersion, with(kVersionAt, 4));
    EXPECT_EQ(JournalError::kUnknownVersion, with(kVersionAt + 1, 1));
    EXPECT_EQ(JournalError::kBadHeader, with(kKindAt, 2));
    EXPECT_EQ(JournalError::kBadHeader, with(kStageAt, 0));
    EXPECT_EQ(JournalError::kBadHeader, with(kStageAt, 4));
    EXPECT_EQ(JournalError::kBadHeader, with(kPadNumbersAt + 1, 32));
    EXPECT_EQ(JournalError::kBadHeader, with(kPadNumbersAt + 2, 0xFE));  // -2
    EXPECT_EQ(JournalError::kBadHeader, with(kReservedAt, 1));
    EXPECT_EQ(JournalError::kNone, with(kPadNumbersAt, 31));
}

TEST(JournalTest, FrameCountsTheFileCannotHoldAreRejectedBeforeReading) {
    std::vector<std::uint8_t> b = Bytes(SerializeJournal(KeyboardJournal()));
    PutU32(&b, kCountAt, 0xFFFFFFFFu);
    EXPECT_EQ(JournalError::kAbsurdFrameCount, Parse(b));
    PutU32(&b, kCountAt, kJournalMaxFrames + 1);
    EXPECT_EQ(JournalError::kAbsurdFrameCount, Parse(b));
    // More frames than even the smallest frames could fill.
    PutU32(&b, kCountAt, static_cast<std::uint32_t>((b.size() - kJournalHeaderSize) / 5 + 1));
    EXPECT_EQ(JournalError::kAbsurdFrameCount, Parse(b));
    // One fewer: the last frame is left over.
    PutU32(&b, kCountAt, 2);
    EXPECT_EQ(JournalError::kTrailingBytes, Parse(b));
}

TEST(JournalTest, QuitsToTheTitleAddATrailerThatIsCheckedLikeTheRest) {
    Journal written = PadJournal();
    written.titleQuits = {0, 1};
    std::string bytes = SerializeJournal(written);
    Journal read;
    ASSERT_EQ(JournalError::kNone, Parse(Bytes(bytes), &read));
    EXPECT_EQ(written, read);
    bytes[kVersionAt] = kJournalVersion;  // version 1's bytes, then the count and two indices
    EXPECT_EQ(SerializeJournal(PadJournal()), bytes.substr(0, bytes.size() - 12));
    written = KeyboardJournal();
    written.titleQuits = {1, 1, 0, 3, 2};  // those no replay could reach are left out
    ASSERT_EQ(JournalError::kNone, Parse(Bytes(SerializeJournal(written)), &read));
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2}), read.titleQuits);
    // Three frames, and a version-2 trailer of the given words.
    auto trailer = [](std::vector<std::uint32_t> words, Journal* out = nullptr) {
        std::vector<std::uint8_t> b = Bytes(SerializeJournal(KeyboardJournal()));
        b[kVersionAt] = kJournalVersionTitleQuits;
        for (std::uint32_t w : words) {
            for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
        }
        return Parse(b, out);
    };
    ASSERT_EQ(JournalError::kNone, trailer({0}, &read));
    EXPECT_TRUE(read.titleQuits.empty());
    EXPECT_EQ(JournalError::kTruncatedTitleQuits, trailer({}));
    EXPECT_EQ(JournalError::kTruncatedTitleQuits, trailer({2, 0}));
    EXPECT_EQ(JournalError::kBadTitleQuit, trailer({0xFFFFFFFFu}));  // more quits than frames
    EXPECT_EQ(JournalError::kBadTitleQuit, trailer({1, 3}));         // no frame after it
    EXPECT_EQ(JournalError::kBadTitleQuit, trailer({2, 1, 1}));
}

TEST(JournalTest, EveryShortenedJournalIsRejected) {
    for (const Journal& j : {KeyboardJournal(), PadJournal()}) {
        const std::vector<std::uint8_t> full = Bytes(SerializeJournal(j));
        for (std::size_t n = 0; n < full.size(); ++n) {
            const JournalError e = Parse({full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)});
            EXPECT_TRUE(e == JournalError::kTruncatedHeader || e == JournalError::kTruncatedFrame ||
                        e == JournalError::kAbsurdFrameCount)
                << n << " bytes: " << JournalErrorText(e);
        }
    }
}

TEST(JournalTest, KeyCodesMustBeKeysInRisingOrder) {
    const std::vector<std::uint8_t> good = Bytes(SerializeJournal(KeyboardJournal()));
    const std::size_t keysAt = kJournalHeaderSize + 5 + 5;  // second frame's codes: 0x2C 0xC8 0xED
    auto with = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> b = good;
        b[at] = value;
        return Parse(b);
    };
    EXPECT_EQ(JournalError::kBadKeyCode, with(keysAt, 0x00));
    EXPECT_EQ(JournalError::kBadKeyCode, with(keysAt + 2, kJournalMaxKeyCode + 1));
    EXPECT_EQ(JournalError::kBadKeyCode, with(keysAt + 1, 0x2C));  // a repeat
    EXPECT_EQ(JournalError::kBadKeyCode, with(keysAt + 1, 0x10));  // falling
    EXPECT_EQ(JournalError::kBadKeyCode, with(keysAt - 1, 0xFF));  // more keys than exist
    EXPECT_EQ(JournalError::kNone, with(keysAt + 1, 0x2D));
}

TEST(JournalTest, PadStatesOutOfRangeAreRejected) {
    const std::vector<std::uint8_t> good = Bytes(SerializeJournal(PadJournal()));
    const std::size_t first = kJournalHeaderSize;
    const std::size_t second = kJournalHeaderSize + 13;
    auto with = [&](std::size_t at, std::uint8_t lo, std::uint8_t hi) {
        std::vector<std::uint8_t> b = good;
        b[at] = lo;
        b[at + 1] = hi;
        return Parse(b);
    };
    EXPECT_EQ(JournalError::kBadPadState, with(first + 5, 0xE9, 0x03));  // x 1001
    EXPECT_EQ(JournalError::kBadPadState, with(first + 7, 0x17, 0xFC));  // y -1001
    EXPECT_EQ(JournalError::kNone, with(first + 7, 0x18, 0xFC));         // y -1000
    std::vector<std::uint8_t> b = good;
    b[first + 4] = 2;
    EXPECT_EQ(JournalError::kBadPadState, Parse(b));
    b = good;
    b[second + 9] = 1;  // a button in a frame whose read failed
    EXPECT_EQ(JournalError::kBadPadState, Parse(b));
}

TEST(JournalTest, ClockReadingsMustNotGoBack) {
    Journal j = KeyboardJournal();
    j.frames[2].ticks = j.frames[1].ticks - 1;
    EXPECT_EQ(JournalError::kClockBackwards, Parse(Bytes(SerializeJournal(j))));
    j = KeyboardJournal();
    j.frames[0].ticks = j.startTicks - 1;
    EXPECT_EQ(JournalError::kClockBackwards, Parse(Bytes(SerializeJournal(j))));
    // A jump of more than half the tick range forward reads as a step back.
    j = KeyboardJournal();
    j.frames[2].ticks = j.frames[1].ticks + 0x80000001u;
    EXPECT_EQ(JournalError::kClockBackwards, Parse(Bytes(SerializeJournal(j))));
}

}  // namespace

// The form the game records in as it plays: whatever stops it, the bytes that reached the disk read as the
// frames that ran, up to the last whole one.
TEST(JournalTest, AStreamedJournalCutAtAnyByteReadsToItsLastWholeFrame) {
    for (Journal written : {KeyboardJournal(), PadJournal()}) {
        written.titleQuits = {1};
        const std::string full = SerializeStreamedJournal(written);
        Journal read;
        ASSERT_EQ(JournalError::kNone, Parse(Bytes(full), &read));
        EXPECT_EQ(written, read);
        EXPECT_FALSE(read.endedEarly);
        // Where each frame's record ends, and the end record after the last.
        std::vector<std::size_t> frameEnds;
        Journal prefix = written;
        for (std::size_t n = 1; n <= written.frames.size(); ++n) {
            prefix.frames.assign(written.frames.begin(), written.frames.begin() + static_cast<std::ptrdiff_t>(n));
            prefix.endedEarly = true;
            frameEnds.push_back(SerializeStreamedJournal(prefix).size());
        }
        for (std::size_t n = 0; n < full.size(); ++n) {
            const JournalError e = Parse(Bytes(full.substr(0, n)), &read);
            if (n < kJournalHeaderSize) {
                EXPECT_EQ(JournalError::kTruncatedHeader, e) << n;
                continue;
            }
            ASSERT_EQ(JournalError::kNone, e) << n << " bytes: " << JournalErrorText(e);
            const auto whole = static_cast<std::size_t>(
                std::upper_bound(frameEnds.begin(), frameEnds.end(), n) - frameEnds.begin());
            EXPECT_TRUE(read.endedEarly) << n;
            EXPECT_EQ(whole, read.frames.size()) << n;
            EXPECT_EQ(whole > 1 ? 1u : 0u, read.titleQuits.size()) << n;
            prefix.frames.assign(written.frames.begin(), written.frames.begin() + static_cast<std::ptrdiff_t>(whole));
            EXPECT_EQ(prefix.frames, read.frames) << n;
        }
    }
}

TEST(JournalTest, StreamedRecordsAreCheckedLikeTheRest) {
    const std::string good = SerializeStreamedJournal(KeyboardJournal());
    const std::size_t end = good.size() - 5;  // where the end record starts
    auto with = [&](std::size_t at, std::size_t drop, const std::string& put) {
        return Parse(Bytes(good.substr(0, at) + put + good.substr(at + drop)));
    };
    EXPECT_EQ(JournalError::kBadRecord, with(end, 1, std::string(1, '\x07')));
    EXPECT_EQ(JournalError::kEndCountMismatch, with(end + 1, 1, std::string(1, '\x02')));
    EXPECT_EQ(JournalError::kTrailingBytes, with(good.size(), 0, std::string(1, '\0')));
    EXPECT_EQ(JournalError::kBadTitleQuit, with(end, 0, std::string(1, '\x01')));  // no frame after it
    EXPECT_EQ(JournalError::kBadTitleQuit, with(kJournalHeaderSize, 0, std::string(2, '\x01')));
    // The frame count is not known when a streamed header is written.
    std::vector<std::uint8_t> counted = Bytes(good);
    PutU32(&counted, kCountAt, 3);
    EXPECT_EQ(JournalError::kBadHeader, Parse(counted));
}

// The record/replay journal: a header, one snapshot of the input devices per frame, and the quits to the
// title.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/journal.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Journal journal;
    if (ParseJournal(data, size, &journal) != JournalError::kNone) return 0;

    FUZZ_REQUIRE(journal.startStage >= 1 && journal.startStage <= 3);
    FUZZ_REQUIRE(journal.deviceKind == 0 || journal.deviceKind == 1);
    FUZZ_REQUIRE(journal.frames.size() <= kJournalMaxFrames);
    // Each frame costs at least its tick and one more byte, so the frames cannot outnumber the bytes.
    FUZZ_REQUIRE(journal.frames.size() * 5 <= size);
    std::uint32_t previous = journal.startTicks;
    for (const JournalFrame& frame : journal.frames) {
        // The clock never goes back (it may wrap).
        FUZZ_REQUIRE(static_cast<std::int32_t>(frame.ticks - previous) >= 0);
        previous = frame.ticks;
        for (int code = kJournalMaxKeyCode + 1; code < 256; ++code) FUZZ_REQUIRE(!frame.input.KeyDown(code));
        FUZZ_REQUIRE(frame.input.padX >= -kJournalPadAxisLimit && frame.input.padX <= kJournalPadAxisLimit);
        FUZZ_REQUIRE(frame.input.padY >= -kJournalPadAxisLimit && frame.input.padY <= kJournalPadAxisLimit);
    }

    for (std::size_t i = 0; i < journal.titleQuits.size(); ++i) {
        FUZZ_REQUIRE(journal.titleQuits[i] < journal.frames.size());
        FUZZ_REQUIRE(i == 0 || journal.titleQuits[i] > journal.titleQuits[i - 1]);
    }

    std::string expected(reinterpret_cast<const char*>(data), size);
    if (expected[4] == kJournalVersionStreamed) {
        // Written back, a streamed journal is its own bytes; one cut off is those up to its last whole
        // frame (a record cut short, or a quit that no frame followed, is gone).
        const std::string bytes = SerializeStreamedJournal(journal);
        FUZZ_REQUIRE(journal.endedEarly ? expected.compare(0, bytes.size(), bytes) == 0 : bytes == expected);
        Journal again;
        FUZZ_REQUIRE(ParseJournal(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &again) ==
                     JournalError::kNone);
        FUZZ_REQUIRE(again == journal);
        return 0;
    }
    FUZZ_REQUIRE(!journal.endedEarly);
    // What was read is written back byte for byte, and reads as itself; but a version-2 journal that
    // holds no quits comes back as version 1, without the version-2 trailer's count.
    if (journal.titleQuits.empty() && expected[4] == kJournalVersionTitleQuits) {
        FUZZ_REQUIRE(expected.compare(size - 4, 4, std::string(4, '\0')) == 0);
        expected[4] = static_cast<char>(kJournalVersion);
        expected.resize(size - 4);
    }
    const std::string bytes = SerializeJournal(journal);
    FUZZ_REQUIRE(bytes == expected);
    Journal again;
    FUZZ_REQUIRE(ParseJournal(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &again) ==
                 JournalError::kNone);
    FUZZ_REQUIRE(again == journal);
    return 0;
}

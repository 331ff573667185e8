#pragma once
// The high-score file: the record as one decimal number in text, with no line end.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/atomic_file.h"

inline constexpr char kHighScoreFile[] = "score.txt";

// Reads the number the way "%d" does, but checked: leading white space is skipped, an optional sign
// and the digits are taken, anything after them is ignored. The result is clamped to 0..2147483647, so
// a text with no number reads as 0 and one too long for 32 bits as the largest score.
std::int32_t ParseHighScore(std::string_view text);
std::string FormatHighScore(std::int32_t score);

// Held from a save's read of the file to its rename, and while the leftovers are removed at start, so that
// a game beside this one neither saves in between nor takes its temporary file for a leftover: it waits.
// The lock file, "score.txt.lock", stands beside the file only meanwhile.
platform::ReplacementLock LockHighScoreFile();
// False when the file cannot be read (missing, unreadable, a folder).
bool ReadHighScoreFile(std::int32_t* score);
// Replaces the file as one whole (never truncated first); false when it failed and the old file stays.
bool WriteHighScoreFile(std::int32_t score);
// Removes what saves cut off by a power cut or a kill left beside the file, under the lock.
void RemoveHighScoreLeftovers();

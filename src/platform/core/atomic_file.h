#pragma once
// Files that must never be found half written. A replacement goes to a temporary file beside the
// target, is flushed and synced, and only then renamed over it: at every moment the target holds
// either all of its old content or all of the new, whatever stops the program (a crash, a kill, a
// power cut, a full disk).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Reads a whole file. False when it cannot be opened or read (a folder of that name included).
bool ReadWholeFile(const std::string& path, std::string* out);
// The same for a file from outside that may be of any size: one larger than maxBytes is not read, and
// *tooLarge tells it apart from a file that cannot be read.
bool ReadWholeFile(const std::string& path, std::string* out, std::uint64_t maxBytes, bool* tooLarge);

// Puts bytes at path as one whole. The old file is kept as it was, and no temporary file is left
// behind, when anything fails: the target is a folder or another non-regular file, the target is
// read-only (a rename would bypass its permission, so it is checked first), the temporary file cannot
// be made, written or synced, or the rename fails. A missing target is created. Where path is a
// symbolic link, the file it names is replaced and the link kept.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files that replacements of path left beside it when they were cut off (a power
// cut, a kill): files of the replacement's own name pattern only, and none that a replacement running
// now (another game's save) is still writing.
void RemoveLeftoverTemporaries(const std::string& path);

// An exclusive lock for a read, compare and replace of path that no other program's may interleave with:
// a flock on "<name>.lock" beside the file (beside the file a symbolic link names, where the replacement's
// temporary files go too), taken at construction, waiting while another holds it, and let go with the
// object. The lock file is removed when the lock is let go, so it stands only while one is held (or after
// a program was killed holding it, until the next one). Where it cannot be made (a folder that cannot be
// written), nothing is held and the caller goes on as before.
class ReplacementLock {
public:
    explicit ReplacementLock(const std::string& path);
    ~ReplacementLock();
    ReplacementLock(const ReplacementLock&) = delete;
    ReplacementLock& operator=(const ReplacementLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string lockPath_;
};

// For tests: runs when a ReplacementLock finds its lock held by another, before it waits. Pass an empty
// function to restore.
using LockWaitHook = std::function<void(const std::string& lockPath)>;
void SetLockWaitHook(LockWaitHook hook);

// For tests: runs after the temporary file has been written and synced, before the rename. Returning
// false makes the replacement fail at that point, as an interrupted save would. Pass an empty function
// to restore.
using ReplaceFileHook = std::function<bool(const std::string& temporaryPath)>;
void SetReplaceFileHook(ReplaceFileHook hook);

}  // namespace platform

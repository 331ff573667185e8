#include "platform/core/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/core/write_all.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::mutex g_hookMutex;
ReplaceFileHook g_hook;
LockWaitHook g_lockWaitHook;

bool HookAllowsRename(const std::string& temporaryPath) {
    ReplaceFileHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_hook;
    }
    return !hook || hook(temporaryPath);
}

void AboutToWaitForLock(const std::string& lockPath) {
    LockWaitHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_lockWaitHook;
    }
    if (hook) hook(lockPath);
}

// False when the file system takes no locks: the caller then goes on unlocked.
bool LockExclusively(int fd, const std::string& lockPath) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK) return false;
    AboutToWaitForLock(lockPath);
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// Whether the lock file held is still the one at lockPath: the holder before removed it while this one
// waited, and another may have made a new one since.
bool StillThere(int fd, const std::string& lockPath) {
    struct stat held {};
    struct stat there {};
    if (::fstat(fd, &held) != 0) return true;
    if (::stat(lockPath.c_str(), &there) != 0) return errno != ENOENT;
    return held.st_dev == there.st_dev && held.st_ino == there.st_ino;
}

// The file the rename replaces: through a symbolic link to the file it names, so the link survives.
fs::path RenameTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) return resolved;
    }
    return fs::path(path);
}

// ".score.txt.tmp-XXXXXX" beside score.txt: mkostemp's six letters and digits after the prefix.
std::string TemporaryPrefix(const fs::path& target) { return "." + target.filename().string() + ".tmp-"; }
constexpr std::size_t kTemporaryLetters = 6;

bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + kTemporaryLetters || name.compare(0, prefix.size(), prefix) != 0) return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// A file marked read-only stays as it is even for a user the system would let write it (root): the
// mark is the player's wish, as the read-only attribute was.
bool Writable(const fs::path& target, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::access(target.c_str(), W_OK) == 0;
}

// The rename is only durable once the folder's entry is on disk too. Failing here changes nothing
// the caller could act on: the new content is already in place.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* out) {
    bool tooLarge = false;
    return ReadWholeFile(path, out, UINT64_MAX, &tooLarge);
}

bool ReadWholeFile(const std::string& path, std::string* out, std::uint64_t maxBytes, bool* tooLarge) {
    *tooLarge = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // The size is checked before a byte is read, and again while reading: the file may still be growing.
    std::string bytes;
    char buffer[4096];
    for (;;) {
        if (static_cast<std::uint64_t>(st.st_size) > maxBytes || bytes.size() > maxBytes) {
            *tooLarge = true;
            ::close(fd);
            return false;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (out) *out = std::move(bytes);
    return true;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = RenameTarget(path);
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || !Writable(target, st)) return false;
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string pattern = (folder / (TemporaryPrefix(target) + std::string(kTemporaryLetters, 'X'))).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const std::string temporary(name.data());
    // Held until the rename: the lock tells a starting game that this file is no leftover.
    ::flock(fd, LOCK_EX);

    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ok && HookAllowsRename(temporary);
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    ::close(fd);
    if (!ok) return false;
    SyncFolder(folder);
    return true;
}

void RemoveLeftoverTemporaries(const std::string& path) {
    const fs::path target = RenameTarget(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = TemporaryPrefix(target);
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (!IsTemporaryOf(entry.path().filename().string(), prefix) || !entry.is_regular_file(ec)) continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

ReplacementLock::ReplacementLock(const std::string& path) : lockPath_(RenameTarget(path).string() + ".lock") {
    for (;;) {
        const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) return;
        if (!LockExclusively(fd, lockPath_)) {
            ::close(fd);
            return;
        }
        if (StillThere(fd, lockPath_)) {
            fd_ = fd;
            return;
        }
        ::close(fd);
    }
}

// Removed while still held: whoever opened it meanwhile finds it gone once it has the lock, and tries again.
ReplacementLock::~ReplacementLock() {
    if (fd_ < 0) return;
    ::unlink(lockPath_.c_str());
    ::close(fd_);
}

void SetLockWaitHook(LockWaitHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_lockWaitHook = std::move(hook);
}

void SetReplaceFileHook(ReplaceFileHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

}  // namespace platform

#pragma once
// A file written as a run goes on, a piece at a time, for what must outlive a crash or a kill (the
// journal of a recording): each Append reaches the operating system at once, so a process that dies
// loses nothing it appended, though a power cut may lose what the disk had not yet taken.

#include <string>
#include <string_view>

namespace platform {

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Makes the file anew (empty) at path. False when it cannot be made or written: a folder there, a
    // read-only file, a missing folder. Where path is a symbolic link, the file it names is written.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }
    // False when the bytes could not all be written (a full disk); the file keeps what was.
    bool Append(std::string_view bytes);
    void Close();

private:
    int fd_ = -1;
};

}  // namespace platform

#pragma once
// A fresh folder for one test, made the working directory while the test runs (the game reads and
// writes its files relative to it), removed afterwards.

#include <filesystem>
#include <string>

class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string ReadFile(const std::string& relative) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

TempWorkDir::TempWorkDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("korvex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)));
    fs::remove_all(path_);
    fs::create_directories(path_);
    previous_ = fs::current_path();
    fs::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void TempWorkDir::WriteFile(const std::string& relative, const std::string& bytes) const {
    fs::path p = path_ / relative;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempWorkDir::ReadFile(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

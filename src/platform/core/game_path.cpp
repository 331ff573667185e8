#include "platform/core/game_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string ResolveGamePath(std::string_view gameName) {
    std::string name(gameName);
    std::replace(name.begin(), name.end(), '\\', '/');
    std::error_code ec;
    if (fs::exists(name, ec)) return name;
    fs::path p(name);
    fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    std::string leaf = p.filename().string();
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string candidate = entry.path().filename().string();
        if (EqualsNoCase(candidate, leaf)) {
            return p.has_parent_path() ? (p.parent_path() / candidate).string() : candidate;
        }
    }
    return name;
}

std::string ShortName(std::string_view gameName) {
    std::string name(gameName);
    std::replace(name.begin(), name.end(), '\\', '/');
    return fs::path(name).stem().string();
}

}  // namespace platform

#include "asset_writer.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assetgen {

namespace fs = std::filesystem;

AssetWriter::AssetWriter(fs::path dataDir, fs::path previewDir, fs::path installDir)
    : dataDir_(std::move(dataDir)), previewDir_(std::move(previewDir)), installDir_(std::move(installDir)) {}

fs::path AssetWriter::ToHostPath(std::string_view gameName) {
    std::string s(gameName);
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
    return fs::path(s);
}

void AssetWriter::Write(std::string_view gameName, const std::vector<std::uint8_t>& bytes) {
    WriteFile(dataDir_ / ToHostPath(gameName), bytes);
}

void AssetWriter::WritePreview(std::string_view fileName, const std::vector<std::uint8_t>& bytes) {
    WriteFile(previewDir_ / fs::path(std::string(fileName)), bytes);
}

void AssetWriter::WriteInstallFile(std::string_view fileName, const std::vector<std::uint8_t>& bytes) {
    if (installDir_.empty()) return;
    WriteFile(installDir_ / fs::path(std::string(fileName)), bytes);
}

void AssetWriter::WriteIfMissing(std::string_view gameName, const std::vector<std::uint8_t>& bytes) {
    fs::path path = dataDir_ / ToHostPath(gameName);
    if (fs::exists(path)) {
        ++unchanged_;
        return;
    }
    WriteFile(path, bytes);
}

void AssetWriter::WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::vector<std::uint8_t> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes) {
                ++unchanged_;
                return;
            }
        }
    }
    fs::create_directories(path.parent_path());
    fs::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write " + tmp.string());
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + tmp.string());
    }
    fs::rename(tmp, path);
    ++written_;
}

std::vector<Generator>& Generators() {
    static std::vector<Generator> all;
    return all;
}

GeneratorRegistration::GeneratorRegistration(const char* name, GeneratorFn fn, int order) {
    Generators().push_back({name, fn, order});
}

}  // namespace assetgen

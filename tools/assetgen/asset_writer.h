#pragma once
// Where the generators put their files, and the registry through which each generator joins the tool.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

// Writes files under the data folder, touching only those whose bytes changed, so that a rebuild
// leaves unchanged files (and their timestamps) alone.
class AssetWriter {
public:
    // installDir: what an installation puts beside the game's data (the menu icon, the files a new
    // player starts from); empty to write none of it.
    AssetWriter(std::filesystem::path dataDir, std::filesystem::path previewDir, std::filesystem::path installDir = {});

    // name is the game's own path, with a backslash after a one-letter folder ("t\\stage 1.png").
    void Write(std::string_view gameName, const std::vector<std::uint8_t>& bytes);
    void WritePreview(std::string_view fileName, const std::vector<std::uint8_t>& bytes);
    // fileName is relative to the installation folder, with slashes ("icons/hicolor/16x16/apps/korvex.png").
    void WriteInstallFile(std::string_view fileName, const std::vector<std::uint8_t>& bytes);
    // Writes a file only when none exists (the high score a player has earned is never overwritten).
    void WriteIfMissing(std::string_view gameName, const std::vector<std::uint8_t>& bytes);

    const std::filesystem::path& DataDir() const { return dataDir_; }
    const std::filesystem::path& PreviewDir() const { return previewDir_; }
    const std::filesystem::path& InstallDir() const { return installDir_; }
    int FilesWritten() const { return written_; }
    int FilesUnchanged() const { return unchanged_; }

    static std::filesystem::path ToHostPath(std::string_view gameName);

private:
    void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

    std::filesystem::path dataDir_;
    std::filesystem::path previewDir_;
    std::filesystem::path installDir_;
    int written_ = 0;
    int unchanged_ = 0;
};

using GeneratorFn = void (*)(AssetWriter&);

struct Generator {
    const char* name;
    GeneratorFn fn;
    int order;  // lower runs first
};

// Every generator registers itself at static-initialisation time; the tool runs them by order.
std::vector<Generator>& Generators();

struct GeneratorRegistration {
    GeneratorRegistration(const char* name, GeneratorFn fn, int order);
};

}  // namespace assetgen

#define KORVEX_ASSET_GENERATOR_CAT2(a, b) a##b
#define KORVEX_ASSET_GENERATOR_CAT(a, b) KORVEX_ASSET_GENERATOR_CAT2(a, b)
#define KORVEX_ASSET_GENERATOR(name, fn, order)                                                                    \
    static ::assetgen::GeneratorRegistration KORVEX_ASSET_GENERATOR_CAT(korvexAssetGenerator_, __LINE__)(name, fn, \
                                                                                                         order)

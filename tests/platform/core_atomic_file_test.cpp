#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/atomic_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

bool ReplaceWithFileSizeLimit(const std::string& path, std::string_view bytes, rlim_t limitBytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limitBytes;
    limit.rlim_max = limitBytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return platform::ReplaceFileAtomically(path, bytes);
}

class ReplaceFileTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetReplaceFileHook({}); }
    TempWorkDir dir_;
};

}  // namespace

TEST_F(ReplaceFileTest, PutsTheWholeNewContentAndKeepsTheFilesPermissions) {
    dir_.WriteFile("score.txt", "10000");
    ::chmod("score.txt", 0640);
    ASSERT_TRUE(platform::ReplaceFileAtomically("score.txt", "12000"));
    EXPECT_EQ(dir_.ReadFile("score.txt"), "12000");
    EXPECT_EQ(Mode("score.txt"), 0640u);
    EXPECT_EQ(FolderEntries(dir_.Path()), std::vector<std::string>{"score.txt"});

    // A missing file is made.
    ASSERT_TRUE(platform::ReplaceFileAtomically("other.txt", "7"));
    EXPECT_EQ(dir_.ReadFile("other.txt"), "7");
}

TEST_F(ReplaceFileTest, ThroughASymbolicLinkReplacesTheFileItNamesAndKeepsTheLink) {
    dir_.WriteFile("real/score.txt", "10000");
    fs::create_symlink("real/score.txt", "score.txt");
    ASSERT_TRUE(platform::ReplaceFileAtomically("score.txt", "12000"));
    EXPECT_TRUE(fs::is_symlink("score.txt"));
    EXPECT_EQ(dir_.ReadFile("real/score.txt"), "12000");
    EXPECT_EQ(FolderEntries(dir_.Path() / "real"), std::vector<std::string>{"score.txt"});
}

TEST_F(ReplaceFileTest, ReadOnlyFileOrFolderStaysAsItIsWithNoTemporaryFileLeft) {
    dir_.WriteFile("score.txt", "10000");
    ::chmod("score.txt", 0444);
    EXPECT_FALSE(platform::ReplaceFileAtomically("score.txt", "12000"));
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
    EXPECT_EQ(Mode("score.txt"), 0444u);

    fs::create_directory("folder.txt");
    dir_.WriteFile("folder.txt/inside", "x");
    EXPECT_FALSE(platform::ReplaceFileAtomically("folder.txt", "12000"));
    EXPECT_TRUE(fs::is_directory("folder.txt"));
    EXPECT_EQ(FolderEntries(dir_.Path() / "folder.txt"), std::vector<std::string>{"inside"});

    EXPECT_EQ(FolderEntries(dir_.Path()), (std::vector<std::string>{"folder.txt", "score.txt"}));
}

TEST_F(ReplaceFileTest, InterruptedBetweenWritingAndRenamingLeavesTheOldFile) {
    dir_.WriteFile("score.txt", "10000");
    std::string seen;
    fs::path seenFolder;
    platform::SetReplaceFileHook([&](const std::string& temporary) {
        // The new content is complete on disk before the rename is tried.
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile(temporary, &bytes));
        seen = bytes;
        seenFolder = fs::absolute(temporary).parent_path();
        EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
        return false;
    });
    EXPECT_FALSE(platform::ReplaceFileAtomically("score.txt", "12000"));
    EXPECT_EQ(seen, "12000");
    EXPECT_TRUE(fs::equivalent(seenFolder, dir_.Path())) << "the temporary file must lie beside the target";
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
    EXPECT_EQ(FolderEntries(dir_.Path()), std::vector<std::string>{"score.txt"});
}

TEST_F(ReplaceFileTest, FullDiskLeavesTheOldFile) {
    dir_.WriteFile("score.txt", "10000");
    // A file size limit makes the write come up short and then fail, as a full disk does. It is set in
    // a child process so the test program itself keeps writing freely.
    EXPECT_EXIT(::_exit(ReplaceWithFileSizeLimit("score.txt", "12000", 2) ? 1 : 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
    EXPECT_EQ(FolderEntries(dir_.Path()), std::vector<std::string>{"score.txt"});
}

TEST(ReadWholeFile, ReadsTheBytesAndRefusesWhatIsNoFile) {
    TempWorkDir dir;
    dir.WriteFile("score.txt", " 777xyz\n");
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile("score.txt", &bytes));
    EXPECT_EQ(bytes, " 777xyz\n");
    EXPECT_FALSE(platform::ReadWholeFile("missing.txt", &bytes));
    fs::create_directory("folder.txt");
    EXPECT_FALSE(platform::ReadWholeFile("folder.txt", &bytes));
}

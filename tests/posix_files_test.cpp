#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace bt::posix {
namespace {

namespace fs = std::filesystem;

struct PosixFilesTest : ::testing::Test {
    fs::path dir;
    fs::path old;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("bt-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        old = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(old);
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    static std::string slurp(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(PosixFilesTest, LengthOfMissingEmptyAndPresentFiles) {
    EXPECT_EQ(fileLength("binds"), -1);
    std::ofstream("binds").close();
    EXPECT_EQ(fileLength("binds"), 0);
    std::ofstream("binds") << "1\r\n";
    EXPECT_EQ(fileLength("binds"), 3);
    fs::create_directory("folder");
    EXPECT_EQ(fileLength("folder"), -1) << "a folder is not a file";
}

TEST_F(PosixFilesTest, ReplaceWritesTheExactBytesAndLeavesNoTemporaryFile) {
    const std::string bytes("2\r\n0\r\n\0\xff\r\n", 10);
    ASSERT_TRUE(replaceFile("binds", "old content").ok);
    ASSERT_TRUE(replaceFile("binds", bytes).ok);
    EXPECT_EQ(slurp("binds"), bytes);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(PosixFilesTest, ReadStopsAtTheLimit) {
    std::ofstream("data") << std::string(10000, 'x');
    EXPECT_EQ(readFile("data", 4096)->size(), 4096u);
    EXPECT_EQ(readFile("data", 1 << 20)->size(), 10000u);
    EXPECT_FALSE(readFile("missing", 10).has_value());
}

TEST_F(PosixFilesTest, AFailedReplaceSaysWhyAndKeepsTheOldFile) {
    // Root ignores permissions, so the failure is made with a folder in the file's place.
    fs::create_directories("binds/inside");
    const FileWriteResult r = replaceFile("binds", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(fs::is_directory("binds"));
}

TEST_F(PosixFilesTest, AReadOnlyFolderIsReportedAndKeepsTheOldFile) {
    std::ofstream("binds") << "old";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    // Root writes into read-only folders, so the save runs as an ordinary user in a child.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        const FileWriteResult r = replaceFile("binds", "new");
        ::_exit(!r.ok && r.error == "Permission denied" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(slurp("binds"), "old");
}

TEST_F(PosixFilesTest, AMissingFolderIsReported) {
    const FileWriteResult r = replaceFile("gone/binds", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "No such file or directory");
}

} // namespace
} // namespace bt::posix

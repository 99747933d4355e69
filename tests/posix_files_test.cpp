#include "platform/posix/posix_files.h"
#include "work_folder_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace bt::posix {
namespace {

namespace fs = std::filesystem;

struct PosixFilesTest : bt::test::WorkFolderTest {};

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
    makeReadOnly();
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

// Saves killed at random moments, a full disk and a read-only folder, through the windows' own
// Save and closing step on real files: the file is always the old or the new complete file, and
// the bindings in the window are never lost.

#include "engine/slots.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_files.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "work_folder_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bt {
namespace {

namespace fs = std::filesystem;
constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

// The fake platform with the real file code underneath.
class FilesPlatform : public FakePlatform {
  public:
    std::int64_t fileLength(std::string_view name) override { return posix::fileLength(name); }
    std::optional<std::string> readFile(std::string_view name, std::size_t max) override {
        return posix::readFile(name, max);
    }
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override {
        return posix::replaceFile(name, contents);
    }
};

struct CrashSafetyTest : bt::test::WorkFolderTest {};
using bt::test::WorkFolderTest;

// The two "binds" files the loop alternates between: slot 0 on message 1 or message 2.
std::string bindsFor(int message) {
    FakePlatform p;
    Form1 f(p, kBase);
    f.load();
    p.advance(100);
    f.userSelected(2, message - 1);
    f.controls().command(1).click();
    return p.files["binds"];
}

[[noreturn]] void saveForever() {
    FilesPlatform p;
    Form1 f(p, kBase);
    f.load();
    p.advance(100);
    for (int i = 0;; ++i) {
        f.userSelected(2, i % 2);
        f.controls().command(1).click();
    }
}

[[noreturn]] void declineForever() {
    for (int i = 0;; ++i) {
        FilesPlatform p;
        Form2 f(p);
        f.open(kBase, i % 2 ? "news-B" : "news-A");
        f.controls().check1.setValue(1);
        f.unload();
    }
}

template <typename Loop>
void killAtRandomMoments(Loop loop, const char* file, const std::set<std::string>& allowed,
                         int rounds) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delay(0, 4000);
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            loop();
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string content = WorkFolderTest::slurp(file);
        ASSERT_TRUE(allowed.count(content)) << "round " << round << ": " << content.size()
                                            << " bytes, neither the old nor the new file";
    }
}

TEST_F(CrashSafetyTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewBindsFile) {
    const std::string a = bindsFor(1), b = bindsFor(2);
    ASSERT_NE(a, b);
    std::ofstream("binds", std::ios::binary) << a;
    killAtRandomMoments(saveForever, "binds", {a, b}, 300);
}

TEST_F(CrashSafetyTest, ADeclineKilledAtAnyMomentLeavesTheOldOrTheNewDataFile) {
    std::ofstream("data", std::ios::binary) << "news-A\r\n";
    killAtRandomMoments(declineForever, "data", {"news-A\r\n", "news-B\r\n"}, 300);
}

// Runs body in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST_F(CrashSafetyTest, AFullDiskIsReportedAndTheBindingsStay) {
    const std::string a = bindsFor(1);
    std::ofstream("binds", std::ios::binary) << a;
    const int status = inChild([] {
        // No room for more than a few bytes, like a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        FilesPlatform p;
        Form1 f(p, kBase);
        f.load();
        p.advance(100);
        f.userSelected(8, 2); // Numpad 3 on Responses
        f.controls().command(1).click();
        if (p.messageBoxes.size() != 1 || p.messageBoxes[0].title != "Brontek tarnlow" ||
            p.messageBoxes[0].prompt.find("File too large") == std::string::npos)
            return 1;
        if (f.controls().combo(8).listIndex() != 2)
            return 2;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(slurp("binds"), a);
}

TEST_F(CrashSafetyTest, AReadOnlyFolderIsReportedAndTheBindingsStay) {
    const std::string a = bindsFor(1);
    std::ofstream("binds", std::ios::binary) << a;
    makeReadOnly();
    const int status = inChild([] {
        // Root writes anywhere; the player does not.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 3;
        FilesPlatform p;
        Form1 f(p, kBase);
        f.load();
        p.advance(100);
        f.userSelected(2, 4);
        f.controls().command(1).click();
        if (p.messageBoxes.size() != 1 ||
            p.messageBoxes[0].prompt.find("Permission denied") == std::string::npos)
            return 1;
        return f.controls().combo(2).listIndex() == 4 ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(slurp("binds"), a);
}

} // namespace
} // namespace bt

// The program's files on a real folder: the POSIX file code, and saves killed at random moments, a
// full disk and a read-only folder through the windows' own Save and closing step. A file is
// always the old or the new complete file, and the bindings in the window are never lost.

#include "app/main_window.h"
#include "app/news_window.h"
#include "backends/fake/fake_platform.h"
#include "backends/posix/posix_files.h"
#include "backends/posix/xdg_autostart.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <set>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bt {
namespace {

namespace fs = std::filesystem;
constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

std::string slurp(const fs::path& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A fresh working folder for each test, made the current directory, as the program runs in one;
// removed afterwards whatever permissions the test left on it.
class WorkFolderTest : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() /
                   ("bt-work-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path old = fs::current_path();
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(old);
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
};

// The fakes, with the real file code underneath.
struct FilesPlatform : FakePlatform {
    posix::PosixFiles disk;
    System system() {
        return {input, typist, clock, dialogs, tray,       desktop,
                disk,  http,   focus, notices, permission, autostart};
    }
};

// Runs body in a child process and returns its exit status; root becomes an ordinary user first
// when asked, since root writes into read-only folders and the player does not.
template <typename Body>
int inChild(bool asUser, Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (asUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST_F(WorkFolderTest, PosixLengthReadAndReplaceAndAFailureSaysWhy) {
    std::ofstream("binds").close();
    fs::create_directory("folder");
    for (const auto& [name, length] : {std::pair{"missing", -1}, {"binds", 0}, {"folder", -1}})
        EXPECT_EQ(posix::fileLength(name), length) << name;
    const std::string bytes("2\r\n0\r\n\0\xff\r\n", 10);
    ASSERT_TRUE(posix::replaceFile("binds", "old content").ok);
    ASSERT_TRUE(posix::replaceFile("binds", bytes).ok);
    EXPECT_EQ(slurp("binds"), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2) << "no temporary file left";
    std::ofstream("data") << std::string(10000, 'x');
    EXPECT_EQ(posix::readFile("data", 4096)->size(), 4096u);
    EXPECT_EQ(posix::readFile("data", 1 << 20)->size(), 10000u);
    EXPECT_FALSE(posix::readFile("missing", 10));
    EXPECT_FALSE(posix::readFile("/proc/self/mem", 10)) << "a file whose every read fails";
    fs::create_directories("over/inside"); // root writes anywhere, but not over a folder
    EXPECT_FALSE(posix::replaceFile("over", "new").error.empty());
    EXPECT_TRUE(fs::is_directory("over"));
    EXPECT_EQ(posix::replaceFile("gone/binds", "x").error, "No such file or directory");
}

// The "binds" file with every slot on menu 1 and slot 0 on the given message.
std::string bindsFor(int message) {
    std::string s = "Text3\r\n0\r\n" + std::to_string(message - 1) + "\r\n";
    for (int i = 2; i < 20; ++i)
        s += "0\r\n";
    return s + "\r\n";
}

// Runs saving in a child process killed at a random moment, 300 times: the file is always one of
// the allowed contents, and each of them is seen, so the saves did write. The moment is counted
// from the child's first save, within three times as long as that took, however busy the machine.
template <typename Save>
void killAtRandomMoments(Save save, const char* file, const std::set<std::string>& allowed) {
    std::mt19937 random(12345);
    std::set<std::string> seen;
    for (int round = 0; round < 300; ++round) {
        int saved[2];
        ASSERT_EQ(::pipe(saved), 0);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that was stopped
            for (int i = 0;; ++i, (void)!::write(saved[1], "s", 1))
                save(i);
        }
        ::close(saved[1]);
        char done;
        (void)!::read(saved[0], &done, 1); // the first save is done (or the child died)
        const auto took = std::chrono::steady_clock::now() - start;
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<long>(
            0, 3 * std::chrono::duration_cast<std::chrono::microseconds>(took).count())(random)));
        ::kill(child, SIGKILL);
        ::close(saved[0]);
        ::waitpid(child, nullptr, 0);
        const std::string content = slurp(file);
        ASSERT_TRUE(allowed.count(content)) << "round " << round << ": " << content.size()
                                            << " bytes, neither the old nor the new file";
        seen.insert(content);
    }
    EXPECT_EQ(seen, allowed) << "some content was never saved";
}

TEST_F(WorkFolderTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
    const std::string a = bindsFor(1), b = bindsFor(2);
    std::ofstream("binds", std::ios::binary) << a;
    FilesPlatform p;
    MainWindow w(p.system(), kBase);
    w.open(0);
    killAtRandomMoments(
        [&](int i) {
            w.controls().slotMessage(0).choose(i % 2);
            w.controls().saveButton.click();
        },
        "binds", {a, b});
    std::ofstream("data", std::ios::binary) << "news-A\r\n";
    killAtRandomMoments(
        [&](int i) {
            NewsWindow news(p.disk, p.dialogs, p.http, p.clock, p.desktop);
            news.open(kBase, i % 2 ? "news-B" : "news-A");
            news.controls().declineBox.toggle(true);
            news.close();
        },
        "data", {"news-A\r\n", "news-B\r\n"});
}

TEST_F(WorkFolderTest, AFullDiskOrAReadOnlyFolderIsToldAndTheBindingsAndTheOldFileStay) {
    const std::string a = bindsFor(1);
    std::ofstream("binds", std::ios::binary) << a;
    for (const bool full : {true, false}) {
        if (!full) // readable, not writable, for everyone
            fs::permissions(
                dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        const int status = inChild(!full, [full] {
            if (full) { // no room for more than a few bytes
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{8, 8};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            FilesPlatform p;
            MainWindow w(p.system(), kBase);
            w.open(0);
            w.controls().slotMenu(3).choose(2);
            w.controls().saveButton.click();
            const auto& box = p.dialogs.messageBoxes;
            const std::string told = "Your bindings could not be saved to the file \"binds\": " +
                                     std::string(full ? "File too large" : "Permission denied") +
                                     ".\r\nThey are still set in this window; try Save again.";
            if (box.size() != 1 || box[0].prompt != told)
                return 1;
            return w.controls().slotMenu(3).index() == 2 ? 0 : 2;
        });
        EXPECT_EQ(status, 0) << (full ? "full disk" : "read-only folder");
        EXPECT_EQ(slurp("binds"), a);
    }
}

// The autostart file: what its Exec says for a path of awkward characters, and which files in the
// autostart folder start this program (the box's writing and a read-only folder: e2e_lifecycle).
TEST_F(WorkFolderTest, TheAutostartFileNamesThisProgramAndAnEntryTurnedOffIsNotOurs) {
    EXPECT_EQ(
        posix::desktopExec(
            {"/opt/bt/brontek-tarnlow", "--tray", "--folder", "/home/p/50% \"off\" $x\\y"}),
        "/opt/bt/brontek-tarnlow --tray --folder \"/home/p/50%% \\\\\"off\\\\\" \\\\$x\\\\\\\\y\"");
    posix::XdgAutostart autostart((dir / "config").string(), "/opt/bt/b t", "/home/p");
    const std::string exec = "Exec=\"/opt/bt/b t\" --tray --folder /home/p\n";
    EXPECT_EQ(autostart.entry(), AutostartEntry::None);
    ASSERT_TRUE(autostart.write().ok);
    EXPECT_EQ(autostart.entry(), AutostartEntry::Ours);
    const fs::path file = dir / "config/autostart/com.brontek.tarnlow.desktop";
    for (const auto& [text, entry] : std::vector<std::pair<std::string, AutostartEntry>>{
             {"[Desktop Entry]\n" + exec, AutostartEntry::Ours},
             {"[Desktop Entry]\n" + exec + "Hidden=true\n", AutostartEntry::Another},
             {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n" + exec, AutostartEntry::Another},
             {"[Desktop Entry]\nExec=/opt/bt/b --tray\n", AutostartEntry::Another},
             {"[Other]\n" + exec, AutostartEntry::Another}}) {
        std::ofstream(file, std::ios::binary) << text;
        EXPECT_EQ(autostart.entry(), entry) << text;
    }
    ASSERT_TRUE(autostart.remove().ok);
    EXPECT_EQ(autostart.entry(), AutostartEntry::None);
    EXPECT_TRUE(autostart.remove().ok) << "none there is no failure";
}

} // namespace
} // namespace bt

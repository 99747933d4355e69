// Keeping the messages to the game: with "Only in the game" on, a press types its message only
// while a game's window has the focus, judged at the press and again at each key; "options" keeps
// the choice and the programs the player added. Scenarios on the virtual clock, in the game's
// words.

#include "behaviours/options/options_file.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

// The windows a player switches between.
FocusedWindow windowOf(std::vector<std::string> names, bool ours = false) {
    return FocusedWindow{std::move(names), ours};
}
const FocusedWindow kProton = windowOf({"codmp.exe", "steam_app_2620"});
const FocusedWindow kOldWine = windowOf({"CoD2MP_s.exe", "CoD2MP_s.exe"});
const FocusedWindow kModded = windowOf({"cod_mod.exe", "cod_mod.exe"});
const FocusedWindow kVirtualDesktop = windowOf({"explorer.exe", "explorer.exe"});
const FocusedWindow kNobody = windowOf({});
const FocusedWindow kOurWindow = windowOf({"brontek-tarnlow", "brontek-tarnlow"}, true);

class GameFocusTest : public MainWindowTest {
  protected:
    void withOptions(const std::string& text) { p.files["options"] = text; }
};

// Which windows are the game: the games' programs by name whatever their case, and not Wine's
// desktop. (The game under Wine and Proton, a terminal, a modded game, a window nobody can name
// and ours, when a press may type, and where a message stops as the focus moves, the random player
// holds.)
TEST_F(GameFocusTest, OnlyTheGamesWindowsGetMessagesAndWithTheOptionOffEveryWindow) {
    const std::pair<const FocusedWindow*, bool> windows[] = {{&kOldWine, true},
                                                             {&kVirtualDesktop, false}};
    for (const bool onlyInGame : {true, false}) {
        withOptions(onlyInGame ? "only-in-game = yes\r\n" : "");
        p.focus.asked = 0;
        start();
        for (const auto& [front, isGame] : windows) {
            p.typist.typed.clear();
            p.focus.window = *front;
            const Millis t = p.clock.now();
            p.input.tap(0);
            p.clock.advance(500);
            EXPECT_EQ(typed(), (onlyInGame && !isGame
                                    ? Typed{}
                                    : Typed{{t + 100, "v"}, {t + 200, "1"}, {t + 300, "1"}}))
                << front->programNames[0] << (onlyInGame ? " with the option on" : " with it off");
        }
        if (!onlyInGame) {
            EXPECT_EQ(p.focus.asked, 0) << "with the option off nothing is asked of the system";
        }
    }
}

// What the game button says, word for word, and what a failed write of "options" tells: once a
// run, by notification, whoever wrote it (a lesson from the game, the box in the main window, the
// tray's notice), never a box; the options hold. (What a lesson teaches, what the box and a
// lesson write, and after a restart, input_sequences_test holds.)
TEST_F(GameFocusTest, TheButtonSaysWhatEachPressTaughtAndAFailedWriteIsToldOnceANotice) {
    start();
    const auto pressIn = [&](const FocusedWindow& front) {
        p.focus.window = front;
        p.input.tap(0);
        p.clock.advance(500);
        return c().gameButton.caption();
    };
    EXPECT_EQ(c().gameButton.caption(), "Add the game's window");
    c().gameButton.click();
    EXPECT_EQ(c().gameButton.caption(), "Press a key in the game\u2026");
    EXPECT_EQ(pressIn(kOurWindow), "Press a key in the game\u2026");
    EXPECT_EQ(pressIn(kNobody), "Cannot tell that window");
    EXPECT_EQ(pressIn(kProton), "Already a game: codmp.exe");
    c().gameButton.click();
    c().gameButton.click(); // a second click cancels
    EXPECT_EQ(pressIn(kModded), "Add the game's window");
    c().gameButton.click();
    EXPECT_EQ(pressIn(kModded), "Added: cod_mod.exe");
    c().gameButton.click();
    p.files.writeError = "Read-only file system";
    EXPECT_EQ(pressIn(windowOf({"cod_patched.exe"})), "Added: cod_patched.exe");
    c().onlyInGameBox.toggle(true);
    window().shownMinimized(true); // into the tray for the first time
    EXPECT_EQ(p.notices.shown,
              (std::vector<Notice>{Notice::OptionsNotSaved, Notice::KeepsRunningInTray}));
    EXPECT_TRUE(p.dialogs.messageBoxes.empty());
    EXPECT_TRUE(c().onlyInGameBox.checked());
}

struct OptionsCase {
    const char* name;
    std::string text;
    Options read;
};
class OptionsFileTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsFileTest, ReadsLenientlyAndWritesBackWhatItKept) {
    const Options read = parseOptions(GetParam().text);
    EXPECT_EQ(read, GetParam().read);
    EXPECT_EQ(parseOptions(formatOptions(read)), read) << "written as read";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, OptionsFileTest, ::testing::Values(
    OptionsCase{"Empty", "", {}},
    OptionsCase{"Yes", "only-in-game = yes\r\n", {true, {}, {}, false}},
    OptionsCase{"SpacesCaseAndLfOnly", "  only-in-game=YES \n# a note\n\n", {true, {}, {}, false}},
    OptionsCase{"NeitherYesNorNo", "only-in-game = 1\r\n", {}},
    OptionsCase{"TheLastWordCounts", "only-in-game = yes\r\nonly-in-game = no\r\n", {}},
    OptionsCase{"Programs", "game-program = a.exe\r\ngame-program = A.EXE\r\ngame-program =\r\n"
                            "game-program = b.exe", {false, {"a.exe", "b.exe"}, {}, false}},
    OptionsCase{"UnknownKeptDamagedDropped", "later = x y\r\nno equals sign\r\n= 5\r\n"
                                             "only-in-game = yes\x01\r\n",
                {false, {}, {"later = x y"}, false}},
    OptionsCase{"TrayNoticeShown", "tray-notice-shown = yes\r\n", {false, {}, {}, true}},
    OptionsCase{"Binary", std::string("\0\xff\x10=yes\0", 7), {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace bt::test

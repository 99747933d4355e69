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
const FocusedWindow kGame = windowOf({"codmp.exe", "codmp.exe"}); // current Wine
const FocusedWindow kProton = windowOf({"codmp.exe", "steam_app_2620"});
const FocusedWindow kOldWine = windowOf({"CoD2MP_s.exe", "CoD2MP_s.exe"});
const FocusedWindow kModded = windowOf({"cod_mod.exe", "cod_mod.exe"});
const FocusedWindow kTerminal = windowOf({"xterm", "XTerm", "xterm"});
const FocusedWindow kVirtualDesktop = windowOf({"explorer.exe", "explorer.exe"});
const FocusedWindow kNobody = windowOf({});
const FocusedWindow kOurWindow = windowOf({"brontek-tarnlow", "brontek-tarnlow"}, true);

// At a virtual time: a window comes to the front, or Numpad 0 goes down or up.
struct Step {
    Millis at;
    const FocusedWindow* front = nullptr;
    int key = 0; // 1: down, -1: up
};
Step front(Millis at, const FocusedWindow& w) {
    return {at, &w};
}
Step down(Millis at) {
    return {at, nullptr, 1};
}
Step up(Millis at) {
    return {at, nullptr, -1};
}

// What arrived where: (time, key, the program in front).
using Arrived = std::vector<std::tuple<Millis, std::string, std::string>>;

struct Scenario {
    const char* name;
    bool onlyInGame;
    std::vector<Step> steps;
    Arrived arrived;
};

class GameFocusTest : public MainWindowTest {
  protected:
    Arrived arrived() const {
        Arrived out;
        for (const auto& t : p.typist.typed)
            out.emplace_back(t.at, t.key, t.window);
        return out;
    }
    void withOptions(const std::string& text) { p.files["options"] = text; }
};

class GameFocusScenarioTest : public GameFocusTest,
                              public ::testing::WithParamInterface<Scenario> {};

TEST_P(GameFocusScenarioTest, MessagesGoOnlyWhereTheOptionLetsThem) {
    withOptions(GetParam().onlyInGame ? "only-in-game = yes\r\n" : "");
    p.focus.window = kGame;
    start();
    auto step = GetParam().steps.begin();
    for (Millis t = 0; t <= 6000; ++t) {
        p.clock.advanceTo(t);
        for (; step != GetParam().steps.end() && step->at == t; ++step)
            step->front     ? void(p.focus.window = *step->front)
            : step->key > 0 ? p.keyboard.press(0)
                            : p.keyboard.release(0);
    }
    EXPECT_EQ(arrived(), GetParam().arrived);
    EXPECT_LT(p.clock.rings, 10) << "nothing runs while no key is down";
    if (!GetParam().onlyInGame) {
        EXPECT_EQ(p.focus.asked, 0) << "with the option off nothing is asked of the system";
    }
}

const std::string v = "v", one = "1";
// clang-format off
const Scenario kScenarios[] = {
    // v one key interval after the press, as always.
    {"TheGameInFrontGetsItsMessage", true, {down(150), up(155)},
     {{250, v, "codmp.exe"}, {350, one, "codmp.exe"}, {450, one, "codmp.exe"}}},
    {"UnderProtonAndAnOldWineToo", true,
     {front(0, kProton), down(150), up(155), front(1000, kOldWine), down(1150), up(1155)},
     {{250, v, "codmp.exe"}, {350, one, "codmp.exe"}, {450, one, "codmp.exe"},
      {1250, v, "CoD2MP_s.exe"}, {1350, one, "CoD2MP_s.exe"}, {1450, one, "CoD2MP_s.exe"}}},
    // Not kept for later: the game coming back brings no message.
    {"APressInATerminalIsNotKeptForTheGame", true,
     {front(0, kTerminal), down(150), up(155), front(200, kGame)}, {}},
    {"HeldFromATerminalIntoTheGameTypesNothingUntilPressedAgain", true,
     {front(0, kTerminal), down(150), front(200, kGame), up(1500), down(2000), up(2010)},
     {{2100, v, "codmp.exe"}, {2200, one, "codmp.exe"}, {2300, one, "codmp.exe"}}},
    // The focus leaves during the message: the rest does not follow it into the terminal.
    {"TheFocusLeavesAfterV", true, {down(150), up(155), front(300, kTerminal)},
     {{250, v, "codmp.exe"}}},
    // A held key stops repeating once the focus has gone, and stays silent when it returns.
    {"AHeldKeyStopsWhenTheFocusLeaves", true,
     {down(150), front(600, kTerminal), front(800, kGame), up(3000)},
     {{250, v, "codmp.exe"}, {350, one, "codmp.exe"}, {450, one, "codmp.exe"}}},
    // Where the program cannot tell, it types nothing.
    {"NothingWhereItCannotTell", true,
     {front(0, kNobody), down(150), up(155), front(500, kVirtualDesktop), down(650), up(655),
      front(1000, kOurWindow), down(1150), up(1155), front(1500, kModded), down(1650), up(1655)},
     {}},
    {"OffTypesWhereverThePlayerIs", false,
     {front(0, kTerminal), down(150), up(155), front(300, kNobody)},
     {{250, v, "xterm"}, {350, one, ""}, {450, one, ""}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scenarios, GameFocusScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFocusTest, TheBoxWritesOptionsWholeAndARestartKeepsIt) {
    withOptions("game-program = cod_mod.exe\r\nnewer-setting = 3\r\n");
    start();
    EXPECT_FALSE(c().onlyInGameBox.checked()) << "off by default";
    c().onlyInGameBox.toggle(true);
    EXPECT_EQ(p.files["options"],
              "only-in-game = yes\r\ngame-program = cod_mod.exe\r\nnewer-setting = 3\r\n");
    EXPECT_EQ(p.files.count("binds"), 0u) << "\"binds\" does not change for it";
    start(); // the next start of the program
    EXPECT_TRUE(c().onlyInGameBox.checked());
    p.focus.window = kModded;
    p.keyboard.tap(0);
    p.clock.advance(500);
    EXPECT_EQ(arrived().size(), 3u) << "the program the player added is the game";
}

TEST_F(GameFocusTest, AFileThatCannotBeWrittenIsToldAndTheOptionHoldsUntilTheEnd) {
    start();
    p.files.writeError = "Read-only file system";
    c().onlyInGameBox.toggle(true);
    ASSERT_EQ(p.dialogs.messageBoxes.size(), 1u);
    EXPECT_EQ(p.dialogs.messageBoxes[0].prompt,
              "Your options could not be saved to the file \"options\": Read-only file system."
              "\r\nThey hold until the program ends.");
    EXPECT_TRUE(c().onlyInGameBox.checked());
    p.focus.window = kTerminal;
    p.keyboard.tap(0);
    p.clock.advance(500);
    EXPECT_TRUE(arrived().empty());
}

// A press in another program's window after a click on the button makes that program the game,
// whatever the option; the main window itself, or a window nobody can name, teaches nothing.
TEST_F(GameFocusTest, TheButtonLearnsTheProgramOfTheNextPressElsewhere) {
    withOptions("only-in-game = yes\r\n");
    start();
    EXPECT_EQ(c().gameButton.caption(), "Add the game's window");
    c().gameButton.click();
    EXPECT_EQ(c().gameButton.caption(), "Press a key in the game\u2026");
    p.focus.window = kOurWindow;
    p.keyboard.tap(0);
    p.focus.window = kNobody;
    p.keyboard.tap(0);
    EXPECT_EQ(c().gameButton.caption(), "Cannot tell that window");
    EXPECT_TRUE(window().options().gamePrograms.empty());
    p.focus.window = kModded;
    p.keyboard.tap(0);
    p.clock.advance(500);
    EXPECT_EQ(c().gameButton.caption(), "Added: cod_mod.exe");
    EXPECT_EQ(p.files["options"], "only-in-game = yes\r\ngame-program = cod_mod.exe\r\n");
    EXPECT_EQ(
        arrived(),
        (Arrived{{100, v, "cod_mod.exe"}, {200, one, "cod_mod.exe"}, {300, one, "cod_mod.exe"}}))
        << "the press that taught it is the game's";
    p.keyboard.tap(0); // learning is over: the next press teaches nothing
    p.focus.window = kTerminal;
    p.clock.advance(500);
    EXPECT_EQ(window().options().gamePrograms, std::vector<std::string>{"cod_mod.exe"});
}

TEST_F(GameFocusTest, LearningAKnownGameOrFailingToSaveSaysSoOnTheButtonNeverInABox) {
    start();
    c().gameButton.click();
    p.focus.window = kProton;
    p.keyboard.tap(0);
    EXPECT_EQ(c().gameButton.caption(), "Already a game: codmp.exe");
    EXPECT_EQ(p.files.count("options"), 0u);
    p.clock.advance(500);
    c().gameButton.click();
    c().gameButton.click(); // a second click cancels
    EXPECT_EQ(c().gameButton.caption(), "Add the game's window");
    p.focus.window = kModded;
    p.keyboard.tap(0);
    EXPECT_TRUE(window().options().gamePrograms.empty());
    p.clock.advance(500);
    c().gameButton.click();
    p.files.writeError = "Disk full";
    p.keyboard.tap(0);
    EXPECT_EQ(c().gameButton.caption(), "Added until the end: cod_mod.exe");
    EXPECT_TRUE(p.dialogs.messageBoxes.empty()) << "no box over the game";
}

// A game run as administrator keeps its keys from the program, and no press tells of it: the
// player is told once, as such a game comes to the front; a game of the same rights, or another
// program with more rights, is nobody's concern.
TEST_F(GameFocusTest, AGameWithMoreRightsIsToldOnceAsItComesToTheFront) {
    start();
    FocusedWindow elevatedGame = kGame, elevatedTool = windowOf({"taskmgr.exe"});
    elevatedGame.aboveUs = elevatedTool.aboveUs = true;
    p.focus.moveTo(kGame);
    p.focus.moveTo(elevatedTool);
    EXPECT_TRUE(p.notices.shown.empty());
    p.focus.moveTo(elevatedGame);
    EXPECT_EQ(p.notices.shown, std::vector<Notice>{Notice::GameRunsElevated});
    p.focus.moveTo(kTerminal);
    p.focus.moveTo(elevatedGame);
    EXPECT_EQ(p.notices.shown.size(), 1u) << "once";
    window().close();
    start();
    p.focus.moveTo(elevatedGame);
    EXPECT_EQ(p.notices.shown.size(), 2u) << "once a run";
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

#pragma once

// A player at the program, on the fakes with virtual time, for the fuzz target of the player's
// actions and the unit test that replays random ones: keys going down and up (keypad keys, chosen
// keys, keys that must not fire, held and overlapping), key choices, the lists and the game, the
// Interval box, Save, the tray, closing, the status and the news window.
// The player keeps its own account of the world it plays in (the Player's structs at the end say
// what it holds): the key it gave each slot, the menu and message it picked in each slot's lists,
// the game it clicked, the windows, the desktop and the files, with the voice menu's size (how
// many menus, how many messages in each, per game) from a small table of its own. From that
// account alone it works out when each message must start and what each key typed must be, what
// the lists, the key labels, "keys" and "options" must say, and whether a key choice is pending.
// It works the program as a player does (a list entry clicked by its place, a key of the fake
// keyboard pressed) and never asks the program, its lists, its key tables or its file readers
// what to expect. After every action the program must keep its rules:
// - nothing is typed without a press of its slot's key since the last message began, or the key
//   held (a press during a key choice, or a key down while its slot changed, counts for nothing);
// - a press starts its message the moment it comes, unless a message is being typed; otherwise
//   the keys are taken 100 ms after a message, and a key held starts one then; of the slots taken
//   at one start, the highest wins;
// - every message is v and its slot's two digits as the player bound them, one key interval
//   apart, typed in full while the main window is open and never after;
// - what a slot's closed lists show is what its key types: the number and name of the menu and
//   the number (and words) of the message the player picked, in the game it picked; a menu picked
//   starts its slot at the menu's first message, another game every slot at the first of both;
// - "keys" changes only when a choice gives a key in the main window, and then names the key of
//   each slot as the player's account has it ("keypad" for a slot's own);
// - a key label clicked asks for a key; anything else the player does in the main window, or a
//   click into another window, ends the choice, as Escape does;
// - the system reports every key only while a choice is pending, and otherwise the trigger keys;
//   it listens to the mouse only while a choice is pending or a button fires a slot;
// - a choice that ends leaves its slot on the key it was given (its keypad key for Delete or that
//   key, as it was for Escape), and its label names that key; a key given to one slot leaves the
//   slot that had it, which gets its keypad key back and takes it from any slot that borrowed it;
//   a keypad key its own slot keeps, a key the program types, a modifier are refused; the left
//   button and the wheel never fire a slot;
// - no choice is pending, and no box opens during one, while the main window cannot take keys;
// - a failed write is told, naming the file (of "options", as below; but of "grant", which only
//   means the desktop asks again at the next start);
// - the tray icon is there exactly while the window is put away, never behind an open box, and
//   Show (or a second start) brings the window forward; a window minimized with no box open goes
//   into the tray when there is one, and keeps the state it was shown in;
// - a press fires the slot the player's account gives its key to, and no other;
// - with "Only in the game" on, nothing is typed into a window that is not a game, and nothing
//   typed lacks a press (or a hold) made while a game was in front: a press elsewhere, or one
//   made before the option came on, fires nothing until its key is pressed again, and a message
//   whose window loses the focus stops at that key;
// - the game button teaches the program of the next trigger press in another window, which is
//   then a game; "options" changes only when the box or a lesson changes it, to what they said;
//   a failed write of it is told once a run by a notice, never a box, whoever wrote it;
// - the first time the window goes into the tray the player is told so, once, unless "options"
//   says it was told before, and "options" then remembers it;
// - where the desktop asks for leave to type, nothing is typed before it gives it, nor for a press
//   made (or a key held) before; once it refuses or takes it back, nothing more is typed, a message
//   under way stops at its next key, and the player is told once; its grant is kept in "grant";
// - a key the system would not type stops its message there, and is told once a run;
// - the keys the program types, which a desktop may hand back as a keyboard's, never go to a key
//   choice (its label speaks only of keys the player pressed), and Exit withdraws an open question.
// - the box "Start at login" is ticked exactly while the login entry starts this program:
//   ticking writes the entry (over another build's), clearing removes it, and a refusal is told
//   in a box and changes neither;
// - started into the tray (as the login entry starts it), the window is put away at once, or
//   minimized where there is no tray, and nothing is brought forward.

#include "app/application.h"
#include "backends/fake/fake_platform.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace bt::player {

inline constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

inline HttpResult ok(std::string body) {
    return HttpResult::answer(200, body);
}

// The game's voice menu as the player knows it: how many messages each menu has, in each game,
// and what the menus are called.
inline constexpr int kKeypadKeys = 10; // Numpad 0 to 9, one slot each
inline const std::array<std::vector<int>, 2> kMessagesInMenu = {{{8, 8, 7}, {9, 9, 8, 5, 8}}};
inline const std::vector<std::string> kMenuNames = {"Commands", "Statements", "Responses",
                                                    "Requests", "Vehicles"};
inline int menusIn(bool unitedOffensive) {
    return static_cast<int>(kMessagesInMenu[unitedOffensive].size());
}
inline int messagesIn(bool unitedOffensive, int menu) {
    return kMessagesInMenu[unitedOffensive][static_cast<std::size_t>(menu - 1)];
}
// The program's timing as the player was told it: keys 100 ms apart until the Interval box says
// otherwise, and a pause of 100 ms after a message before a key starts the next.
inline constexpr int kFirstIntervalMs = 100;
inline constexpr Millis kPauseAfterMessage = 100;

inline std::string keypad(int digit) {
    return "Numpad " + std::to_string(digit);
}

// A key of the player's keyboard or mouse: the keypad's (there on the fake keyboard from the
// start, pressed by digit), or one the player adds with a code of its own; a button by the
// platform's own way of naming one. The name is what a label shows for it.
struct KeyInfo {
    std::string name;
    KeyKind kind;
    int digit = -1; // a keypad key's digit
    KeyCode code{};
    bool isButton() const { return digit < 0 && code.isButton; }
};

// The keypad, keys a player may choose, and keys a choice must refuse or act on. The keypad key of
// slot d is key d.
inline const std::vector<KeyInfo> kKeys = [] {
    std::vector<KeyInfo> k;
    for (int d = 0; d < kKeypadKeys; ++d)
        k.push_back({keypad(d), KeyKind::Ordinary, d});
    return k;
}();
// The mouse's buttons are keys like any other to the player, pressed wherever the pointer is.
inline const std::vector<KeyInfo> kOtherKeys = {
    {"F5", KeyKind::Ordinary, -1, KeyCode{71}},
    {"F6", KeyKind::Ordinary, -1, KeyCode{72}},
    {"Q", KeyKind::Ordinary, -1, KeyCode{24}},
    {"V", KeyKind::TypedByProgram, -1, KeyCode{55}},
    {"1", KeyKind::TypedByProgram, -1, KeyCode{10}},
    {"Ctrl", KeyKind::Modifier, -1, KeyCode{37}},
    {"Escape", KeyKind::Cancel, -1, KeyCode{9}},
    {"Delete", KeyKind::Erase, -1, KeyCode{119}},
    {"Middle button", KeyKind::Ordinary, -1, KeyCode::of(MouseButton::Middle)},
    {"Mouse 4", KeyKind::Ordinary, -1, KeyCode::of(sideButton(0))},
    {"Mouse 5", KeyKind::Ordinary, -1, KeyCode::of(sideButton(1))},
    {"the left button", KeyKind::Pointer, -1, KeyCode::of(MouseButton::Left)},
    {"the wheel", KeyKind::Pointer, -1, KeyCode::of(MouseButton::Wheel)}};
inline const KeyInfo& key(int n) {
    const auto k = static_cast<std::size_t>(n);
    return k < kKeys.size() ? kKeys[k] : kOtherKeys[k - kKeys.size()];
}
inline const int kKeyCount = static_cast<int>(kKeys.size() + kOtherKeys.size());
// An answer to the Interval box, and the interval it leaves (0: the one in force stays).
struct AnswerInfo {
    std::string text;
    int intervalMs;
};
inline const std::vector<AnswerInfo> kAnswers = {
    {"", 0}, {"250.5", 250}, {"99", 100}, {"1000", 1000}, {"abc", 100}, {"300", 300}, {"100", 100}};
inline const std::vector<Millis> kWaits = {1, 40, 99, 100, 101, 250, 1000, 3500};
inline const std::vector<std::string> kMenuChoices = {"closed", "&Show", "&Exit"};

// The windows the player moves the focus to. The three first are the game (under Wine, under
// Proton, and run as administrator, which keeps its keys from the program); the modded game is one
// only where "options" or a lesson says so, and so is any other the player teaches.
struct WindowInfo {
    std::string words;
    FocusedWindow focus;
};
inline const std::vector<WindowInfo> kWindows = {
    {"the game", {{"codmp.exe", "codmp.exe"}, false}},
    {"the game under Proton", {{"codmp.exe", "steam_app_2620"}, false}},
    {"the game run as administrator", {{"codmp.exe", "codmp.exe"}, false, true}},
    {"a terminal", {{"xterm", "XTerm"}, false}},
    {"the modded game", {{"cod_mod.exe", "cod_mod.exe"}, false}},
    {"a window nobody can name", {{}, false}},
    {"Task Manager, run as administrator", {{"taskmgr.exe"}, false, true}}};
inline const FocusedWindow kMainWindowFocus{{"brontek-tarnlow", "brontek-tarnlow"}, true};

// "options" as the player left it before the start: what it says.
struct OptionsInfo {
    std::string words;
    std::string text;
    bool onlyInGame;
    bool moddedIsGame;
    bool trayNoticeShown = false;
};
inline const std::vector<OptionsInfo> kOptionsFiles = {
    {"is missing", "", false, false},
    {"says only in the game", "only-in-game = yes\r\n", true, false},
    {"says only in the game, and the modded game",
     "only-in-game = YES\ngame-program = Cod_Mod.exe\n", true, true},
    {"is damaged", "only-in-game = maybe\r\n\x01\xffgame-program\r\n", false, false},
    {"names the modded game", "only-in-game = no\r\ngame-program = cod_mod.exe\r\n", false, true},
    {"is binary", std::string("\0\x93only-in-game = yes\0", 21), false, false},
    {"says the tray's notice was shown", "tray-notice-shown = yes\r\n", false, false, true}};

// What the player does: the kind (an index into kActions below) and its argument.
struct Action {
    int kind = 0;
    int arg = 0;
};

class Player;
struct ActionKind {
    const char* words; // "#" stands for the argument
    int weight;
    int args; // how many arguments there are to pick from; 0 for none
    std::string (*argument)(int);
    void (Player::*run)(int);
};
extern const std::vector<ActionKind> kActions;

inline void showValue(const Action& a, std::ostream& os) {
    const ActionKind& k = kActions[static_cast<std::size_t>(a.kind)];
    std::string words = k.words;
    if (const auto hash = words.find('#'); hash != std::string::npos)
        words.replace(hash, 1, k.argument(a.arg));
    os << words;
}

// What the player's keys did, as the program's rules let them fire a slot: a press counts once,
// for the start after it; a held key counts while it is down. Neither counts when it was pressed
// during a key choice, or once its slot changed while it was down.
struct KeyHistory {
    bool down = false;
    bool pressCounts = false;
    bool holdCounts = false;
};

class Player {
  public:
    Player() {
        for (const KeyInfo& k : kOtherKeys)
            if (!k.isButton())
                p.input.addKey(k.code.value, k.name, k.kind);
        p.focus.window = kMainWindowFocus;
    }

    // The program starts with the first action that is not about the files it finds.
    void startProgram() {
        launch.started = true;
        app = std::make_unique<Application>(
            p.system(), launch.noServer ? std::nullopt : std::optional<std::string>(kBase));
        app->start(p.clock.now(), launch.intoTray);
        if (launch.intoTray &&
            (!p.desktop.broughtToFront.empty() ||
             c().window.appearance() !=
                 (p.tray.host ? Window::Appearance::Hidden : Window::Appearance::Minimized)))
            fail("started into the tray, the window came out, or forward");
        launch.startedInTray = launch.intoTray && p.tray.host;
        // Each slot a binding of its own, so the digits typed tell the slot.
        for (int slot = 0; slot < kKeypadKeys; ++slot) {
            c().slotMenu(slot).choose(slot % 3);
            c().slotMessage(slot).choose(slot / 3);
            lists.picked[static_cast<std::size_t>(slot)] = {slot % 3 + 1, slot / 3 + 1};
        }
        p.dialogs.whileOpen = [this] {
            if (main().choosingKey())
                fail("a box opened while a key choice was pending: its keys go to the chooser");
            if (screen.minimizeInBox)
                main().shownMinimized(true); // the window manager lets the player do it
            if (p.tray.iconPresent)
                fail("the main window was put away behind an open box");
        };
    }

    void act(const Action& a) {
        step = a;
        const ActionKind& kind = kActions[static_cast<std::size_t>(a.kind)];
        // (A start into the tray may write "options", for the notice.)
        const std::string optionsBefore = p.files["options"];
        const bool inTrayBefore = p.tray.iconPresent;
        if (!launch.started && kind.run != &Player::optionsBeforeStart &&
            kind.run != &Player::noTrayBeforeStart && kind.run != &Player::desktopAsksBeforeStart &&
            kind.run != &Player::noServerBeforeStart && kind.run != &Player::entryBeforeStart &&
            kind.run != &Player::intoTrayBeforeStart)
            startProgram();
        if (!launch.started) {
            (this->*kind.run)(a.arg);
            return;
        }
        options.lessonWrote = false;
        triggers.choiceCompleted = triggers.keysGiven = false;
        const auto keysInForce = triggers.keyFor;
        const std::string keysBefore = p.files["keys"];
        const bool choosingBefore = triggers.choosing.has_value();
        if (!p.desktop.ended || kind.run == &Player::wait)
            (this->*kind.run)(a.arg);
        if (!running())
            triggers.choosing.reset();
        if (!main().isOpen() && !typing.closedAt)
            typing.closedAt = p.clock.now();
        for (int k = 0; k < kKeyCount; ++k)
            if (slotOf(keysInForce, k) != slotOf(triggers.keyFor, k))
                hands.keys[static_cast<std::size_t>(k)].pressCounts =
                    hands.keys[static_cast<std::size_t>(k)].holdCounts = false;
        if (!choosingBefore && triggers.choosing)
            for (KeyHistory& h : hands.keys)
                h.holdCounts = false; // held into a choice: the window takes the keyboard
        choices += triggers.keysGiven && triggers.keyFor != keysInForce ? 1 : 0;
        const bool wentIntoTray =
            std::exchange(launch.startedInTray, false) || (!inTrayBefore && p.tray.iconPresent);
        options.firstTimeInTray = wentIntoTray && !options.trayNoticeShown;
        options.trayNoticeShown = options.trayNoticeShown || options.firstTimeInTray;
        check(keysBefore);
        checkOptions(optionsBefore);
        checkLoginStart();
    }

    // The end of every run: the player lets go of every key and waits long enough for whatever
    // is under way to finish (the longest message, at the longest interval, and the pause after
    // it), so that what the program still had to type is typed, and nothing more.
    void letEverythingFinish() {
        for (int k = 0; k < kKeyCount; ++k)
            release(k);
        const auto wait = std::find_if(kActions.begin(), kActions.end(),
                                       [](const ActionKind& a) { return a.run == &Player::wait; });
        const int longest = static_cast<int>(kWaits.size()) - 1;
        for (int n = 0; n < 4; ++n)
            act(Action{static_cast<int>(wait - kActions.begin()), longest});
    }

    std::string failure;
    // What the run got to, for the counts the test prints.
    int messages = 0;
    int choices = 0;
    bool newsOpened() const { return app->newsWindow() != nullptr; }

    // The actions, as kActions names them.
    void press(int k) { pressKey(k, false); }
    // Alt and a key work the window: a choice takes no such key, a trigger fires as ever.
    void pressWithAlt(int k) { pressKey(k, true); }
    // A quick player, or a busy program: the system reports the key before the program has taken
    // the click on the label; the press was made before the choice began, and is no key of it.
    void pressAsTheLabelIsClicked(int arg) {
        const int k = arg / kKeypadKeys;
        if (hands.keys[static_cast<std::size_t>(k)].down || !shown() || triggers.choosing)
            return;
        // The event loop hands on what the system still holds before the click. (Read only once
        // the click has moved the focus, a press made in another window would be judged as made
        // in this one.)
        p.input.holding = screen.front < 0;
        pressKey(k, false);
        p.input.deliverQueued();
        clickKeyLabel(arg % kKeypadKeys);
        p.input.holding = false;
        triggers.refusedInChoice.reset();
        triggers.labelUnsure = false;
        for (KeyHistory& h : hands.keys)
            h.holdCounts = false; // held into the choice
    }
    // The system's auto-repeat: another key-down while the key is held (Windows' raw input sends
    // them, and the keyboard drops them; the windows' own key events mark them as repeats).
    void repeat(int k) {
        if (!hands.keys[static_cast<std::size_t>(k)].down)
            return;
        // A desktop that typed the same key meanwhile let it go: the repeat is a press again.
        triggers.labelUnsure =
            triggers.labelUnsure || (key(k).kind == KeyKind::TypedByProgram && desktop.echoesSeen);
        keyDown(key(k));
    }
    void release(int k) {
        if (KeyHistory& h = hands.keys[static_cast<std::size_t>(k)]; h.down) {
            h.down = h.holdCounts = false;
            if (key(k).digit >= 0)
                p.input.release(key(k).digit);
            else
                p.input.releaseKey(key(k).code);
        }
    }
    void clickKeyLabel(int slot) {
        click(c().keyLabel(slot));
        if (shown()) {
            triggers.choosing = slot;
            triggers.refusedInChoice.reset();
            triggers.labelUnsure = false;
        }
    }
    void interval(int answer) {
        const AnswerInfo& a = kAnswers[static_cast<std::size_t>(answer)];
        if (shown() && a.intervalMs > 0)
            typing.intervalMs = a.intervalMs;
        p.dialogs.inputAnswers = {a.text};
        click(c().intervalButton);
    }
    // Entry arg / 20 of slot arg % 10's menu (arg / 10 even) or message list, where it has one.
    // A menu of its own starts the slot at its first message.
    void pick(int arg) {
        const bool messageList = arg / 10 % 2;
        Pick& b = lists.picked[static_cast<std::size_t>(arg % 10)];
        const int number = arg / 20 + 1;
        if (!shown() || number > (messageList ? messagesIn(lists.unitedOffensive, b.menu)
                                              : menusIn(lists.unitedOffensive)))
            return;
        focusMainWindow();
        (messageList ? c().slotMessage(arg % 10) : c().slotMenu(arg % 10)).choose(number - 1);
        if (messageList)
            b.message = number;
        else if (b.menu != number)
            b = {number, 1};
    }
    // Another game sets every slot to its first menu and message.
    void game(int picked) {
        if (!shown())
            return;
        click(picked ? c().unitedOffensiveOption : c().callOfDutyOption);
        if ((picked != 0) != lists.unitedOffensive)
            lists.picked.fill(Pick{});
        lists.unitedOffensive = picked != 0;
    }
    void intervalMinimized(int answer) {
        screen.minimizeInBox = true;
        interval(answer);
        screen.minimizeInBox = false;
    }
    void save(int) { click(c().saveButton); }
    // Start puts the window into the tray, or where the desktop has none minimizes it.
    void start(int) {
        if (!shown())
            return;
        click(c().startButton);
        if (running() &&
            (p.tray.host ? c().window.visible()
                         : !c().window.visible() || c().window.state() != WindowState::Minimized))
            fail(p.tray.host ? "Start left the window out of the tray"
                             : "Start without a tray did not leave the window minimized");
    }
    // Exit with the server's answer in opens the news it offers; before one there is nothing to
    // decide the news on, and the program ends.
    void exit(int) {
        if (!shown())
            return;
        click(c().exitButton);
        if (newsOpened() != server.statusKnown || (!server.statusKnown && !p.desktop.ended))
            fail(server.statusKnown ? "Exit did not open the news the server offered"
                                    : "Exit before the server answered did not end the program");
    }
    void diskFills(int) {
        p.files.writeError = p.files.writeError ? std::nullopt : std::optional("Disk full");
    }
    void minimize(bool on) {
        if (!running() || !c().window.visible() ||
            on == (c().window.state() == WindowState::Minimized))
            return;
        if (!screen.minimizeInBox)
            triggers.choosing.reset();
        main().shownMinimized(on);
        // The window keeps the state the window manager gave it, so its view never undoes it,
        // and a minimized window goes into the tray when there is one.
        if ((c().window.state() == WindowState::Minimized) != on ||
            (on && p.tray.host && c().window.visible()))
            fail("the window did not take the state it was shown in, or stayed out of the tray");
    }
    void minimizeIt(int) { minimize(true); }
    void restore(int) { minimize(false); }
    void trayDoubleClick(int) { trayEvent(TrayEvent::ShowAsked, PopupChoice::None); }
    void trayMenu(int choice) { trayEvent(TrayEvent::MenuAsked, static_cast<PopupChoice>(choice)); }
    void close(int) {
        if (running() && c().window.visible()) {
            triggers.choosing.reset();
            main().close();
        }
    }
    void statusAnswers(int) {
        const bool asked = p.http.respondTo(kBase + std::string("form1.html"), ok("on|news-7"));
        if (p.http.respondTo(std::string(kBase) + "br.html", ok("|")) && asked)
            server.statusKnown = true;
    }
    void feedArrives(int) { serverAnswers("data.html", "Brontek news|x|y"); }
    void declineNews(int) {
        if (NewsWindow* news = app->newsWindow(); news && news->isOpen()) {
            news->controls().declineBox.toggle(true);
            server.newsDeclined = true;
        }
    }
    // Closing the news window with its box ticked keeps the news' name in "data", so the same
    // news is not offered again; without it, or on a full disk, "data" stays as it was.
    void closeNews(int) {
        NewsWindow* news = app->newsWindow();
        if (!news || !news->isOpen())
            return;
        const auto data = [this] { return p.files.count("data") ? p.files["data"] : ""; };
        const std::string kept = server.newsDeclined && !p.files.writeError ? "news-7\r\n" : data();
        news->close();
        if (data() != kept)
            fail("\"data\" says \"" + data() + "\" after the news window closed");
    }
    // A second start: the copy running shows its window out and forward, or its news window.
    void startAgain(int) {
        const auto forward = [this](WindowId w) {
            return std::count(p.desktop.broughtToFront.begin(), p.desktop.broughtToFront.end(), w);
        };
        const WindowId shownWindow = running() ? WindowId::Main : WindowId::News;
        const auto before = forward(shownWindow);
        app->anotherCopyStarted();
        const bool shows = running() ? shown() : newsOpened() && app->newsWindow()->isOpen();
        if (forward(shownWindow) != before + 1 || !shows)
            fail("a second start did not bring the running window out and forward");
    }
    // The player clicks into another window: the main window loses the keyboard.
    void focusWindow(int w) {
        triggers.choosing.reset(); // the window lost the keyboard
        if (running() && screen.focused)
            main().focusLost();
        screen.focused = false;
        screen.front = w;
        const FocusedWindow& window = kWindows[static_cast<std::size_t>(w)].focus;
        p.focus.moveTo(window);
        if (running() && window.aboveUs && screen.games[static_cast<std::size_t>(w)])
            screen.elevatedGameSeen = true;
    }
    void onlyInGame(int) {
        if (!shown())
            return;
        focusMainWindow();
        options.onlyInGame = !options.onlyInGame;
        if (options.onlyInGame)
            dropEveryPress(); // what was pressed before the option counts for nothing
        c().onlyInGameBox.toggle(options.onlyInGame);
        options.boxWritten = true;
    }
    void gameButton(int) {
        if (shown()) {
            options.learning = !options.learning;
            click(c().gameButton);
        }
    }
    void optionsBeforeStart(int file) {
        if (launch.started)
            return; // the program read it at its start; it writes its own from now on
        const OptionsInfo& o = kOptionsFiles[static_cast<std::size_t>(file)];
        p.files["options"] = o.text; // empty reads as no file
        options.onlyInGame = o.onlyInGame;
        screen.games[kModded] = o.moddedIsGame;
        options.trayNoticeShown = options.startedTold = o.trayNoticeShown;
    }
    // A Wayland desktop that asks the player for the program's leave to type, at its start.
    void desktopAsksBeforeStart(int) {
        if (launch.started)
            return;
        p.permission.atStart = Permission::Asking;
        desktop.leave = Permission::Asking;
    }
    void desktopAnswers(int answer) {
        if (!running() || !p.permission.listening())
            return;
        const Permission now = answer == 0   ? Permission::Granted
                               : answer == 1 ? Permission::Refused
                               : answer == 2 ? Permission::Failed
                                             : Permission::TakenBack;
        // The desktop grants or refuses while it asks, and takes back only what it gave.
        if (desktop.leave !=
            (now == Permission::TakenBack ? Permission::Granted : Permission::Asking))
            return;
        desktop.leave = now;
        const std::string grant =
            now == Permission::Granted ? "t-" + std::to_string(++desktop.grants) : "";
        p.permission.answer(now, grant);
        if (!grant.empty() && !p.files.writeError && p.files["grant"] != grant + "\n")
            fail("\"grant\" does not keep what the desktop gave");
        desktop.told[now] += now == Permission::Granted ? 0 : 1;
    }
    void desktopTypesBack(int) {
        desktop.echoesSeen = true;
        p.typist.echoAfter = p.typist.echoAfter ? std::nullopt : std::optional<Millis>(3);
    }
    void systemRefusesKeys(int) {
        desktop.keysRefused = !desktop.keysRefused;
        p.typist.result = desktop.keysRefused ? TypeResult::Refused : TypeResult::Typed;
    }
    // The login entry as the system has it before the start: none, this program's, or an older
    // build's.
    void entryBeforeStart(int e) {
        if (!launch.started)
            p.autostart.present = launch.entry = static_cast<AutostartEntry>(e);
    }
    void intoTrayBeforeStart(int) { launch.intoTray = !launch.started; }
    // Ticking the box writes the entry, clearing it removes it; a refusal changes nothing, and
    // the player is told.
    void loginStart(int) {
        if (!shown())
            return;
        focusMainWindow();
        const bool tick = launch.entry != AutostartEntry::Ours;
        if (p.autostart.writeError)
            ++launch.loginStartRefusals;
        else
            launch.entry = tick ? AutostartEntry::Ours : AutostartEntry::None;
        c().loginStartBox.toggle(tick);
    }
    void entryLocked(int) {
        p.autostart.writeError =
            p.autostart.writeError ? std::nullopt : std::optional("Access is denied");
    }
    void noTrayBeforeStart(int) {
        if (!launch.started)
            p.tray.host = false; // a desktop without a tray, as GNOME is
    }
    void noServerBeforeStart(int) {
        if (!launch.started)
            launch.noServer = true; // a build that names no server, started without --server
    }
    void wait(int n) {
        if (p.desktop.ended) // the process is gone: nothing of it runs any more
            return;
        const Millis until = p.clock.now() + kWaits[static_cast<std::size_t>(n)];
        const bool gameInFront = !options.onlyInGame || frontIsGame();
        const std::size_t typedBefore = p.typist.typed.size();
        foreseeMessagesUntil(until, keysGo());
        p.clock.advanceTo(until);
        if (!gameInFront && p.typist.typed.size() > typedBefore)
            fail("typed \"" + p.typist.typed[typedBefore].key + "\" into " +
                 (screen.front < 0 ? "the main window"
                                   : kWindows[static_cast<std::size_t>(screen.front)].words) +
                 ", which is not the game");
    }

  private:
    void checkLoginStart() {
        if (p.autostart.present != launch.entry ||
            (running() && c().loginStartBox.checked() != (launch.entry == AutostartEntry::Ours)))
            fail("the login entry, or the box showing it, is not what the player made it");
        const auto boxes = std::count_if(
            p.dialogs.messageBoxes.begin(), p.dialogs.messageBoxes.end(), [](const auto& box) {
                return box.prompt.starts_with("\"Start at login\" could not be turned");
            });
        if (boxes != launch.loginStartRefusals)
            fail("a refused login entry was told " + std::to_string(boxes) + " times, not " +
                 std::to_string(launch.loginStartRefusals));
    }

    MainWindow& main() { return app->mainWindow(); }
    MainWindowControls& c() { return main().controls(); }
    bool running() { return !p.desktop.ended && main().isOpen(); }
    // Whether the program's keys go anywhere now, as far as the player knows: the game (or any
    // window) in front, the desktop's leave given, the system taking triggers.
    bool keysGo() const {
        return (!options.onlyInGame || frontIsGame()) && desktop.leave == Permission::Granted &&
               !desktop.keysRefused;
    }
    // The window is on screen, where the player can click it.
    bool shown() {
        return running() && c().window.visible() && c().window.state() == WindowState::Normal;
    }
    // The tray's icon, while it is there; Show brings the window out and forward, once.
    void trayEvent(TrayEvent event, PopupChoice choice) {
        if (!running() || !p.tray.iconPresent)
            return;
        triggers.choosing.reset();
        p.tray.popupChoices = {choice};
        const auto forward = [this] {
            return std::count(p.desktop.broughtToFront.begin(), p.desktop.broughtToFront.end(),
                              WindowId::Main);
        };
        const auto before = forward();
        main().trayEvent(event);
        const bool show = event == TrayEvent::ShowAsked || choice == PopupChoice::Show;
        if (forward() != before + (show ? 1 : 0) || (show && !c().window.visible()))
            fail("Show did not bring the window out and forward once");
        if (choice != PopupChoice::Exit && !running())
            fail("the program ended though the player chose no Exit in the tray");
    }
    void serverAnswers(const std::string& page, const std::string& body) {
        p.http.respondTo(kBase + page, ok(body));
        p.http.respondTo(std::string(kBase) + "br.html", ok("|"));
    }
    template <typename Clickable>
    void click(Clickable& control) {
        if (shown()) {
            focusMainWindow();
            control.click();
        }
    }
    // The player does something in the main window, so the choice pending there ends, as Escape
    // ends it.
    void focusMainWindow() {
        triggers.choosing.reset();
        screen.focused = true;
        screen.front = -1;
        p.focus.window = kMainWindowFocus;
    }
    // Whether the player counts the window in front as a game: the two that are, the modded one
    // where "options" named it, any that a lesson taught; never the main window.
    bool frontIsGame() const {
        return screen.front >= 0 && screen.games[static_cast<std::size_t>(screen.front)];
    }
    // A trigger press with the game button pressed: the window in front is a game from now on,
    // unless it is the main window or nobody can name it.
    void learnFromFront() {
        if (screen.front < 0 ||
            kWindows[static_cast<std::size_t>(screen.front)].focus.programNames.empty())
            return;
        options.learning = false;
        options.lessonWrote = !frontIsGame();
        screen.games[static_cast<std::size_t>(screen.front)] = true;
    }
    bool typedRecently() const {
        return !p.typist.typed.empty() && p.typist.typed.back().at + 1000 >= p.clock.now();
    }
    // Neither a press so far nor a key held fires anything until pressed again.
    void dropEveryPress() {
        for (KeyHistory& h : hands.keys)
            h.pressCounts = h.holdCounts = false;
    }

    // The player's own account of the program's messages, from the presses, the holds and the
    // rules alone: a press starts its message the moment it comes unless one is under way; 100 ms
    // after a message, a key held or pressed during it starts the next; a message's keys come one
    // interval apart from its start; with no game in front, a message stops at its next key and
    // nothing pressed or held fires any more. Runs the account on to the given time.
    void foreseeMessagesUntil(Millis t, bool keysGo) {
        if (!running()) {
            typing.startDue.reset();
            return;
        }
        for (;;) {
            if (!keysGo && stopMessageBy(t)) {
                // Tried and refused by the system, where the game and the desktop let it type.
                desktop.failedKey = desktop.failedKey ||
                                    (desktop.keysRefused && desktop.leave == Permission::Granted &&
                                     (!options.onlyInGame || frontIsGame()));
                continue;
            }
            if (!typing.pauseDecided && typing.messageEnd <= t) {
                typing.pauseDecided = true;
                if (highestSlotCounting() >= 0)
                    typing.startDue = typing.messageEnd + kPauseAfterMessage;
                continue;
            }
            if (!typing.startDue || *typing.startDue > t)
                return;
            startMessage(*typing.startDue);
            typing.startDue.reset();
        }
    }
    bool messageUnderWay() const { return p.clock.now() < typing.messageEnd; }
    // The slot the keys down or pressed would start: the highest, or -1.
    int highestSlotCounting() {
        for (int slot = kKeypadKeys - 1; slot >= 0; --slot)
            if (const KeyHistory& h = hands.keys[static_cast<std::size_t>(
                    triggers.keyFor[static_cast<std::size_t>(slot)])];
                h.pressCounts || (h.down && h.holdCounts))
                return slot;
        return -1;
    }
    void startMessage(Millis at) {
        const int slot = highestSlotCounting();
        if (slot < 0)
            return; // the presses it was due for count for nothing any more
        ++messages;
        for (KeyHistory& h : hands.keys)
            h.pressCounts = false; // the start spends every press
        for (const int step : {1, 2, 3})
            typing.expected.push_back({at + step * typing.intervalMs, slot, step, at});
        typing.messageEnd = typing.expected.back().at;
        typing.pauseDecided = false;
    }
    // The first key of the last message due by t, and the rest of it, are not typed.
    bool stopMessageBy(Millis t) {
        const auto first =
            std::find_if(typing.expected.begin(), typing.expected.end(),
                         [&](const Expected& e) { return e.at > p.clock.now() && e.at <= t; });
        if (first == typing.expected.end())
            return false;
        typing.messageEnd = first->at;
        typing.pauseDecided = true; // nothing counts any more
        typing.expected.erase(first, typing.expected.end());
        dropEveryPress();
        return true;
    }

    // A key went to the pending choice in the window: what it does there, as the player knows the
    // chooser's rules. Escape ends it, as do Delete, the slot's own keypad key, and any key it
    // takes; a key the program types, a modifier or the keypad key of a slot that keeps its own
    // is refused, and the choice goes on.
    void chooseWith(int k) {
        const int slot = *triggers.choosing;
        const KeyInfo& info = key(k);
        const bool refused =
            info.kind == KeyKind::TypedByProgram || info.kind == KeyKind::Modifier ||
            info.kind == KeyKind::Pointer ||
            (k < kKeypadKeys && k != slot && triggers.keyFor[static_cast<std::size_t>(k)] == k);
        if (refused) {
            // A key like one the program typed within the last second, which a desktop may
            // still be handing back, cannot be told from it.
            if (info.kind == KeyKind::TypedByProgram && desktop.echoesSeen && typedRecently())
                triggers.labelUnsure = true;
            else if (info.kind != KeyKind::Pointer) // passed over without a word
                triggers.refusedInChoice = info.name;
            return;
        }
        triggers.choosing.reset();
        triggers.choiceCompleted = true;
        if (info.kind == KeyKind::Cancel)
            return;
        give(slot, info.kind == KeyKind::Erase ? slot : k);
        triggers.keysGiven = true;
    }
    // The key moves to the slot from any other that had it, which gets its own keypad key back; a
    // slot that gets its keypad key back takes it from a slot that had borrowed it, which gets
    // its own back in turn.
    void give(int slot, int k) {
        triggers.keyFor[static_cast<std::size_t>(slot)] = k;
        for (int other = 0; other < kKeypadKeys; ++other)
            if (other != slot && triggers.keyFor[static_cast<std::size_t>(other)] == k)
                give(other, other);
    }
    static int slotOf(const std::array<int, kKeypadKeys>& keyFor, int k) {
        const auto it = std::find(keyFor.begin(), keyFor.end(), k);
        return it == keyFor.end() ? -1 : static_cast<int>(it - keyFor.begin());
    }
    void keyDown(const KeyInfo& k) {
        if (k.digit >= 0)
            p.input.press(k.digit);
        else
            p.input.pressKey(k.code);
    }

    // The platform reports the key, and while a choice asks for a key, that report is the
    // choice's (the window keeps the key from its controls).
    void pressKey(int n, bool withAlt) {
        const KeyInfo& k = key(n);
        KeyHistory& h = hands.keys[static_cast<std::size_t>(n)];
        if (h.down)
            return;
        // A key like one the program typed a moment ago, which a desktop hands back as a
        // keyboard's, cannot be told from it: either may be taken for the other.
        if (k.kind == KeyKind::TypedByProgram && desktop.echoesSeen && typedRecently())
            desktop.confusedAt = p.clock.now();
        const bool toChooser = triggers.choosing.has_value();
        const bool fires = !toChooser && running() && slotOf(triggers.keyFor, n) >= 0;
        if (fires && options.learning)
            learnFromFront();
        // Judged at the press: elsewhere, or before the desktop's leave, it counts for nothing
        // until pressed again.
        const bool allowed = !fires || ((!options.onlyInGame || frontIsGame()) &&
                                        desktop.leave == Permission::Granted);
        h.down = true;
        h.pressCounts = allowed && (h.pressCounts || !toChooser);
        h.holdCounts = allowed && !toChooser;
        if (fires && allowed && !messageUnderWay())
            typing.startDue = p.clock.now(); // its message starts at once
        if (toChooser && !withAlt)
            chooseWith(n);
        p.input.altHeld = withAlt;
        keyDown(k);
        p.input.altHeld = false;
    }

    void check(const std::string& keysBefore) {
        if (running() && main().choosingKey() != triggers.choosing.has_value())
            fail(triggers.choosing
                     ? "the key choice ended, though the player did nothing to end it"
                     : "a key choice is still pending after the player did something else");
        if (running() && p.input.watching().everyKey != triggers.choosing.has_value())
            fail("the system reports every key, yet no key choice is pending (or the reverse)");
        const bool buttonFires = std::any_of(triggers.keyFor.begin(), triggers.keyFor.end(),
                                             [](int k) { return key(k).isButton(); });
        if (running() && p.input.watching().coversButtons() != (triggers.choosing || buttonFires))
            fail("the mouse is heard, yet no button fires a slot and no choice is pending (or "
                 "the reverse)");
        // Every sequence is v and its slot's two digits as the lists say at each key, one key
        // interval apart, and nothing is typed once the main window has closed. (Keys are typed
        // only while time passes, and the lists change only when it does not.)
        const auto& typed = p.typist.typed;
        for (std::size_t n = typing.checkedTyped; n < typed.size(); ++n)
            if (n >= typing.expected.size() || typed[n].at != typing.expected[n].at ||
                typed[n].key != keyOf(typing.expected[n]) ||
                (typing.closedAt && typed[n].at > *typing.closedAt))
                fail("typed \"" + typed[n].key + "\" at " + std::to_string(typed[n].at) +
                     " ms, which nothing asked for then");
        typing.checkedTyped = typed.size();
        for (std::size_t n = typed.size(); n < typing.expected.size(); ++n)
            if (typing.expected[n].at <= p.clock.now() && !typing.closedAt)
                fail("\"" + keyOf(typing.expected[n]) + "\" was not typed at " +
                     std::to_string(typing.expected[n].at) + " ms");
        if ((p.files["keys"] != keysBefore || (triggers.keysGiven && !p.files.writeError)) &&
            (!triggers.keysGiven || !keysFileReadsKeysGiven()))
            fail("\"keys\" changed, but not to the keys a choice in the main window gave");
        // Each failed write is told in a box that names the file and the reason, but of "options".
        for (; writes.failedSeen < p.files.failedWrites.size();
             ++writes.failedSeen, ++writes.boxesSeen) {
            const std::string name = "\"" + p.files.failedWrites[writes.failedSeen] + "\"";
            if (name == "\"grant\"") {
                --writes
                      .boxesSeen; // the desktop only asks again at the next start: nothing to tell
                continue;
            }
            if (name == "\"options\"") {
                // Whoever wrote it, and the game may be in front: a notice, not a box.
                options.writeFailed = true;
                --writes.boxesSeen;
                continue;
            }
            while (writes.boxesSeen < p.dialogs.messageBoxes.size() &&
                   p.dialogs.messageBoxes[writes.boxesSeen].prompt.find("Disk full") ==
                       std::string::npos)
                ++writes.boxesSeen; // the Interval box's word
            if (writes.boxesSeen == p.dialogs.messageBoxes.size() ||
                p.dialogs.messageBoxes[writes.boxesSeen].prompt.find(name) == std::string::npos ||
                p.dialogs.messageBoxes[writes.boxesSeen].title != "Brontek tarnlow")
                fail("a failed write of " + name + " was not told");
        }
        for (std::size_t b = writes.boxesSeen; b < p.dialogs.messageBoxes.size(); ++b)
            if (p.dialogs.messageBoxes[b].prompt.find("Disk full") != std::string::npos)
                fail("a write that did not fail was told as failed");
        if (launch.noServer && !p.http.requests.empty())
            fail("a build without a server asked " + p.http.requests.front());
        if (triggers.choosing && desktop.confusedAt && p.clock.now() - *desktop.confusedAt <= 2000)
            triggers.labelUnsure = true;
        if (running() && triggers.choosing && !triggers.labelUnsure &&
            (triggers.refusedInChoice
                 ? c().keyLabel(*triggers.choosing).caption().find(*triggers.refusedInChoice)
                 : c().keyLabel(*triggers.choosing).caption().find("Press a key")) ==
                std::string::npos)
            fail("the key label says \"" + c().keyLabel(*triggers.choosing).caption() +
                 "\", of a key the player did not press");
        if (!running() && p.permission.listening())
            fail("the desktop's question was not withdrawn as the program ended");
        const auto noticed = [this](Notice n) {
            return std::count(p.notices.shown.begin(), p.notices.shown.end(), n);
        };
        if (noticed(Notice::TypingRefused) != desktop.told[Permission::Refused] ||
            noticed(Notice::TypingUnavailable) != desktop.told[Permission::Failed] ||
            noticed(Notice::TypingTakenBack) != desktop.told[Permission::TakenBack])
            fail("the desktop's refusal or taking back was not told once");
        if (noticed(Notice::KeysNotTyped) != (desktop.failedKey ? 1 : 0))
            fail("a message the system would not type was not told once a run");
        const std::size_t echo = p.typist.echoing() ? 1 : 0;
        if (p.desktop.ended && (p.clock.wakeUpsScheduled() != echo || p.http.pendingCount() != 0))
            fail("the program ended, yet something of it is still due to run or downloading");
        if (!main().isOpen() && c().window.visible())
            fail("the main window is still shown after it closed");
        if (p.tray.iconPresent != (running() && !c().window.visible()))
            fail("the tray icon is not there exactly while the main window is put away");
        const bool away = !main().isOpen() || !screen.focused || !c().window.visible() ||
                          c().window.state() == WindowState::Minimized || newsOpened();
        if (away && main().choosingKey())
            fail("a key choice is pending while the main window cannot take keys");
        checkSlotsRead();
    }

    // "options" changes only when the box or a lesson wrote it, and then says what they did.
    void checkOptions(const std::string& before) {
        const bool wrote = options.boxWritten || options.lessonWrote || options.firstTimeInTray;
        const auto notices =
            std::count(p.notices.shown.begin(), p.notices.shown.end(), Notice::KeepsRunningInTray);
        if (notices != (options.trayNoticeShown && !options.startedTold ? 1 : 0))
            fail("the tray's notice came " + std::to_string(notices) + " times");
        if (std::count(p.notices.shown.begin(), p.notices.shown.end(), Notice::OptionsNotSaved) !=
            (options.writeFailed ? 1 : 0))
            fail("a failed write of \"options\" was told other than once a run");
        // A game run as administrator is told of once, as it first comes to the front.
        if (std::count(p.notices.shown.begin(), p.notices.shown.end(), Notice::GameRunsElevated) !=
            (screen.elevatedGameSeen ? 1 : 0))
            fail("the notice of a game run as administrator came other than once as it came "
                 "to the front");
        options.boxWritten = false;
        if (!running())
            options.learning = false;
        if (!wrote && p.files["options"] != before)
            fail("\"options\" changed, but neither the box nor a lesson changed it");
        if (!wrote || p.files.writeError)
            return;
        const std::vector<std::string> o = linesOf(p.files["options"]);
        const auto says = [&o](const std::string& line) {
            return std::any_of(o.begin(), o.end(), [&](const std::string& l) {
                return std::equal(l.begin(), l.end(), line.begin(), line.end(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) ==
                           std::tolower(static_cast<unsigned char>(b));
                });
            });
        };
        if (!says(std::string("only-in-game = ") + (options.onlyInGame ? "yes" : "no")))
            fail("\"options\" does not say what the box says");
        if (says("tray-notice-shown = yes") != options.trayNoticeShown)
            fail("\"options\" does not remember the tray's notice");
        for (std::size_t w = kNoGameYet; w < kWindows.size(); ++w) {
            const auto& names = kWindows[w].focus.programNames;
            if (screen.games[w] && !names.empty() && !says("game-program = " + names[0]))
                fail("\"options\" lacks " + names[0] + ", which counts as a game");
        }
    }

    void fail(const std::string& why) {
        if (!failure.empty())
            return;
        std::ostringstream os;
        os << why << " (at " << p.clock.now() << " ms, after: ";
        showValue(step, os);
        failure = os.str() + ")";
    }

    struct Expected {
        Millis at;
        int slot;
        int step;         // 1: v, 2: the menu's digit, 3: the message's
        Millis startedAt; // when the message started
    };
    // A plain file's lines, without their line ends.
    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        return lines;
    }
    // "keys" names each slot's key on a line of its own, from Numpad 0: "keypad" for the slot's
    // own keypad key, or a line that ends with the key's name ("mouse" first for a button).
    bool keysFileReadsKeysGiven() {
        const auto lines = linesOf(p.files["keys"]);
        if (lines.size() != kKeypadKeys)
            return false;
        for (int slot = 0; slot < kKeypadKeys; ++slot) {
            const std::string& line = lines[static_cast<std::size_t>(slot)];
            const int k = triggers.keyFor[static_cast<std::size_t>(slot)];
            if (k == slot ? line != "keypad"
                          : !line.ends_with(" " + key(k).name) ||
                                line.starts_with("mouse ") != key(k).isButton())
                return false;
        }
        return true;
    }
    // What the player bound the slot to, which is what each key of its message types.
    std::string keyOf(const Expected& e) const {
        if (e.step == 1)
            return "v";
        const Pick& b = lists.picked[static_cast<std::size_t>(e.slot)];
        return std::to_string(e.step == 2 ? b.menu : b.message);
    }
    // The slot's closed lists read its binding as the player made it: the menu's number and name,
    // the message's number and its words; its key label names the key the player gave it.
    void checkSlotsRead() {
        for (int slot = 0; slot < kKeypadKeys; ++slot) {
            const Pick& b = lists.picked[static_cast<std::size_t>(slot)];
            const std::string menu =
                std::to_string(b.menu) + " " + kMenuNames[static_cast<std::size_t>(b.menu - 1)];
            const std::string message = std::to_string(b.message) + " ";
            const std::string& reads = c().slotMessage(slot).text();
            if (c().slotMenu(slot).text() != menu || !reads.starts_with(message) ||
                reads.size() == message.size())
                fail(keypad(slot) + "'s lists read \"" + c().slotMenu(slot).text() + "\", \"" +
                     reads + "\", but it types " + menu + ", message " + std::to_string(b.message));
            const std::string& label = c().keyLabel(slot).caption();
            const std::string& given = key(triggers.keyFor[static_cast<std::size_t>(slot)]).name;
            if (triggers.choosing != slot && label != given)
                fail(keypad(slot) + "'s key label reads \"" + label +
                     "\", but the player gave it " + given);
        }
    }
    FakePlatform p;
    std::unique_ptr<Application> app;
    Action step;

    // The player's world, as the player keeps account of it: what it did, and what it was told.
    // The program is judged by this account alone.

    // The keys under the player's hands (by kKeys, kOtherKeys), and what they count for.
    struct Hands {
        std::vector<KeyHistory> keys = std::vector<KeyHistory>(kKeys.size() + kOtherKeys.size());
    } hands;
    // What the player picked in each slot's lists, and the game it clicked.
    struct Pick {
        int menu = 1;
        int message = 1;
    };
    struct Lists {
        bool unitedOffensive = false;
        std::array<Pick, kKeypadKeys> picked{};
    } lists;
    // The key that fires each slot, the choice the player began, and what its label must say.
    struct Triggers {
        // By kKeys, kOtherKeys: each slot's own keypad key until the player gives it another.
        std::array<int, kKeypadKeys> keyFor = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::optional<int> choosing;                // the slot whose key the player was asked for
        std::optional<std::string> refusedInChoice; // the last key a pending choice refused
        bool labelUnsure = false;     // it may have been taken for one the program typed
        bool choiceCompleted = false; // this action's key ended a choice in the window
        bool keysGiven = false;       // and gave its slot a key, which "keys" keeps
    } triggers;
    // The messages the program must type, as the player works them out (see
    // foreseeMessagesUntil), and how much of what was typed it has judged.
    struct Typing {
        std::vector<Expected> expected;
        std::size_t checkedTyped = 0;
        std::optional<Millis> startDue; // a start the program must make, at this time
        Millis messageEnd = std::numeric_limits<Millis>::min(); // the last message's last key
        bool pauseDecided = true; // whether a key starts a message 100 ms after that one is known
        int intervalMs = kFirstIntervalMs;
        std::optional<Millis> closedAt; // the main window closed: nothing is typed after
    } typing;
    // The windows on the screen: which has the keyboard, and which count as a game (by kWindows).
    struct Screen {
        bool focused = true; // the main window has the keyboard
        int front = -1;      // the window in kWindows that has the focus; -1: the main window
        std::vector<bool> games = {true, true, true, false, false, false, false};
        bool elevatedGameSeen = false; // in front while the program ran
        bool minimizeInBox = false;    // the player minimizes the window while a box is open
    } screen;
    static constexpr std::size_t kNoGameYet = 3, kModded = 4; // the first that may become one
    // What "options" must say, and what this action changed of it.
    struct OptionsAccount {
        bool onlyInGame = false;
        bool learning = false;        // the game button was pressed, and no lesson came yet
        bool lessonWrote = false;     // this action taught a new game, which "options" must keep
        bool boxWritten = false;      // this action ticked or cleared the box
        bool trayNoticeShown = false; // the player was told, in this run or one before
        bool startedTold = false;     // in one before, as "options" said
        bool firstTimeInTray = false; // this action put the window into the tray for the first time
        bool writeFailed = false;     // in this run
    } options;
    // What the desktop said of the program's leave to type, and how often it refused or took it
    // back; whether the system refuses every key typed, and did refuse one; whether it hands
    // typed keys back.
    struct DesktopAccount {
        Permission leave = Permission::Granted;
        std::map<Permission, long> told;
        int grants = 0;
        bool keysRefused = false;
        bool failedKey = false;
        bool echoesSeen = false;          // the desktop handed typed keys back at some time
        std::optional<Millis> confusedAt; // the player pressed such a key just as one came back
    } desktop;
    // How the program was started, and the login entry as the player made it.
    struct Launch {
        bool started = false;
        bool noServer = false;
        bool intoTray = false;      // started as the login entry starts it
        bool startedInTray = false; // and the start put the window into the tray
        AutostartEntry entry = AutostartEntry::None;
        long loginStartRefusals = 0; // the box's writes the system refused
    } launch;
    // What the server answered, and what the player did in the news window.
    struct Server {
        bool statusKnown = false;  // the program has the server's answer, which offers news
        bool newsDeclined = false; // the news window's box was ticked
    } server;
    // The failed writes and the boxes the player has looked at so far.
    struct Writes {
        std::size_t failedSeen = 0, boxesSeen = 0;
    } writes;
};

inline std::string keyName(int k) {
    return key(k).name;
}
inline std::string keyAndLabel(int arg) {
    return key(arg / kKeypadKeys).name + " as " + keypad(arg % kKeypadKeys) +
           "'s key label is clicked";
}
inline std::string slotName(int s) {
    return keypad(s);
}
inline std::string answer(int a) {
    return kAnswers[static_cast<std::size_t>(a)].text;
}
inline std::string entry(int arg) {
    return std::to_string(arg / 20 + 1) + " in " + keypad(arg % 10) + "'s " +
           (arg / 10 % 2 ? "message" : "menu") + " list";
}
inline std::string gameName(int unitedOffensive) {
    return unitedOffensive ? "United Offensive" : "Call of Duty";
}
inline std::string menuChoice(int c) {
    return kMenuChoices[static_cast<std::size_t>(c)];
}
inline std::string windowName(int w) {
    return kWindows[static_cast<std::size_t>(w)].words;
}
inline std::string optionsName(int o) {
    return kOptionsFiles[static_cast<std::size_t>(o)].words;
}
inline std::string desktopAnswer(int a) {
    return std::vector<std::string>{"grants leave to type", "refuses leave to type",
                                    "cannot ask for leave to type",
                                    "takes its leave back"}[static_cast<std::size_t>(a)];
}
inline std::string entryName(int e) {
    return e == 0 ? "is missing" : e == 1 ? "starts this program" : "starts an older build";
}
inline std::string waitMs(int w) {
    return std::to_string(kWaits[static_cast<std::size_t>(w)]);
}

inline const std::vector<ActionKind> kActions = {
    {"press #", 30, kKeyCount, keyName, &Player::press},
    {"press # with Alt held", 6, kKeyCount, keyName, &Player::pressWithAlt},
    {"press #", 3, kKeyCount* kKeypadKeys, keyAndLabel, &Player::pressAsTheLabelIsClicked},
    {"release #", 30, kKeyCount, keyName, &Player::release},
    {"the system repeats #'s key-down", 6, kKeyCount, keyName, &Player::repeat},
    {"click #'s key label", 12, kKeypadKeys, slotName, &Player::clickKeyLabel},
    {"Interval, answer \"#\"", 3, static_cast<int>(kAnswers.size()), answer, &Player::interval},
    {"Interval, minimize the window while its box is open, answer \"#\"", 1,
     static_cast<int>(kAnswers.size()), answer, &Player::intervalMinimized},
    {"Save", 2, 0, nullptr, &Player::save},
    {"the disk fills up (or is freed)", 1, 0, nullptr, &Player::diskFills},
    {"Start", 2, 0, nullptr, &Player::start},
    {"minimize", 2, 0, nullptr, &Player::minimizeIt},
    {"restore from the taskbar", 1, 0, nullptr, &Player::restore},
    {"double-click the tray icon", 2, 0, nullptr, &Player::trayDoubleClick},
    {"tray menu, #", 2, 3, menuChoice, &Player::trayMenu},
    {"close the window", 1, 0, nullptr, &Player::close},
    {"Exit", 2, 0, nullptr, &Player::exit},
    {"the server answers the status poll", 3, 0, nullptr, &Player::statusAnswers},
    {"the news feed arrives", 2, 0, nullptr, &Player::feedArrives},
    {"tick \"Do not show this window next time.\"", 1, 0, nullptr, &Player::declineNews},
    {"close the news window", 1, 0, nullptr, &Player::closeNews},
    {"click into #", 6, static_cast<int>(kWindows.size()), windowName, &Player::focusWindow},
    {"tick or clear \"Only in the game\"", 2, 0, nullptr, &Player::onlyInGame},
    {"click the game button", 2, 0, nullptr, &Player::gameButton},
    {"before the start, \"options\" #", 4, static_cast<int>(kOptionsFiles.size()), optionsName,
     &Player::optionsBeforeStart},
    {"before the start, the desktop has no tray", 1, 0, nullptr, &Player::noTrayBeforeStart},
    {"before the start, the desktop will ask for leave to type", 3, 0, nullptr,
     &Player::desktopAsksBeforeStart},
    {"the desktop #", 3, 4, desktopAnswer, &Player::desktopAnswers},
    {"the desktop starts (or stops) handing typed keys back", 2, 0, nullptr,
     &Player::desktopTypesBack},
    {"the system starts (or stops) refusing typed keys", 1, 0, nullptr, &Player::systemRefusesKeys},
    {"before the start, the build names no server", 1, 0, nullptr, &Player::noServerBeforeStart},
    {"before the start, the login entry #", 2, 3, entryName, &Player::entryBeforeStart},
    {"the program starts into the tray, as at login", 1, 0, nullptr, &Player::intoTrayBeforeStart},
    {"tick or clear \"Start at login\"", 2, 0, nullptr, &Player::loginStart},
    {"the login entry becomes locked (or writable again)", 1, 0, nullptr, &Player::entryLocked},
    {"pick #", 4, 180, entry, &Player::pick},
    {"start the program a second time", 1, 0, nullptr, &Player::startAgain},
    {"click #", 1, 2, gameName, &Player::game},
    {"wait # ms", 25, static_cast<int>(kWaits.size()), waitMs, &Player::wait},
};

// Two bytes an action: which kind (by the kinds' weights) and its argument; at most 300.
inline std::vector<Action> decode(const std::uint8_t* data, std::size_t size) {
    int total = 0;
    for (const ActionKind& k : kActions)
        total += k.weight;
    std::vector<Action> actions;
    for (std::size_t i = 0; i + 1 < size && actions.size() < 300; i += 2) {
        int pick = data[i] * total / 256, kind = 0;
        while (pick >= kActions[static_cast<std::size_t>(kind)].weight)
            pick -= kActions[static_cast<std::size_t>(kind++)].weight;
        const int args = std::max(1, kActions[static_cast<std::size_t>(kind)].args);
        actions.push_back({kind, data[i + 1] % args});
    }
    return actions;
}

inline std::string describe(const std::vector<Action>& actions) {
    std::ostringstream os;
    for (const Action& a : actions) {
        os << "  ";
        showValue(a, os);
        os << "\n";
    }
    return os.str();
}

// What a run got to, for the counts the fuzz target prints.
struct Counts {
    int runs = 0, typed = 0, chosen = 0, news = 0;
};

// Plays the actions, then lets every key go and time pass: whatever is under way finishes, then
// nothing more. What broke a rule, or "" when nothing did.
inline std::string play(const std::vector<Action>& actions, Counts* counts = nullptr) {
    Player player;
    for (const Action& a : actions) {
        player.act(a);
        if (!player.failure.empty())
            return player.failure;
    }
    player.letEverythingFinish();
    if (counts) {
        ++counts->runs;
        counts->typed += player.messages > 0;
        counts->chosen += player.choices > 0;
        counts->news += player.newsOpened();
    }
    return player.failure;
}

} // namespace bt::player

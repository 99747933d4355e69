// The program's input handling against random sequences of a player's actions, on the fake
// platform with virtual time: keys going down and up (keypad keys, chosen keys, keys that must
// not fire, held and overlapping), key choices, the Interval box, Save, the tray, closing, the
// status and the news window. After every step the invariants below must hold; a failure prints
// the shortest sequence of actions that breaks one.

#include "behaviours/keys/keys_file.h"
#include "main_window_fixture.h"

#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <sstream>

namespace bt::test {
namespace {

struct KeyInfo {
    std::string name;
    std::uint32_t code;
    KeyKind kind;
};

// The keyboard: the keypad, keys a player may choose, and keys a choice must refuse or act on.
const std::vector<KeyInfo>& keyboard() {
    static const std::vector<KeyInfo> keys = [] {
        std::vector<KeyInfo> k;
        for (int d = 0; d < kSlotCount; ++d)
            k.push_back({"Numpad " + std::to_string(d), 1000 + static_cast<std::uint32_t>(d),
                         KeyKind::Ordinary});
        k.push_back({"F5", 71, KeyKind::Ordinary});
        k.push_back({"F6", 72, KeyKind::Ordinary});
        k.push_back({"Q", 24, KeyKind::Ordinary});
        k.push_back({"V", 55, KeyKind::TypedByProgram});
        k.push_back({"1", 10, KeyKind::TypedByProgram});
        k.push_back({"Ctrl", 37, KeyKind::Modifier});
        k.push_back({"Escape", 9, KeyKind::Cancel});
        k.push_back({"Delete", 119, KeyKind::Erase});
        return k;
    }();
    return keys;
}

const char* const kIntervalAnswers[] = {"", "250.5", "99", "1000", "abc", "300", "100"};
const Millis kWaits[] = {1, 40, 99, 100, 101, 250, 1000, 3500};

struct Action {
    enum Kind {
        Press,            // arg: the key; the key's event reaches the program before the window's
        PressWindowFirst, // the window's key event is handled before the platform's
        Release,
        ClickKeyLabel, // arg: the slot
        IntervalBox,   // arg: the answer
        Save,
        DiskFull, // from now on every save fails, or (again) works
        Start,
        Minimize,
        Restore,
        TrayDoubleClick,
        TrayMenu, // arg: 0 closed without a choice, 1 "&Show", 2 "&Exit"
        Close,
        Exit,
        StatusAnswers,
        FeedArrives,
        DeclineNews,
        CloseNews,
        FocusElsewhere, // the player clicks into the game
        Wait,           // arg: how long
    };
    Kind kind = Wait;
    int arg = 0;
};

void showValue(const Action& a, std::ostream& os) {
    const auto key = [&] { return keyboard()[static_cast<std::size_t>(a.arg)].name; };
    switch (a.kind) {
    case Action::Press:
        os << "press " << key();
        break;
    case Action::PressWindowFirst:
        os << "press " << key() << " (the window hears it first)";
        break;
    case Action::Release:
        os << "release " << key();
        break;
    case Action::ClickKeyLabel:
        os << "click Numpad " << a.arg << "'s key label";
        break;
    case Action::IntervalBox:
        os << "Interval, answer \"" << kIntervalAnswers[a.arg] << "\"";
        break;
    case Action::Save:
        os << "Save";
        break;
    case Action::DiskFull:
        os << "the disk fills up (or is freed)";
        break;
    case Action::Start:
        os << "Start";
        break;
    case Action::Minimize:
        os << "minimize";
        break;
    case Action::Restore:
        os << "restore from the taskbar";
        break;
    case Action::TrayDoubleClick:
        os << "double-click the tray icon";
        break;
    case Action::TrayMenu:
        os << "tray menu, " << (a.arg == 0 ? "closed" : a.arg == 1 ? "&Show" : "&Exit");
        break;
    case Action::Close:
        os << "close the window";
        break;
    case Action::Exit:
        os << "Exit";
        break;
    case Action::StatusAnswers:
        os << "the server answers the status poll";
        break;
    case Action::FeedArrives:
        os << "the news feed arrives";
        break;
    case Action::DeclineNews:
        os << "tick \"don't show this news again\"";
        break;
    case Action::CloseNews:
        os << "close the news window";
        break;
    case Action::FocusElsewhere:
        os << "click into the game";
        break;
    case Action::Wait:
        os << "wait " << kWaits[a.arg] << " ms";
        break;
    }
}

rc::Gen<Action> genAction() {
    using rc::gen::inRange;
    const auto with = [](Action::Kind kind, rc::Gen<int> arg) {
        return rc::gen::map(arg, [kind](int a) { return Action{kind, a}; });
    };
    const auto just = [](Action::Kind kind) { return rc::gen::just(Action{kind, 0}); };
    const int keys = static_cast<int>(keyboard().size());
    return rc::gen::weightedOneOf<Action>({
        {30, with(Action::Press, inRange(0, keys))},
        {6, with(Action::PressWindowFirst, inRange(0, keys))},
        {30, with(Action::Release, inRange(0, keys))},
        {12, with(Action::ClickKeyLabel, inRange(0, kSlotCount))},
        {3, with(Action::IntervalBox, inRange(0, static_cast<int>(std::size(kIntervalAnswers))))},
        {2, just(Action::Save)},
        {1, just(Action::DiskFull)},
        {2, just(Action::Start)},
        {2, just(Action::Minimize)},
        {1, just(Action::Restore)},
        {2, just(Action::TrayDoubleClick)},
        {2, with(Action::TrayMenu, inRange(0, 3))},
        {1, just(Action::Close)},
        {1, just(Action::Exit)},
        {3, just(Action::StatusAnswers)},
        {2, just(Action::FeedArrives)},
        {1, just(Action::DeclineNews)},
        {1, just(Action::CloseNews)},
        {3, just(Action::FocusElsewhere)},
        {25, with(Action::Wait, inRange(0, static_cast<int>(std::size(kWaits))))},
    });
}

// What the player's keys did, as the rules of the program say they may fire a slot: a press
// counts once, for the poll after it; a held key counts while it is down. Neither counts when it
// was pressed during a key choice, or once its slot changed while it was down.
struct KeyHistory {
    bool down = false;
    bool pressCounts = false;
    bool holdCounts = false;
};

struct Expected {
    Millis at;
    std::string key;
};

class Player {
  public:
    Player() {
        for (const KeyInfo& k : keyboard())
            if (k.code < 1000)
                p.keyboard.addKey(k.code, k.name, k.kind);
        app = std::make_unique<Application>(p.system(), kBase);
        app->start(p.clock.now());
        // Each slot a binding of its own, so the digits typed tell the slot.
        for (const int slot : kSlots) {
            c().slotMenu(slot).choose(slot % 3);
            c().slotMessage(slot).choose(slot / 3);
        }
        mapping = effectiveKeys();
        p.clock.afterRing = [this] { polled(); };
        p.dialogs.whileOpen = [this] {
            if (main().choosingKey())
                fail("a box opened while a key choice was pending: its keys go to the chooser");
        };
    }

    void act(const Action& a) {
        step = a;
        const std::string keysBefore = p.files["keys"];
        const bool choosingBefore = running() && main().choosingKey();
        bool choiceKey = false;
        if (!p.desktop.ended || a.kind == Action::Wait)
            choiceKey = perform(a);
        if (!main().isOpen() && !unloadedAt)
            unloadedAt = p.clock.now();
        const auto after = effectiveKeys();
        for (const KeyInfo& k : keyboard())
            if (slotOf(mapping, k.code) != slotOf(after, k.code)) {
                history[k.code].pressCounts = history[k.code].holdCounts = false;
                if (pressed && pressed->second == k.code)
                    pressed.reset(); // its slot changed before the poll: the press is dropped
            }
        mapping = after;
        if (!choosingBefore && running() && main().choosingKey())
            for (auto& [code, h] : history)
                h.holdCounts = false; // held into a choice: the window takes the keyboard
        const bool choiceCompleted = choiceKey && choosingBefore && !main().choosingKey();
        choices += choiceCompleted && p.files["keys"] != keysBefore ? 1 : 0;
        check(keysBefore, choiceCompleted);
    }

    std::string failure;
    // What the run got to, for the counts the test prints.
    int messages = 0;
    int choices = 0;

    bool newsOpened() const { return app->newsWindow() != nullptr; }

  private:
    MainWindow& main() { return app->mainWindow(); }
    MainWindowControls& c() { return main().controls(); }
    bool running() { return !p.desktop.ended && main().isOpen(); }
    // The window is on screen, where the player can click it.
    bool shown() {
        return running() && c().window.visible() && c().window.state() == WindowState::Normal;
    }

    std::array<KeyCode, kSlotCount> effectiveKeys() {
        std::array<KeyCode, kSlotCount> keys{};
        for (const int s : kSlots)
            keys[static_cast<std::size_t>(s)] =
                main().triggerKeys().chosen[static_cast<std::size_t>(s)].value_or(
                    p.keyboard.keypadKey(s));
        return keys;
    }
    static int slotOf(const std::array<KeyCode, kSlotCount>& keys, std::uint32_t code) {
        for (const int s : kSlots)
            if (keys[static_cast<std::size_t>(s)].value == code)
                return s;
        return -1;
    }

    // Does what the action says; true when a key press went to a pending key choice.
    bool perform(const Action& a) {
        switch (a.kind) {
        case Action::Press:
        case Action::PressWindowFirst:
            return press(keyboard()[static_cast<std::size_t>(a.arg)],
                         a.kind == Action::PressWindowFirst);
        case Action::Release: {
            const KeyInfo& k = keyboard()[static_cast<std::size_t>(a.arg)];
            if (history[k.code].down) {
                history[k.code].down = history[k.code].holdCounts = false;
                p.keyboard.releaseKey(KeyCode{k.code});
            }
            return false;
        }
        case Action::ClickKeyLabel:
            if (shown()) {
                focused = true;
                c().keyLabel(a.arg).click();
            }
            return false;
        case Action::IntervalBox:
            if (shown()) {
                p.dialogs.inputAnswers.push_back(kIntervalAnswers[a.arg]);
                c().intervalButton.click();
                p.dialogs.inputAnswers.clear();
            }
            return false;
        case Action::Save:
            if (shown())
                c().saveButton.click();
            return false;
        case Action::DiskFull:
            p.files.writeError =
                p.files.writeError ? std::nullopt : std::optional<std::string>("Disk full");
            return false;
        case Action::Start:
            if (shown())
                c().startButton.click();
            return false;
        case Action::Minimize:
            if (running() && c().window.visible())
                main().shownMinimized(true);
            return false;
        case Action::Restore:
            if (running() && c().window.state() == WindowState::Minimized && c().window.visible())
                main().shownMinimized(false);
            return false;
        case Action::TrayDoubleClick:
            if (running() && p.tray.iconPresent)
                main().trayEvent(TrayEvent::ShowAsked);
            return false;
        case Action::TrayMenu:
            if (running() && p.tray.iconPresent) {
                p.tray.popupChoices.push_back(static_cast<PopupChoice>(a.arg));
                main().trayEvent(TrayEvent::MenuAsked);
            }
            return false;
        case Action::Close:
            if (running() && c().window.visible())
                main().close();
            return false;
        case Action::Exit:
            if (shown())
                c().exitButton.click();
            return false;
        case Action::StatusAnswers:
            p.http.respondTo(std::string(kBase) + "form1.html", ok("on|news-7"));
            p.http.respondTo(std::string(kBase) + "br.html", ok("|"));
            return false;
        case Action::FeedArrives:
            p.http.respondTo(std::string(kBase) + "data.html", ok("Brontek news|x|y"));
            p.http.respondTo(std::string(kBase) + "br.html", ok("|"));
            return false;
        case Action::DeclineNews:
            if (NewsWindow* news = app->newsWindow(); news && news->isOpen())
                news->controls().declineBox.toggle(true);
            return false;
        case Action::CloseNews:
            if (NewsWindow* news = app->newsWindow(); news && news->isOpen())
                news->controls().exitButton.click();
            return false;
        case Action::FocusElsewhere:
            if (running() && focused) {
                focused = false;
                main().focusLost();
            }
            return false;
        case Action::Wait:
            p.clock.advance(kWaits[a.arg]);
            return false;
        }
        return false;
    }

    // The platform reports the key; the main window, while a choice asks for a key, hands it
    // to the chooser too. Which of the two comes first is up to the system.
    bool press(const KeyInfo& k, bool windowFirst) {
        KeyHistory& h = history[k.code];
        if (h.down)
            return false;
        // The front end asks the main window, not the system, whether a choice takes the key.
        const bool toChooser = !p.desktop.ended && main().choosingKey();
        h.down = true;
        h.pressCounts = h.pressCounts || !toChooser;
        h.holdCounts = !toChooser;
        if (!toChooser && running() && !main().keys().typing() && slotOf(mapping, k.code) >= 0)
            pressed = std::pair(p.clock.now(), k.code); // the poll must run at once
        if (!windowFirst)
            p.keyboard.pressKey(KeyCode{k.code});
        if (toChooser)
            main().keyPressedWhileChoosing(KeyCode{k.code});
        if (windowFirst)
            p.keyboard.pressKey(KeyCode{k.code});
        return toChooser;
    }

    // A poll ran. If it started a sequence, some key must have asked for it.
    void polled() {
        if (!main().keys().typing())
            return;
        const int slot = main().keys().typedSlot();
        const std::uint32_t key = mapping[static_cast<std::size_t>(slot)].value;
        const KeyHistory& h = history[key];
        if (!h.pressCounts && !(h.down && h.holdCounts))
            fail("Numpad " + std::to_string(slot) + "'s message started at " +
                 std::to_string(p.clock.now()) + " ms, but its key was neither pressed since the " +
                 "last message began nor held");
        if (pressed && pressed->first != p.clock.now())
            fail("a press at " + std::to_string(pressed->first) + " ms was polled only at " +
                 std::to_string(p.clock.now()) + " ms");
        pressed.reset();
        ++messages;
        for (auto& [code, kh] : history)
            kh.pressCounts = false; // the poll spends every press
        const Binding b = main().profile().bindings[static_cast<std::size_t>(slot)];
        const Millis i = main().keyInterval();
        expected.push_back({p.clock.now() + i, "v"});
        expected.push_back({p.clock.now() + 2 * i, std::to_string(b.menu)});
        expected.push_back({p.clock.now() + 3 * i, std::to_string(b.message)});
    }

    void check(const std::string& keysBefore, bool choiceCompleted) {
        if (pressed && p.clock.now() > pressed->first && running())
            fail("a press at " + std::to_string(pressed->first) + " ms was not polled at once");
        if (pressed && !running())
            pressed.reset();
        for (std::size_t n = 0; n < p.typist.typed.size(); ++n) {
            const auto& t = p.typist.typed[n];
            if (n >= expected.size() || t.at != expected[n].at || t.key != expected[n].key)
                fail("typed \"" + t.key + "\" at " + std::to_string(t.at) + " ms; expected " +
                     (n < expected.size() ? "\"" + expected[n].key + "\" at " +
                                                std::to_string(expected[n].at) + " ms"
                                          : std::string("nothing")));
            if (unloadedAt && t.at > *unloadedAt)
                fail("typed after the main window closed");
        }
        for (std::size_t n = p.typist.typed.size(); n < expected.size(); ++n)
            if (expected[n].at <= p.clock.now() && !unloadedAt)
                fail("\"" + expected[n].key + "\" due at " + std::to_string(expected[n].at) +
                     " ms was not typed");
        if (p.files["keys"] != keysBefore && !choiceCompleted)
            fail("\"keys\" changed without a key choice completing in the main window");
        if (p.files["keys"] != keysBefore &&
            parseKeys(p.files["keys"], "fake") != main().triggerKeys())
            fail("\"keys\" does not hold the keys in force");
        const bool away = !main().isOpen() || !focused || !c().window.visible() ||
                          c().window.state() == WindowState::Minimized ||
                          app->newsWindow() != nullptr;
        if (away && main().choosingKey())
            fail("a key choice is pending while the main window cannot take keys");
        for (const int s : kSlots)
            for (const int t : kSlots)
                if (s < t &&
                    mapping[static_cast<std::size_t>(s)] == mapping[static_cast<std::size_t>(t)])
                    fail("two slots share a trigger key");
    }

    void fail(const std::string& why) {
        if (failure.empty()) {
            std::ostringstream os;
            os << why << " (at " << p.clock.now() << " ms, after: ";
            showValue(step, os);
            os << ")";
            failure = os.str();
        }
    }

    FakePlatform p;
    std::unique_ptr<Application> app;
    std::map<std::uint32_t, KeyHistory> history;
    std::array<KeyCode, kSlotCount> mapping{};
    std::vector<Expected> expected;
    std::optional<Millis> unloadedAt;
    bool focused = true;                                     // the main window has the keyboard
    std::optional<std::pair<Millis, std::uint32_t>> pressed; // when, which key
    Action step;
};

RC_GTEST_PROP(InputProperty, EveryMessageHasAPressAndChoicesStayInTheMainWindow, ()) {
    const auto actions = *rc::gen::container<std::vector<Action>>(genAction());
    Player player;
    for (const Action& a : actions) {
        player.act(a);
        if (!player.failure.empty())
            RC_FAIL(player.failure);
    }
    // Time passes with every key let go: whatever is under way finishes, then nothing more.
    for (int k = 0; k < static_cast<int>(keyboard().size()); ++k)
        player.act(Action{Action::Release, k});
    for (int n = 0; n < 4; ++n)
        player.act(Action{Action::Wait, 7});
    if (!player.failure.empty())
        RC_FAIL(player.failure);
    RC_CLASSIFY(player.messages > 0, "a message typed");
    RC_CLASSIFY(player.messages > 3, "more than three messages");
    RC_CLASSIFY(player.choices > 0, "a key chosen");
    RC_CLASSIFY(player.choices > 2, "more than two keys chosen");
    RC_CLASSIFY(player.newsOpened(), "the news window opened");
}

} // namespace
} // namespace bt::test

// Thousands of sequences unless RC_PARAMS says otherwise (make fuzz runs many more, with seeds of
// its own); a failure prints the seed that reproduces it.
int main(int argc, char** argv) {
    setenv("RC_PARAMS", "max_success=5000 max_size=150", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

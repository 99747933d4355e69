// The program's input handling against random sequences of a player's actions, on the fakes with
// virtual time: keys going down and up (keypad keys, chosen keys, keys that must not fire, held
// and overlapping), key choices, the Interval box, Save, the tray, closing, the status and the news
// window. After every step the invariants must hold; a failure prints the shortest sequence of
// actions that breaks one.

#include "behaviours/keys/keys_file.h"
#include "main_window_fixture.h"

#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

namespace bt::test {
namespace {

struct KeyInfo {
    std::string name;
    std::uint32_t code;
    KeyKind kind;
};

// The keypad, keys a player may choose, and keys a choice must refuse or act on.
const std::vector<KeyInfo> kKeys = [] {
    std::vector<KeyInfo> k;
    for (const int d : kSlots)
        k.push_back({keypadName(d), 1000 + static_cast<std::uint32_t>(d), KeyKind::Ordinary});
    return k;
}();
const std::vector<KeyInfo> kOtherKeys = {
    {"F5", 71, KeyKind::Ordinary},         {"F6", 72, KeyKind::Ordinary},
    {"Q", 24, KeyKind::Ordinary},          {"V", 55, KeyKind::TypedByProgram},
    {"1", 10, KeyKind::TypedByProgram},    {"Ctrl", 37, KeyKind::Modifier},
    {"Escape", 9, KeyKind::Cancel},        {"Delete", 119, KeyKind::Erase}};
const KeyInfo& key(int n) {
    const auto k = static_cast<std::size_t>(n);
    return k < kKeys.size() ? kKeys[k] : kOtherKeys[k - kKeys.size()];
}
const int kKeyCount = static_cast<int>(kKeys.size() + kOtherKeys.size());
const std::vector<std::string> kAnswers = {"", "250.5", "99", "1000", "abc", "300", "100"};
const std::vector<Millis> kWaits = {1, 40, 99, 100, 101, 250, 1000, 3500};
const std::vector<std::string> kMenuChoices = {"closed", "&Show", "&Exit"};

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
    bool (Player::*run)(int); // true when a key press went to a pending key choice
};
extern const std::vector<ActionKind> kActions;

void showValue(const Action& a, std::ostream& os) {
    const ActionKind& k = kActions[static_cast<std::size_t>(a.kind)];
    std::string words = k.words;
    if (const auto hash = words.find('#'); hash != std::string::npos)
        words.replace(hash, 1, k.argument(a.arg));
    os << words;
}

// What the player's keys did, as the program's rules let them fire a slot: a press counts once,
// for the poll after it; a held key counts while it is down. Neither counts when it was pressed
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
        const ActionKind& kind = kActions[static_cast<std::size_t>(a.kind)];
        const bool toChooser = (!p.desktop.ended || kind.run == &Player::wait) &&
                               (this->*kind.run)(a.arg);
        if (!main().isOpen() && !closedAt)
            closedAt = p.clock.now();
        const auto after = effectiveKeys();
        for (int k = 0; k < kKeyCount; ++k)
            if (slotOf(mapping, key(k).code) != slotOf(after, key(k).code)) {
                history[key(k).code].pressCounts = history[key(k).code].holdCounts = false;
                if (pressed && pressed->second == key(k).code)
                    pressed.reset(); // its slot changed before the poll: the press is dropped
            }
        mapping = after;
        if (!choosingBefore && running() && main().choosingKey())
            for (auto& [code, h] : history)
                h.holdCounts = false; // held into a choice: the window takes the keyboard
        const bool choiceCompleted = toChooser && choosingBefore && !main().choosingKey();
        choices += choiceCompleted && p.files["keys"] != keysBefore ? 1 : 0;
        check(keysBefore, choiceCompleted);
    }

    std::string failure;
    // What the run got to, for the counts the test prints.
    int messages = 0;
    int choices = 0;
    bool newsOpened() const { return app->newsWindow() != nullptr; }

    // The actions, as kActions names them.
    bool press(int k) { return pressKey(key(k), false); }
    bool pressWindowFirst(int k) { return pressKey(key(k), true); }
    bool release(int k) {
        if (KeyHistory& h = history[key(k).code]; h.down) {
            h.down = h.holdCounts = false;
            p.keyboard.releaseKey(KeyCode{key(k).code});
        }
        return false;
    }
    bool clickKeyLabel(int slot) {
        focused = focused || shown();
        return click(c().keyLabel(slot));
    }
    bool interval(int answer) {
        p.dialogs.inputAnswers = {kAnswers[static_cast<std::size_t>(answer)]};
        return click(c().intervalButton);
    }
    bool save(int) { return click(c().saveButton); }
    bool start(int) { return click(c().startButton); }
    bool exit(int) { return click(c().exitButton); }
    bool diskFills(int) {
        p.files.writeError = p.files.writeError ? std::nullopt : std::optional("Disk full");
        return false;
    }
    bool minimize(bool on) {
        if (running() && c().window.visible() &&
            on != (c().window.state() == WindowState::Minimized))
            main().shownMinimized(on);
        return false;
    }
    bool minimizeIt(int) { return minimize(true); }
    bool restore(int) { return minimize(false); }
    bool trayDoubleClick(int) {
        if (running() && p.tray.iconPresent)
            main().trayEvent(TrayEvent::ShowAsked);
        return false;
    }
    bool trayMenu(int choice) {
        if (running() && p.tray.iconPresent) {
            p.tray.popupChoices = {static_cast<PopupChoice>(choice)};
            main().trayEvent(TrayEvent::MenuAsked);
        }
        return false;
    }
    bool close(int) {
        if (running() && c().window.visible())
            main().close();
        return false;
    }
    bool statusAnswers(int) { return serverAnswers("form1.html", "on|news-7"); }
    bool feedArrives(int) { return serverAnswers("data.html", "Brontek news|x|y"); }
    bool declineNews(int) {
        if (NewsWindow* news = app->newsWindow(); news && news->isOpen())
            news->controls().declineBox.toggle(true);
        return false;
    }
    bool closeNews(int) {
        if (NewsWindow* news = app->newsWindow(); news && news->isOpen())
            news->close();
        return false;
    }
    bool focusElsewhere(int) {
        if (running() && focused)
            main().focusLost();
        focused = false;
        return false;
    }
    bool wait(int n) {
        p.clock.advance(kWaits[static_cast<std::size_t>(n)]);
        return false;
    }

  private:
    MainWindow& main() { return app->mainWindow(); }
    MainWindowControls& c() { return main().controls(); }
    bool running() { return !p.desktop.ended && main().isOpen(); }
    // The window is on screen, where the player can click it.
    bool shown() {
        return running() && c().window.visible() && c().window.state() == WindowState::Normal;
    }
    bool serverAnswers(const std::string& page, const std::string& body) {
        p.http.respondTo(kBase + page, ok(body));
        p.http.respondTo(std::string(kBase) + "br.html", ok("|"));
        return false;
    }
    template <typename Clickable>
    bool click(Clickable& control) {
        if (shown())
            control.click();
        return false;
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

    // The platform reports the key; the main window, while a choice asks for a key, hands it to
    // the chooser too (the front end asks the main window, not the system, whether a choice takes
    // it). Which of the two comes first is up to the system.
    bool pressKey(const KeyInfo& k, bool windowFirst) {
        KeyHistory& h = history[k.code];
        if (h.down)
            return false;
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

    // A poll ran. If it started a sequence, some key must have asked for it, at that moment.
    void polled() {
        if (!main().keys().typing())
            return;
        const int slot = main().keys().typedSlot();
        const KeyHistory& h = history[mapping[static_cast<std::size_t>(slot)].value];
        if (!h.pressCounts && !(h.down && h.holdCounts))
            fail(keypadName(slot) + "'s message started, but its key was neither pressed since " +
                 "the last message began nor held");
        if (pressed && pressed->first != p.clock.now())
            fail("a press at " + std::to_string(pressed->first) + " ms was polled only now");
        pressed.reset();
        ++messages;
        for (auto& [code, kh] : history)
            kh.pressCounts = false; // the poll spends every press
        const Binding b = main().profile().bindings[static_cast<std::size_t>(slot)];
        const Millis i = main().keyInterval();
        for (const auto& [n, k] : {std::pair<Millis, std::string>{1, "v"},
                                   {2, std::to_string(b.menu)},
                                   {3, std::to_string(b.message)}})
            expected.push_back({p.clock.now() + n * i, k});
    }

    void check(const std::string& keysBefore, bool choiceCompleted) {
        if (pressed && p.clock.now() > pressed->first && running())
            fail("a press at " + std::to_string(pressed->first) + " ms was not polled at once");
        if (pressed && !running())
            pressed.reset();
        // Every sequence is v and its slot's two digits, one key interval apart, and nothing
        // is typed once the main window has closed.
        const auto& typed = p.typist.typed;
        for (std::size_t n = 0; n < typed.size(); ++n)
            if (n >= expected.size() || typed[n].at != expected[n].at ||
                typed[n].key != expected[n].key || (closedAt && typed[n].at > *closedAt))
                fail("typed \"" + typed[n].key + "\" at " + std::to_string(typed[n].at) +
                     " ms, which nothing asked for then");
        for (std::size_t n = typed.size(); n < expected.size(); ++n)
            if (expected[n].at <= p.clock.now() && !closedAt)
                fail("\"" + expected[n].key + "\" was not typed at " +
                     std::to_string(expected[n].at) + " ms");
        if (p.files["keys"] != keysBefore &&
            (!choiceCompleted || parseKeys(p.files["keys"], "fake") != main().triggerKeys()))
            fail("\"keys\" changed, but not to the keys a choice in the main window gave");
        const bool away = !main().isOpen() || !focused || !c().window.visible() ||
                          c().window.state() == WindowState::Minimized || newsOpened();
        if (away && main().choosingKey())
            fail("a key choice is pending while the main window cannot take keys");
        for (const int s : kSlots)
            if (slotOf(mapping, mapping[static_cast<std::size_t>(s)].value) != s)
                fail("two slots share a trigger key");
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
        std::string key;
    };
    FakePlatform p;
    std::unique_ptr<Application> app;
    std::map<std::uint32_t, KeyHistory> history;
    std::array<KeyCode, kSlotCount> mapping{};
    std::vector<Expected> expected;
    std::optional<Millis> closedAt;
    bool focused = true; // the main window has the keyboard
    std::optional<std::pair<Millis, std::uint32_t>> pressed; // when, which key
    Action step;
};

std::string keyName(int k) {
    return key(k).name;
}
std::string slotName(int s) {
    return keypadName(s);
}
std::string answer(int a) {
    return kAnswers[static_cast<std::size_t>(a)];
}
std::string menuChoice(int c) {
    return kMenuChoices[static_cast<std::size_t>(c)];
}
std::string waitMs(int w) {
    return std::to_string(kWaits[static_cast<std::size_t>(w)]);
}

const std::vector<ActionKind> kActions = {
    {"press #", 30, kKeyCount, keyName, &Player::press},
    {"press # (the window hears it first)", 6, kKeyCount, keyName, &Player::pressWindowFirst},
    {"release #", 30, kKeyCount, keyName, &Player::release},
    {"click #'s key label", 12, kSlotCount, slotName, &Player::clickKeyLabel},
    {"Interval, answer \"#\"", 3, static_cast<int>(kAnswers.size()), answer, &Player::interval},
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
    {"click into the game", 3, 0, nullptr, &Player::focusElsewhere},
    {"wait # ms", 25, static_cast<int>(kWaits.size()), waitMs, &Player::wait},
};

rc::Gen<Action> genAction() {
    std::vector<int> weighted; // each kind as often as its weight
    for (std::size_t n = 0; n < kActions.size(); ++n)
        weighted.insert(weighted.end(), static_cast<std::size_t>(kActions[n].weight),
                        static_cast<int>(n));
    return rc::gen::mapcat(rc::gen::elementOf(weighted), [](int kind) {
        const int args = kActions[static_cast<std::size_t>(kind)].args;
        return rc::gen::map(args ? rc::gen::inRange(0, args) : rc::gen::just(0),
                            [kind](int arg) { return Action{kind, arg}; });
    });
}

RC_GTEST_PROP(InputProperty, EveryMessageHasAPressAndChoicesStayInTheMainWindow, ()) {
    const auto actions = *rc::gen::container<std::vector<Action>>(genAction());
    Player player;
    for (const Action& a : actions) {
        player.act(a);
        if (!player.failure.empty())
            RC_FAIL(player.failure);
    }
    // Time passes with every key let go: whatever is under way finishes, then nothing more.
    for (int k = 0; k < kKeyCount; ++k)
        player.release(k);
    for (int n = 0; n < 4; ++n)
        player.act(Action{static_cast<int>(kActions.size()) - 1, 7});
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

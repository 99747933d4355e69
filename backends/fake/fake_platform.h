#pragma once

// The system for tests and benchmarks, one fake a role: a virtual clock drives the timers and
// alarms, keys and mouse buttons are pressed by the test, and each role records what the program
// asks of it, with the virtual time where that matters.

#include "base/system/system.h"
#include "base/time/schedule.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bt {

// The core's schedule on a virtual clock: time moves only when the test says.
class VirtualClock : public Schedule {
  public:
    // Virtual time in milliseconds since the start.
    Millis now() const { return now_; }
    // Runs every timer and alarm due up to and including now()+ms, in time order; equal times in
    // the order they were set.
    void advance(Millis ms) { advanceTo(now_ + ms); }
    void advanceTo(Millis t);
    // Timers running and alarms set: what would wake the program, were it idle.
    std::size_t wakeUpsScheduled() const { return scheduled(); }
    // How often the program woke for a timer or an alarm.
    int wakeUps = 0;
    // The program wakes this long after a timer or an alarm is due, as on a system slow to wake;
    // each is told the time it woke.
    Millis late = 0;
    // Runs before each run of the schedule, as a real event loop reads the key events it holds.
    std::function<void()> beforeRun;

  protected:
    void runSoon() override {} // the next advance runs it, at the time the change came

  private:
    Millis now_ = 0;
};

class FakeTriggerInput : public TriggerInput {
  public:
    explicit FakeTriggerInput(const VirtualClock& clock) : clock_(clock) {}
    // Keypad keys by digit, any key by its code, at the clock's time: reported when watched. A
    // press may be read late, as a system's event can be: it carries the moment it happened.
    void press(int digit, std::optional<Millis> happened = {}) {
        report(keypadKey(digit), true, happened);
    }
    void release(int digit) { releaseKey(keypadKey(digit)); }
    void tap(int digit) { press(digit), release(digit); }
    void pressKey(KeyCode key) { report(key, true); }
    // Alt is held: the keys reported meanwhile say so.
    bool altHeld = false;
    void releaseKey(KeyCode key) { report(key, false); }
    // A mouse button, as a key: reported when watched.
    void pressButton(MouseButton button) { pressKey(KeyCode::of(button)); }
    void releaseButton(MouseButton button) { releaseKey(KeyCode::of(button)); }
    // Adds a key to the keyboard (the keypad's are there from the start) and returns its code.
    KeyCode addKey(std::uint32_t code, std::string name, KeyKind kind = KeyKind::Ordinary) {
        keys_[code] = PressedKey{KeyCode{code}, kind, std::move(name)};
        return KeyCode{code};
    }

    // The system has the events but the program has not read them yet, as when it is busy: they
    // are reported when its event loop reads them, before the schedule's next run or when the
    // test calls deliverQueued() (as a real loop does before it hands on a click).
    bool holding = false;
    void deliverQueued();
    // What the program last asked to be reported.
    const KeyWatch& watching() const { return watch_; }

    void listen(std::function<void(const KeyEvent&)> onEvent) override { onKey_ = onEvent; }
    void watch(const KeyWatch& watch) override { watch_ = watch; }
    KeyCode keypadKey(int digit) const override { return KeyCode{1000 + std::uint32_t(digit)}; }
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "fake"; }

  private:
    void report(KeyCode key, bool down, std::optional<Millis> happened = std::nullopt);
    void deliver(const KeyEvent& event);

    const VirtualClock& clock_;
    std::map<std::uint32_t, PressedKey> keys_;
    std::function<void(const KeyEvent&)> onKey_;
    KeyWatch watch_;
    KeyRepeatFilter repeats_; // a key pressed again while down repeats, as on Windows
    std::deque<KeyEvent> held_;
};

// The window in front is whatever the test says; it counts how often it was asked.
class FakeFocus : public Focus {
  public:
    FocusedWindow window;
    int asked = 0;
    // Another window comes to the front, and the program hears of it where it asked to.
    void moveTo(FocusedWindow w) {
        window = std::move(w);
        if (moved_)
            moved_();
    }
    FocusedWindow focusedWindow() override { return ++asked, window; }
    void watchMoves(std::function<void()> moved) override { moved_ = std::move(moved); }

  private:
    std::function<void()> moved_;
};

class FakeNotices : public Notices {
  public:
    std::vector<Notice> shown;
    void notify(Notice notice) override { shown.push_back(notice); }
};

class FakeTypist : public Typist {
  public:
    struct Typed {
        Millis at;
        std::string key;    // "v" or a digit
        std::string window; // the first name of the program in front, "" for none
    };
    FakeTypist(VirtualClock& clock, const FakeFocus& focus, FakeTriggerInput& input);
    std::vector<Typed> typed;
    // What the system makes of each key typed from now on.
    TypeResult result = TypeResult::Typed;
    // The desktop hands every key typed back as a keyboard's, this long after (as a Wayland
    // desktop's portal does); none: it does not.
    std::optional<Millis> echoAfter;
    // The key code the keyboard types a character with: v as X numbers it, the digits of the
    // main keyboard's top row.
    static KeyCode keyFor(char c) {
        return KeyCode{c == 'v' ? 55u : c == '0' ? 19u : 9u + (c - '0')};
    }

    TypeOutcome typeKey(TypedKey key) override;
    // Keys are on their way back: the desktop's, not the program's, wake-up.
    bool echoing() const { return echo_.armed(); }

  private:
    void echoDue(Millis now);

    VirtualClock& clock_;
    const FakeFocus& focus_;
    FakeTriggerInput& input_;
    std::deque<std::pair<Millis, KeyCode>> echoes_; // the keys' downs, each followed by its up
    Alarm echo_;
};

// The desktop's leave to type: given at the start, as on a system that asks nothing, unless the
// test says the desktop asks; the test then gives the desktop's answers.
class FakeTypingPermission : public TypingPermission {
  public:
    Permission atStart = Permission::Granted;
    std::vector<std::string> offered; // the grant offered at each ask
    int withdrawn = 0;

    Permission ask(std::string_view lastGrant,
                   std::function<void(const PermissionChange&)> changed) override {
        offered.emplace_back(lastGrant);
        changed_ = std::move(changed);
        return atStart;
    }
    void withdraw() override { ++withdrawn, changed_ = nullptr; }
    // The desktop answers, or takes its answer back; nothing when nobody asked or listens.
    void answer(Permission now, std::string grant = "") {
        if (changed_)
            changed_({now, std::move(grant)});
    }
    bool listening() const { return changed_ != nullptr; }

  private:
    std::function<void(const PermissionChange&)> changed_;
};

class FakeDialogs : public Dialogs {
  public:
    struct Box {
        std::string prompt;
        std::string title;
        std::string defaultText;
        int left = 0;
        int top = 0;
    };
    // Answers are taken in order; with none queued the input box is cancelled.
    std::deque<std::string> inputAnswers;
    std::vector<Box> inputBoxes;
    std::vector<Box> messageBoxes;
    char separator = '.';
    // Runs while each box is open, for a test to look at the program then.
    std::function<void()> whileOpen;

    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override { return separator; }
};

class FakeTray : public Tray {
  public:
    bool host = true;
    bool iconPresent = false;
    int adds = 0;
    std::string tip;
    std::deque<PopupChoice> popupChoices;
    int popupsOpened = 0;

    bool available() const override { return host; }
    void addIcon(std::string_view t) override { ++adds, iconPresent = host, tip = t; }
    void removeIcon() override { iconPresent = false; }
    PopupChoice popupMenu() override;
};

class FakeDesktop : public Desktop {
  public:
    std::vector<WindowId> broughtToFront;
    std::vector<std::string> linksOpened;
    bool ended = false;

    void bringToFront(WindowId w) override { broughtToFront.push_back(w); }
    void openLink(std::string_view url) override { linksOpened.emplace_back(url); }
    void endProcess() override { ended = true; }
};

// The login entry in memory. A set writeError makes writing and removing it fail with it.
class FakeAutostart : public Autostart {
  public:
    AutostartEntry present = AutostartEntry::None;
    std::optional<std::string> writeError;
    int writes = 0; // entries written, failed or not

    AutostartEntry entry() override { return present; }
    AutostartResult write() override;
    AutostartResult remove() override;
    std::string caption() const override { return "Start at login"; }
};

// Files in memory. A set writeError makes every replaceFile fail with it.
class FakeFiles : public Files {
  public:
    std::optional<std::string> writeError;
    std::vector<std::string> failedWrites; // the files a write failed for, in order
    std::string& operator[](const std::string& name) { return content_[name]; }
    std::size_t count(const std::string& name) const { return content_.count(name); }

    std::int64_t fileLength(std::string_view name) override;
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override;
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override;

  private:
    std::map<std::string, std::string, std::less<>> content_;
};

// Requests wait until the test answers them.
class FakeHttp : public Http {
  public:
    std::vector<std::string> requests; // the URL of every request made, in order
    // Answers the oldest pending request for this URL; false when there is none.
    bool respondTo(const std::string& url, HttpResult result);
    std::size_t pendingCount() const { return pending_.size(); }
    bool isPending(const std::string& url) const;

    HttpRequestId get(std::string url, std::function<void(HttpResult)> done) override;
    void cancel(HttpRequestId id) override { pending_.erase(id); }

  private:
    struct Pending {
        std::string url;
        std::function<void(HttpResult)> done;
    };
    HttpRequestId next_ = 1;
    std::map<HttpRequestId, Pending> pending_;
};

struct FakePlatform {
    FakePlatform() {
        clock.beforeRun = [this] { input.deliverQueued(); };
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    VirtualClock clock;
    FakeTriggerInput input{clock}; // the keys and the mouse's buttons
    FakeFocus focus;
    FakeNotices notices;
    FakeTypist typist{clock, focus, input};
    FakeTypingPermission permission;
    FakeDialogs dialogs;
    FakeTray tray;
    FakeDesktop desktop;
    FakeFiles files;
    FakeHttp http;
    FakeAutostart autostart;

    System system() {
        return {input, typist, clock, dialogs, tray,       desktop,
                files, http,   focus, notices, permission, autostart};
    }
};

} // namespace bt

#pragma once

// A platform for tests and benchmarks: a virtual clock drives the timers and the key poll's alarm,
// trigger keys are pressed by the test, and everything the program does to the outside world is
// recorded with its virtual time.

#include "base/platform.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bt {

class FakePlatform : public Platform {
  public:
    struct Typed {
        Millis at;
        std::string key; // "v" or a digit
    };
    struct Dialog {
        Millis at;
        std::string prompt;
        std::string title;
        std::string defaultText;
        int left;
        int top;
    };
    struct Request {
        HttpRequestId id;
        Millis at;
        std::string url;
    };

    FakePlatform() = default;
    ~FakePlatform() override;

    // Virtual time in milliseconds since the start.
    Millis now() const { return now_; }
    // Fires every timer and alarm due up to and including now()+ms, in time order; equal times in
    // the order they were set.
    void advance(Millis ms) { advanceTo(now_ + ms); }
    void advanceTo(Millis t);

    // Keypad keys by digit, and any key by its code, at the current virtual time: reported to the
    // program when it watches the key.
    void press(int digit) { pressKey(keypadKey(digit)); }
    void release(int digit) { releaseKey(keypadKey(digit)); }
    void tap(int digit) { press(digit), release(digit); }
    void pressKey(KeyCode key) { trigger(key, true); }
    void releaseKey(KeyCode key) { trigger(key, false); }
    // The keyboard's other keys: what describeKey says of them. The keypad's digits are there
    // from the start.
    std::map<std::uint32_t, PressedKey> keyboard;
    // Adds a key to the keyboard and returns its code.
    KeyCode addKey(std::uint32_t code, std::string name, KeyKind kind = KeyKind::Ordinary);
    // How often the key poll's alarm rang: while no key is down it sleeps.
    int pollsRun = 0;
    // Runs after each ring of the alarm, and while each box is open: a test looks at the program
    // at those moments.
    std::function<void()> afterAlarm;
    std::function<void()> whileBoxOpen;
    std::vector<Typed> typed;

    // Dialogs: answers are taken in order; with none queued the input box is cancelled.
    std::deque<std::string> inputAnswers;
    std::vector<Dialog> inputBoxes;
    std::vector<Dialog> messageBoxes;
    char separator = '.';

    // Tray and window.
    bool trayHost = true;
    bool iconPresent = false;
    int trayAdds = 0;
    int trayDeletes = 0;
    std::string trayTip;
    std::deque<PopupChoice> popupChoices;
    int popupsOpened = 0;
    bool ended = false;
    std::vector<WindowId> broughtToFront;

    // Files, in memory. A set writeError makes every replaceFile fail with it.
    std::map<std::string, std::string> files;
    std::optional<std::string> writeError;

    // HTTP: requests wait until the test answers them.
    std::vector<Request> requests; // every request made, in order
    bool respond(HttpRequestId id, HttpResult result);
    // Answers the oldest pending request for this URL; false when there is none.
    bool respondTo(const std::string& url, HttpResult result);
    std::size_t pendingCount() const { return pending_.size(); }
    // Timers running and alarms set: what would wake the program, were it idle.
    std::size_t wakeUpsScheduled() const { return scheduled_.size(); }
    bool isPending(const std::string& url) const;
    // How many requests were made for this URL.
    std::size_t requestsFor(const std::string& url) const;

    std::vector<std::string> linksOpened;

    // Platform
    void listen(std::function<void(const KeyEvent&)> onEvent) override {
        onKey_ = std::move(onEvent);
    }
    void watch(const KeyWatch& watch) override { watch_ = watch; }
    const KeyWatch& watched() const { return watch_; }
    KeyCode keypadKey(int digit) const override {
        return KeyCode{1000 + static_cast<std::uint32_t>(digit)};
    }
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "fake"; }
    void typeKey(TypedKey key) override { typed.push_back({now_, {key.character()}}); }
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override { return separator; }
    bool trayAvailable() const override { return trayHost; }
    void trayAdd(std::string_view tip) override;
    void trayDelete() override;
    PopupChoice popupMenu() override;
    void bringToFront(WindowId w) override { broughtToFront.push_back(w); }
    void endProcess() override { ended = true; }
    std::int64_t fileLength(std::string_view name) override;
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override;
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override;
    HttpRequestId httpGet(std::string url, std::function<void(HttpResult)> done) override;
    void httpCancel(HttpRequestId id) override;
    void openLink(std::string_view url) override { linksOpened.emplace_back(url); }
    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { scheduled_.erase(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { scheduled_.erase(&alarm); }

  private:
    struct Scheduled {
        Millis due;
        std::uint64_t order;
        Timer* timer = nullptr; // a timer, or else the alarm
        Alarm* alarm = nullptr;
    };
    struct Pending {
        std::string url;
        std::function<void(HttpResult)> done;
    };

    void trigger(KeyCode key, bool down);
    std::optional<std::pair<const void*, Scheduled>> nextDue(Millis t) const;

    Millis now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::map<const void*, Scheduled> scheduled_;
    std::function<void(const KeyEvent&)> onKey_;
    KeyWatch watch_;
    HttpRequestId nextRequest_ = 1;
    std::map<HttpRequestId, Pending> pending_;
};

} // namespace bt

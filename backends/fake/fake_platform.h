#pragma once

// A platform for tests and benchmarks: a virtual clock drives the timers, keys are pressed by the
// test, and everything the program does to the outside world is recorded with its virtual time.

#include "base/keypad_state.h"
#include "base/platform.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace bt {

class FakePlatform : public Platform {
  public:
    struct Typed {
        std::int64_t at;
        std::string keys;
    };
    struct Dialog {
        std::int64_t at;
        std::string prompt;
        std::string title;
        std::string defaultText;
        int left;
        int top;
    };
    struct Request {
        HttpRequestId id;
        std::int64_t at;
        std::string url;
    };

    FakePlatform() = default;
    ~FakePlatform() override;

    // Virtual time in milliseconds since the start.
    std::int64_t now() const { return now_; }
    // Fires every timer due up to and including now()+ms, in time order; equal times in the
    // order the timers were armed.
    void advance(std::int64_t ms) { advanceTo(now_ + ms); }
    void advanceTo(std::int64_t t);
    // When the timer is next due, if armed.
    std::optional<std::int64_t> dueTime(const Timer& t) const;

    // Keypad keys, by digit 0..9.
    void press(int digit);
    void release(int digit);
    void tap(int digit) { press(digit), release(digit); }
    // Lets a timer that wakes on the keypad sleep while the keypad is idle, as the real drivers
    // do; off, it ticks like any other. wakeUps counts the ticks that really ran, per timer.
    bool sleepingKeyPoll = false;
    std::map<const Timer*, int> wakeUps;
    std::vector<Typed> typed; // non-empty texts only
    int emptySends = 0;

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
    std::vector<HttpRequestId> cancelled;
    bool respond(HttpRequestId id, HttpResult result);
    // Answers the oldest pending request for this URL; false when there is none.
    bool respondTo(const std::string& url, HttpResult result);
    std::size_t pendingCount() const { return pending_.size(); }
    bool isPending(const std::string& url) const;

    std::vector<std::pair<WindowId, std::string>> navigations;
    std::vector<std::string> linksOpened;

    // Platform
    bool keypadPressed(int digit) override;
    void sendKeys(std::string_view keys) override;
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
    void navigate(WindowId window, std::string_view url) override;
    void openLink(std::string_view url) override;
    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override;

  private:
    struct Scheduled {
        std::int64_t due;
        std::uint64_t order;
    };
    struct Pending {
        std::string url;
        std::function<void(HttpResult)> done;
    };

    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    void keypadChanged();
    void forget(Timer& timer);
    bool sleeps(const Timer& timer) const;

    std::map<Timer*, Scheduled> timers_;
    // Timers that wake on the keypad, with the time their grid of ticks started; they keep
    // their place among timers due at the same time.
    std::map<Timer*, Scheduled> grids_;
    KeypadState keypad_;
    HttpRequestId nextRequest_ = 1;
    std::map<HttpRequestId, Pending> pending_;
};

} // namespace bt

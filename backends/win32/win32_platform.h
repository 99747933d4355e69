#pragma once

// The platform of the Windows program: a hidden window of its own carries the timers, the tray
// icon's messages, the keypad's Raw Input and the results of transfers; keys are typed with
// SendInput.

#include "backends/win32/winhttp_client.h"
#include "base/platform.h"

#include <windows.h>

#include <functional>
#include <map>

namespace bt::win32 {

class Win32Platform : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;

    void setWindow(WindowId id, HWND hwnd) { windows_[id] = hwnd; }
    void setIcon(HICON icon) { icon_ = icon; }
    void setTrayHandler(std::function<void(TrayEvent)> handler) {
        trayHandler_ = std::move(handler);
    }
    // The time on the clock the program's timers run on.
    Millis now() const;
    // A second start of the program asks the running copy to come to the front.
    void setOnAnotherStart(std::function<void()> f) { onAnotherStart_ = std::move(f); }
    // Run before the platform exists: true when this is the only copy in the logon session;
    // otherwise the running copy has been asked to come to the front.
    static bool claimSingleInstance();
    bool ended() const { return ended_; }

    void listen(std::function<void(const KeyEvent&)> onEvent) override;
    void watch(const KeyWatch& watch) override;
    KeyCode keypadKey(int digit) const override;
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "win32"; }
    void typeKey(TypedKey key) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override;
    bool trayAvailable() const override;
    void trayAdd(std::string_view tip) override;
    void trayDelete() override;
    PopupChoice popupMenu() override;
    void bringToFront(WindowId window) override;
    void endProcess() override;
    std::int64_t fileLength(std::string_view name) override;
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override;
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override;
    HttpRequestId httpGet(std::string url, std::function<void(HttpResult)> done) override;
    void httpCancel(HttpRequestId id) override;
    void openLink(std::string_view url) override;
    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { forget(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { forget(&alarm); }

  private:
    // A periodic timer or the alarm, and the system timer that drives it.
    struct Scheduled {
        UINT_PTR id;
        double due;
        Timer* timer = nullptr; // or else the alarm
        Alarm* alarm = nullptr;
    };

    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void onTimer(UINT_PTR id);
    Scheduled& scheduled(const void* owner);
    void forget(const void* owner);
    void schedule(const Scheduled& s);
    void keypadInput(LPARAM rawInput);
    void deliverQueuedKeys();
    void trayMessage(UINT mouseMessage);
    void post(std::function<void()> f);
    void addIcon();
    double clockMs() const;

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool iconShown_ = false;
    std::wstring tip_;
    std::map<WindowId, HWND> windows_;
    std::map<const void*, Scheduled> timers_;
    std::map<UINT_PTR, const void*> byId_;
    UINT_PTR nextTimerId_ = 1;
    LARGE_INTEGER frequency_{};
    WinHttpClient http_;
    std::function<void(const KeyEvent&)> onKey_;
    KeyWatch watch_;
    std::function<void(TrayEvent)> trayHandler_;
    std::function<void()> onAnotherStart_;
    UINT anotherStart_ = 0;
    bool ended_ = false;
};

} // namespace bt::win32

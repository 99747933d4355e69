#pragma once

// The hidden window that carries the Windows program's own messages: its timers, the keyboard's
// Raw Input, the tray icon's clicks, a second start's knock, and the results of transfers, which
// worker threads post to it. Each role registers for the messages it handles.

#include <windows.h>

#include <functional>
#include <map>

namespace bt::win32 {

class MessageWindow {
  public:
    // The class a second start looks for, to knock on the running copy.
    static constexpr const wchar_t* kClassName = L"BrontekTarnlowPlatform";

    explicit MessageWindow(HINSTANCE instance);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HINSTANCE instance() const { return instance_; }
    // Runs f on the UI thread from the message loop; safe from any thread.
    void post(std::function<void()> f);
    // Hands every message of this number to the handler.
    void onMessage(UINT msg, std::function<LRESULT(WPARAM, LPARAM)> handler) {
        handlers_[msg] = std::move(handler);
    }
    // The time in milliseconds on the monotonic clock every role uses.
    double clockMs() const;

  private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    LARGE_INTEGER frequency_{};
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> handlers_;
};

} // namespace bt::win32

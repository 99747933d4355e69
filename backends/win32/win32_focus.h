#pragma once

// Which program the foreground window belongs to: the file name of the process behind it, and
// whether it runs with more rights than this one. The foreground's changes come from a WinEvent
// hook on this thread's message loop (a program of higher rights sends us no keys to notice).

#include "base/system/focus.h"

#include <windows.h>

namespace bt::win32 {

class Win32Focus : public Focus {
  public:
    Win32Focus();
    ~Win32Focus() override;
    Win32Focus(const Win32Focus&) = delete;
    Win32Focus& operator=(const Win32Focus&) = delete;

    FocusedWindow focusedWindow() override;
    void watchMoves(std::function<void()> moved) override;

  private:
    static void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);

    bool elevated_ = false; // this program's own rights
    HWINEVENTHOOK hook_ = nullptr;
    std::function<void()> moved_;
};

} // namespace bt::win32

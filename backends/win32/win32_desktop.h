#pragma once

// The desktop as the Windows program sees it: its windows brought forward, links opened with the
// shell, and the end of the message loop.

#include "backends/win32/win32_clock.h"
#include "base/system/desktop.h"

#include <map>

namespace bt::win32 {

class Win32Desktop : public Desktop {
  public:
    explicit Win32Desktop(Win32Clock& clock) : clock_(clock) {}
    void setWindow(WindowId id, HWND hwnd) { windows_[id] = hwnd; }
    bool ended() const { return ended_; }

    void bringToFront(WindowId window) override;
    void openLink(std::string_view url) override;
    void endProcess() override;

  private:
    Win32Clock& clock_;
    std::map<WindowId, HWND> windows_;
    bool ended_ = false;
};

} // namespace bt::win32

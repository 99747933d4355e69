#pragma once

// The boxes of the Windows program: an input box of its own and MessageBoxW, over the main window.

#include "base/system/dialogs.h"

#include <windows.h>

namespace bt::win32 {

class Win32Dialogs : public Dialogs {
  public:
    explicit Win32Dialogs(HINSTANCE instance) : instance_(instance) {}
    // The window the boxes belong to.
    void setOwner(HWND owner) { owner_ = owner; }

    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override;

  private:
    HINSTANCE instance_;
    HWND owner_ = nullptr;
};

} // namespace bt::win32

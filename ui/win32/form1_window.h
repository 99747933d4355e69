#pragma once

// The main window with native controls: mirrors the Form1 model and forwards the user's events.

#include "ui/win32/native_controls.h"

#include <memory>

namespace bt {
class Form1;
}

namespace bt::win32 {

class Form1Window {
  public:
    Form1Window(HINSTANCE instance, Form1& form, HICON icon);
    ~Form1Window();
    HWND hwnd() const { return hwnd_; }
    const NativeControls* controls() const { return controls_.get(); }

    // For the shared window procedure.
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void syncWindow();

    Form1& form_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<NativeControls> controls_;
    bool syncing_ = false;
};

} // namespace bt::win32

#pragma once

// The news window with native controls. Its labels let the pointer through, so the window itself
// finds which label the pointer is on and tells the model, with positions in twips.

#include "ui/win32/native_controls.h"

#include <memory>

namespace bt {
class Form2;
}

namespace bt::win32 {

class Form2Window {
  public:
    Form2Window(HINSTANCE instance, Form2& form, HICON icon);
    ~Form2Window();
    HWND hwnd() const { return hwnd_; }
    const NativeControls* controls() const { return controls_.get(); }

    // For the shared window procedure.
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void syncWindow();
    void syncPage();
    // The label under the pointer: 1..6 for the links, 9 and 10 for the click and probe labels.
    int labelAt(double xTwips, double yTwips) const;

    Form2& form_;
    HWND hwnd_ = nullptr;
    HWND page_ = nullptr;
    std::unique_ptr<NativeControls> controls_;
};

} // namespace bt::win32

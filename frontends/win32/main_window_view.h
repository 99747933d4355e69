#pragma once

// The main window with native controls: mirrors the main window's model and forwards the user's
// events.

#include "frontends/win32/native_controls.h"

#include <map>
#include <memory>

namespace bt {
class MainWindow;
}

namespace bt::win32 {

class MainWindowView {
  public:
    MainWindowView(HINSTANCE instance, MainWindow& model, HICON icon);
    ~MainWindowView();
    HWND hwnd() const { return hwnd_; }
    const NativeControls* controls() const { return controls_.get(); }

    // For the shared window procedure.
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    // While a slot's key is chosen, takes a key pressed in the window before anything else sees
    // it (a list or the dialog keys would act on it), and the middle and side buttons always:
    // true when it was taken. The choice hears them from the platform.
    bool takeInput(const MSG& msg);

  private:
    void syncWindow();
    void clicked(LPARAM lp);

    MainWindow& model_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<NativeControls> controls_;
    std::map<int, DropDownList*> lists_;
    std::map<int, Button*> buttons_;
    bool syncing_ = false;
};

} // namespace bt::win32

#pragma once

// The news window with native controls. Its labels let the pointer through, so the window itself
// finds which label the pointer is on and tells the model, with positions in twips.

#include "frontends/win32/native_controls.h"

#include <memory>

namespace bt {
class NewsWindow;
}

namespace bt::win32 {

class NewsWindowView {
  public:
    NewsWindowView(HINSTANCE instance, NewsWindow& model, HICON icon);
    ~NewsWindowView();
    HWND hwnd() const { return hwnd_; }
    const NativeControls* controls() const { return controls_.get(); }

    // For the shared window procedure.
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void syncWindow();
    void syncPage();
    void mouseMoved(WPARAM wp, LPARAM lp);
    void leftButtonUp(LPARAM lp);
    void command(WPARAM wp, LPARAM lp);
    // The label under the pointer: 1..6 for the links, or one of the two below, or 0.
    static constexpr int kOpenLinkLabel = 7;
    static constexpr int kProbeLabel = 8;
    int labelAt(double xTwips, double yTwips) const;

    NewsWindow& model_;
    HWND hwnd_ = nullptr;
    HWND page_ = nullptr;
    std::unique_ptr<NativeControls> controls_;
};

} // namespace bt::win32

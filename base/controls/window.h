#pragma once

#include "base/controls/control.h"

namespace bt {

enum class WindowState { Normal = 0, Minimized = 1 };

// The window itself: caption, visibility, state and outer size. The client size is the design's
// and never grows; what lies beyond it is hidden.
class Window : public Control {
  public:
    Window(std::string name, std::string caption, int clientWidth, int clientHeight)
        : Control(std::move(name)), caption_(std::move(caption)), clientWidth_(clientWidth),
          clientHeight_(clientHeight) {
        setVisible(false);
    }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { assign(caption_, std::move(c)); }

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    WindowState state() const { return state_; }
    void setState(WindowState s) { assign(state_, s); }
    // How the views show it: hidden, minimized (on the taskbar), or as it is.
    enum class Appearance { Hidden, Minimized, Normal };
    Appearance appearance() const {
        if (!visible())
            return Appearance::Hidden;
        return state_ == WindowState::Minimized ? Appearance::Minimized : Appearance::Normal;
    }

    // Outer height and width as a program sets them; 0 means "as the design has it".
    int outerHeight() const { return outerHeight_; }
    void setOuterHeight(int twips) { assign(outerHeight_, twips); }
    int outerWidth() const { return outerWidth_; }
    void setOuterWidth(int twips) { assign(outerWidth_, twips); }

  private:
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    WindowState state_ = WindowState::Normal;
    int outerHeight_ = 0;
    int outerWidth_ = 0;
};

// A feed can ask for any window size; on screen a window stays between these, in pixels.
constexpr int kMinWindowWidthPx = 120;
constexpr int kMinWindowHeightPx = 60;
constexpr int kMaxWindowSidePx = 4096;

} // namespace bt

#pragma once

// The trigger keys on X11: XInput2 raw key events on the root window, which arrive whichever client
// has the focus and (with XI 2.2) even while another client grabs the keyboard. Keys are matched by
// keycode, so NumLock does not matter.

#include <array>
#include <functional>
#include <string>

typedef struct _XDisplay Display;

namespace bt::x11 {

class Keypad {
  public:
    // Opens its own connection to the display; ok() is false when X or XInput 2.2 is missing.
    explicit Keypad(const char* displayName = nullptr);
    ~Keypad();
    Keypad(const Keypad&) = delete;
    Keypad& operator=(const Keypad&) = delete;

    bool ok() const { return display_ != nullptr && ok_; }
    const std::string& error() const { return error_; }
    int connectionFd() const;

    // Reads every raw event that has arrived, without blocking, and reports each keypad key that
    // went down or up, by its digit.
    void drain(const std::function<void(int digit, bool down)>& onKey);

  private:
    Display* display_ = nullptr;
    bool ok_ = false;
    std::string error_;
    int xiOpcode_ = 0;
    std::array<int, 10> keycodes_{};
};

} // namespace bt::x11

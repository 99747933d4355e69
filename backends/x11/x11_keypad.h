#pragma once

// System-wide keypad state on X11: XInput2 raw key events on the root window, which arrive
// whichever client has the focus and (with XI 2.2) even while another client grabs the keyboard.
// The keypad state gives the "down now or pressed since the previous query" meaning, so a 5 ms tap
// between two polls is not lost. Keys are matched by keycode, so NumLock does not matter.

#include "base/keypad_state.h"

#include <array>
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

    // Reads every raw event that has arrived, without blocking; true when a keypad key moved.
    bool drain();
    KeypadState& state() { return state_; }

  private:
    Display* display_ = nullptr;
    bool ok_ = false;
    std::string error_;
    int xiOpcode_ = 0;
    std::array<int, 10> keycodes_{};
    KeypadState state_;
};

} // namespace bt::x11

#pragma once

// The trigger keys on X11: XInput2 raw key events on the root window, which arrive whichever client
// has the focus and (with XI 2.2) even while another client grabs the keyboard. Keys are matched by
// keycode, so NumLock does not matter for the keypad; names and kinds come from the current keymap.

#include "base/keys.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace bt::x11 {

class Keyboard {
  public:
    // Opens its own connection to the display; ok() is false when X or XInput 2.2 is missing.
    explicit Keyboard(const char* displayName = nullptr);
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    bool ok() const { return display_ != nullptr && ok_; }
    const std::string& error() const { return error_; }
    int connectionFd() const;

    // The keys whose events drain reports: these keycodes, or every key. None until told.
    void watch(std::vector<unsigned> keycodes, bool everyKey) {
        watched_ = std::move(keycodes);
        everyKey_ = everyKey;
    }
    unsigned keypadKeycode(int digit) const;
    // Reads every raw event that has arrived, without blocking, and reports each watched key
    // that went down or up.
    void drain(const std::function<void(unsigned keycode, bool down)>& onKey);
    // The key's name in the current layout and what it means for choosing a trigger key;
    // nullopt when the keymap has nothing on that keycode.
    std::optional<PressedKey> describe(unsigned keycode) const;

  private:
    Display* display_ = nullptr;
    bool ok_ = false;
    std::string error_;
    int xiOpcode_ = 0;
    std::array<unsigned, 10> keypad_{};
    std::vector<unsigned> watched_;
    bool everyKey_ = false;
};

} // namespace bt::x11

#pragma once

// The keypad as the key poll sees it. Each backend feeds it the key events it gets (XInput raw
// events, Raw Input, a test's presses); a query answers "down now, or pressed since the previous
// query of this key", so a tap between two polls is never lost.

#include <array>

namespace bt {

class KeypadState {
  public:
    void press(int digit) {
        down_.at(static_cast<std::size_t>(digit)) = true;
        latched_.at(static_cast<std::size_t>(digit)) = true;
    }
    void release(int digit) { down_.at(static_cast<std::size_t>(digit)) = false; }

    // Spends the "pressed since" part.
    bool query(int digit) {
        const auto d = static_cast<std::size_t>(digit);
        const bool pressed = down_.at(d) || latched_.at(d);
        latched_[d] = false;
        return pressed;
    }

    // No key down and none pressed since its last query: a poll now would find nothing.
    bool idle() const {
        for (std::size_t d = 0; d < down_.size(); ++d)
            if (down_[d] || latched_[d])
                return false;
        return true;
    }

  private:
    std::array<bool, 10> down_{};
    std::array<bool, 10> latched_{};
};

} // namespace bt

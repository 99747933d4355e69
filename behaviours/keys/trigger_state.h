#pragma once

// The trigger keys as the key poll sees them, fed with the platform's key events. Taking the keys
// answers, for all ten at once, "down now, or pressed since the last take": a tap between two polls
// is never lost, and no key's answer depends on the order in which the others are read.

#include "base/bind_profile.h"

#include <bitset>

namespace bt {

class TriggerState {
  public:
    using Slots = std::bitset<kSlotCount>;

    void press(int slot) {
        if (!valid(slot))
            return;
        down_.set(static_cast<std::size_t>(slot));
        latched_.set(static_cast<std::size_t>(slot));
    }
    void release(int slot) {
        if (valid(slot))
            down_.reset(static_cast<std::size_t>(slot));
    }

    // Spends the "pressed since" part.
    Slots take() {
        const Slots pressed = down_ | latched_;
        latched_.reset();
        return pressed;
    }

    // Nothing down and nothing pressed since the last take: a poll now would find nothing.
    bool idle() const { return (down_ | latched_).none(); }

  private:
    static bool valid(int slot) { return slot >= 0 && slot < kSlotCount; }

    Slots down_;
    Slots latched_;
};

} // namespace bt

#pragma once

// When the key poll looks at the trigger keys: the one scheduler every platform follows.
//
// Polls lie on a 100 ms grid that starts when watching starts (at start-up, and again after each
// typed sequence). A poll can only find something while a trigger key is down or was pressed since
// the last poll, so while none is, no poll is due at all: the program sleeps. A key event then
// makes the next grid point due, exactly the poll that plain polling every 100 ms would have run,
// so the keys are typed at the same times either way. Given the time now and the keys' state it
// says when the next poll is due; each platform only arms a native timer for that time.

#include "base/time.h"

#include <optional>

namespace bt {

class PollSchedule {
  public:
    static constexpr Millis kPeriod = 100;

    void start(Millis now) {
        gridStart_ = now;
        watching_ = true;
    }
    void stop() { watching_ = false; }
    bool watching() const { return watching_; }

    // The next poll after now, or none while not watching or while the keys have nothing to find.
    std::optional<Millis> nextDue(Millis now, bool keysIdle) const {
        if (!watching_ || keysIdle)
            return std::nullopt;
        if (now < gridStart_)
            return gridStart_ + kPeriod;
        return gridStart_ + ((now - gridStart_) / kPeriod + 1) * kPeriod;
    }

  private:
    Millis gridStart_ = 0;
    bool watching_ = false;
};

} // namespace bt

#pragma once

// The program's purpose. The key poll looks at the ten trigger keys on its 100 ms grid; a key seen
// hands over to the key send timer, which types v, the slot's menu digit and its message digit, one
// per key interval, and hands back. While a sequence is typed nothing is polled; the highest slot
// seen in one poll wins.

#include "base/bind_profile.h"
#include "base/controls/timer.h"
#include "base/keys.h"
#include "behaviours/keys/poll_schedule.h"
#include "behaviours/keys/trigger_state.h"

namespace bt {

class Platform;

class VoiceKeys {
  public:
    // The profile and the key interval are read as they are at each step, so a binding changed
    // during a sequence changes what its later steps type.
    VoiceKeys(Platform& platform, const BindProfile& profile, const int& keyIntervalMs);

    // Watching starts now; the platform reports the trigger keys from here on.
    void start(Millis now);
    // Nothing is polled or typed any more (the main window closed).
    void stop();
    // A trigger key went down or up.
    void triggerChanged(const TriggerEvent& event);

    bool watching() const { return schedule_.watching(); }
    bool typing() const { return sendTimer_.enabled(); }
    // When the next poll is due, if any (what the platform has armed).
    std::optional<Millis> nextPoll() const { return pollAlarm_.due(); }
    // The slot being typed, or -1 before the first key.
    int typedSlot() const { return slot_; }

  private:
    void poll();
    void typeNext(Millis now);
    void watchFrom(Millis now);

    Platform& platform_;
    const BindProfile& profile_;
    const int& keyIntervalMs_;
    TriggerState triggers_;
    PollSchedule schedule_;
    Alarm pollAlarm_;
    Timer sendTimer_{200, false};
    int slot_ = -1;
    int step_ = 0; // 0: v comes next, 1: the menu digit, 2: the message digit
};

} // namespace bt

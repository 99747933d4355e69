#pragma once

// The program's one scheduler: when each timer and alarm is due, and what runs when the time has
// come. The platform runs it with the time on its clock and arms one native timer for the time it
// answers; how a periodic timer keeps its beat is decided here, the same on every system.

#include "base/time/timer.h"

#include <cstdint>
#include <map>
#include <optional>

namespace bt {

class Schedule : public Clock {
  public:
    // Runs what is due by `now`, earliest first, equal times in the order they were set. A timer
    // started or an alarm set with a delay since the last run counts from `now`. What a ring or a
    // tick sets due by `now` runs at the next call, so a ring that sets itself again cannot loop.
    // Answers when to run next; nothing: nothing is due, and the program may sleep.
    std::optional<Millis> run(Millis now);
    // When to run next, without running anything: a timer started or an alarm set with a delay
    // since the last run counts from `now`.
    std::optional<Millis> nextDue(Millis now);
    // Timers running and alarms set: what would wake the program, were it idle.
    std::size_t scheduled() const { return entries_.size(); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { forget(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { forget(&alarm); }

  protected:
    // Something changed between runs (a key event, a click, an answer): the platform runs the
    // schedule from its event loop soon, never from within this call.
    virtual void runSoon() = 0;

  private:
    struct Entry {
        std::optional<Millis> due; // none: counts from the next run's time
        std::uint64_t order;
        Timer* timer = nullptr; // or else an alarm
        Alarm* alarm = nullptr;
    };

    void enter(const void* owner, Entry entry);
    void forget(const void* owner);
    void runEntry(Entry entry, Millis now);

    std::map<const void*, Entry> entries_;
    bool running_ = false;
    std::uint64_t nextOrder_ = 0;
    bool stopped_ = false;
};

// A periodic timer that ticked for `due` is next due one interval after that due time, not after
// the tick, so a sequence does not drift; one that fell more than an interval behind (the program
// was held up) goes on one interval from now rather than ticking in a burst.
Millis nextTick(Millis due, int intervalMs, Millis now);

} // namespace bt

#pragma once

// The clock of the Windows program: SetTimer on the hidden window, each tick asked for the time
// left until its due time, so a sequence of keys does not drift; an alarm due at once is rung as
// soon as the message loop is back, not a system tick later.

#include "backends/win32/message_window.h"
#include "base/time/timer.h"

#include <functional>
#include <map>

namespace bt::win32 {

class Win32Clock : public Clock {
  public:
    explicit Win32Clock(MessageWindow& window);
    Millis now() const;
    // Runs before an alarm rings: key input that came meanwhile counts for the poll it starts.
    void setBeforeRing(std::function<void()> f) { beforeRing_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { forget(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { forget(&alarm); }

  private:
    // A periodic timer or an alarm, and the system timer that drives it.
    struct Scheduled {
        UINT_PTR id;
        double due;
        Timer* timer = nullptr; // or else an alarm
        Alarm* alarm = nullptr;
    };

    void onTimer(UINT_PTR id);
    Scheduled& scheduled(const void* owner);
    void forget(const void* owner);
    void schedule(const Scheduled& s);

    MessageWindow& window_;
    std::map<const void*, Scheduled> timers_;
    std::map<UINT_PTR, const void*> byId_;
    UINT_PTR nextTimerId_ = 1;
    std::function<void()> beforeRing_;
    bool stopped_ = false;
};

} // namespace bt::win32
